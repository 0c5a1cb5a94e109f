#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/program/running_clock.h"
#include "tests/win32/test_support.h"
#include "tools/orb_writer.h"

namespace {

TEST(MovedFolderTest, StoredPathsThatAreGoneAreFoundInTheProgramsOwnFolders) {
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  folder.Install("info_green.dll", "info");
  folder.Install("clock_red.dll", "clock");
  folder.Set("OBJECT", "MODULE_PATH", "Q:\\old place\\clock\\clock_red.dll");
  folder.Set("OBJECT", "MODULE_PATH2", "Q:\\old place\\info\\info_green.dll");
  RunningClock clock(folder);
  ASSERT_NE(clock.WaitForWindow(), nullptr);
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(100 + 50, 100 + 50) == RGB(0, 255, 0); }));
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(100 + 100, 100 + 100) == RGB(255, 0, 0); }));
  EXPECT_EQ(folder.Get("OBJECT", "MODULE_PATH2"), "Q:\\old place\\info\\info_green.dll");
}

// Relative values name the program's own files, also when the clock is started
// from a folder that holds files of the same relative names (blue ones here).
TEST(MovedFolderTest, RelativePathsAreTheProgramsOwnWhereverItIsStartedFrom) {
  ProgramFolder folder;
  TempDir planted("kelvane-planted");
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  folder.Install("info_green.dll", "info");
  CreateDirectoryA(planted.File("info").c_str(), nullptr);
  CopyFileA((ExeDir() + "\\info_blue.dll").c_str(), planted.File("info\\info_green.dll").c_str(),
            FALSE);
  for (const auto& [dir, color] :
       {std::pair{folder.path(), RGB(255, 0, 0)}, std::pair{planted.path(), RGB(0, 0, 255)}}) {
    OrbPicture picture;
    ASSERT_TRUE(
        OrbPictureFromBmp(MakeBmp24(200, 200, [c = color](int, int) { return c; }), &picture));
    CreateDirectoryA((dir + "\\background").c_str(), nullptr);
    WriteBytes(dir + "\\background\\plain.orb", BuildOrbFile(picture));
  }
  folder.Set("BACKGROUND", "FILE", "background\\plain.orb");
  folder.Set("OBJECT", "MODULE_PATH2", "info\\info_green.dll");
  RunningClock clock(folder.exe(), planted.path());
  ASSERT_NE(clock.WaitForWindow(), nullptr);
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(100 + 50, 100 + 50) == RGB(0, 255, 0); }));
  EXPECT_EQ(ScreenPixel(100 + 30, 100 + 100), RGB(255, 0, 0));
}

// A display change puts a clock left on no monitor back at its saved place when
// that place is on a monitor, or else on the nearest work area; nothing is written.
TEST(MovedFolderTest, ADisplayChangeBringsTheClockBackWithoutWritingItsPosition) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const struct {
    const char* x;
    const char* y;
    LONG left, top;
  } rows[] = {{"100", "120", 100, 120}, {"5000", "-4000", work.left, work.bottom - 200}};
  for (const auto& row : rows) {
    ProgramFolder folder;
    folder.Set("WINDOW", "POS_X", row.x);
    folder.Set("WINDOW", "POS_Y", row.y);
    RunningClock clock(folder);
    const HWND window = clock.WaitForWindow();
    ASSERT_NE(window, nullptr);
    for (const UINT message : {WM_DISPLAYCHANGE, WM_SETTINGCHANGE}) {
      SetWindowPos(window, nullptr, -5000, work.bottom + 3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      SendMessageA(window, message, message == WM_SETTINGCHANGE ? SPI_SETWORKAREA : 24, 0);
      EXPECT_EQ(WindowRect(window).left, row.left) << message << " " << row.x;
      EXPECT_EQ(WindowRect(window).top, row.top) << message << " " << row.x;
    }
    EXPECT_EQ(folder.Get("WINDOW", "POS_X"), row.x);
    EXPECT_EQ(folder.Get("WINDOW", "POS_Y"), row.y);
  }
}

}  // namespace
