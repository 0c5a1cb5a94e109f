#include <gtest/gtest.h>

#include "base/little_endian.h"
#include "tests/program/running_clock.h"
#include "tools/orb_writer.h"

namespace {

const COLORREF kPlum = RGB(0x88, 0x20, 0x60);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

bool IsBright(COLORREF c) {
  return GetRValue(c) > 0xF0 && GetGValue(c) > 0xF0 && GetBValue(c) > 0xF0;
}

TEST(Startup, WithoutSettingsTheClockOpensAtTheOriginCutToItsOutline) {
  TestWindow backdrop(0, 0, 300, 300, kPlum);
  ProgramFolder folder;
  RunningClock clock(folder);
  HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  const RECT rect = WindowRect(window);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 200);
  EXPECT_EQ(rect.bottom, 200);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);

  // Black with the built-in dial inside the outline; the backdrop outside it. The
  // first paint of a fresh Wine prefix can come a moment after the window shows.
  ASSERT_TRUE(
      WaitFor([] { return ScreenPixel(100, 100) == kBlack && IsBright(ScreenPixel(104, 23)); }));
  EXPECT_TRUE(IsBright(ScreenPixel(104, 23)));
  EXPECT_EQ(ScreenPixel(1, 1), kPlum);
  EXPECT_EQ(ScreenPixel(198, 198), kPlum);
  EXPECT_EQ(ScreenPixel(250, 250), kPlum);
}

TEST(Startup, TheSavedPositionIsHonouredNegativeValuesIncluded) {
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", "150");
  folder.Set("WINDOW", "POS_Y", "-30");
  RunningClock clock(folder);
  HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowRect(window).left, 150);
  EXPECT_EQ(WindowRect(window).top, -30);
}

// Also where x + 200 is beyond the int range.
TEST(Startup, APositionOnNoMonitorOpensOnTheNearestWorkAreaAndStaysSaved) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const struct {
    const char* x;
    const char* y;
    LONG left, top;
  } rows[] = {{"5000", "-4000", work.right - 200, work.top},
              {"2147483600", "100", work.right - 200, 100},
              {"-2147483648", "-2147483648", work.left, work.top}};
  for (const auto& row : rows) {
    ProgramFolder folder;
    folder.Set("WINDOW", "POS_X", row.x);
    folder.Set("WINDOW", "POS_Y", row.y);
    RunningClock clock(folder);
    HWND window = clock.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowRect(window).left, row.left) << row.x;
    EXPECT_EQ(WindowRect(window).top, row.top) << row.x;
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(clock.WaitForExit());
    EXPECT_EQ(folder.Get("WINDOW", "POS_X"), row.x);
    EXPECT_EQ(folder.Get("WINDOW", "POS_Y"), row.y);
  }
}

TEST(Startup, ModulesNamedInTheSettingsDrawAtStartUp) {
  ProgramFolder folder;
  folder.Set("OBJECT", "MODULE_PATH", ExeDir() + "\\clock_red.dll");
  folder.Set("OBJECT", "MODULE_PATH2", ExeDir() + "\\info_green.dll");
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  RunningClock clock(folder);
  ASSERT_NE(clock.WaitForWindow(), nullptr);
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(200, 200) == RGB(255, 0, 0); }));
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(150, 150) == RGB(0, 255, 0); }));
}

TEST(Startup, UnloadableModulesLeaveTheirLayersOut) {
  ProgramFolder folder;
  WriteBytes(folder.File("junk.dll"), {'n', 'o', 't', ' ', 'a', ' ', 'd', 'l', 'l'});
  folder.Set("OBJECT", "MODULE_PATH", folder.File("missing.dll"));
  folder.Set("OBJECT", "MODULE_PATH2", folder.File("junk.dll"));
  TestWindow backdrop(0, 0, 300, 300, kPlum);
  RunningClock clock(folder);
  ASSERT_NE(clock.WaitForWindow(), nullptr);
  EXPECT_TRUE(WaitFor([] { return IsBright(ScreenPixel(104, 23)); }));
  EXPECT_EQ(ScreenPixel(100, 100), kBlack);
}

TEST(Startup, AnUndrawableBackgroundGivesTheDialAndATopDownOneShowsUpright) {
  ProgramFolder folder;
  OrbPicture picture;
  ASSERT_TRUE(OrbPictureFromBmp(
      MakeBmp24(200, 200, [](int, int y) { return y < 100 ? kBlue : kRed; }), &picture));
  WriteUint32(picture.infoHeader.data() + 32, 0x01000000);  // a table far beyond the file
  WriteBytes(folder.File("lying.orb"), BuildOrbFile(picture));
  // The same rows read top-down: red above blue.
  WriteUint32(picture.infoHeader.data() + 32, 0);
  WriteUint32(picture.infoHeader.data() + 8, static_cast<uint32_t>(-200));
  WriteBytes(folder.File("top-down.orb"), BuildOrbFile(picture));

  folder.Set("BACKGROUND", "FILE", folder.File("lying.orb"));
  {
    RunningClock clock(folder);
    ASSERT_NE(clock.WaitForWindow(), nullptr);
    EXPECT_TRUE(WaitFor([] { return IsBright(ScreenPixel(104, 23)); }));
    EXPECT_EQ(ScreenPixel(100, 100), kBlack);
    EXPECT_FALSE(clock.WaitForExit(0));
  }
  folder.Set("BACKGROUND", "FILE", folder.File("top-down.orb"));
  RunningClock clock(folder);
  ASSERT_NE(clock.WaitForWindow(), nullptr);
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(100, 50) == kRed; }));
  EXPECT_EQ(ScreenPixel(100, 150), kBlue);
  EXPECT_FALSE(clock.WaitForExit(0));
}

TEST(Startup, ASecondStartShowsTheFirstClockAndEnds) {
  ProgramFolder folder;
  RunningClock first(folder);
  HWND window = first.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_HIDE);
  ASSERT_TRUE(WaitFor([window] { return !IsWindowVisible(window); }));

  RunningClock second(folder);
  ASSERT_TRUE(second.started());
  ASSERT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitFor([window] { return IsWindowVisible(window) != 0; }));
  EXPECT_EQ(CountClockWindows(), 1);
}

TEST(Shutdown, WmCloseEndsTheProgramAndWritesTheStackingMode) {
  // "表示ソフト": both 表 and ソ end in a 0x5C trail byte.
  ProgramFolder folder("\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67");
  RunningClock clock(folder);
  HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(folder.Get("WINDOW", "POS_Z"), "<absent>");
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock.WaitForExit());
  EXPECT_EQ(clock.ExitCode(), 0u);
  EXPECT_EQ(folder.Get("WINDOW", "POS_Z"), "0");
  EXPECT_EQ(CountClockWindows(), 0);
}

}  // namespace
