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

TEST(MovedFolderTest, AClockLeftOnNoMonitorComesBackWithoutWritingItsPosition) {
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  RunningClock clock(folder);
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  for (const UINT message : {WM_DISPLAYCHANGE, WM_SETTINGCHANGE}) {
    SetWindowPos(window, nullptr, -5000, work.bottom + 3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(window, message, message == WM_SETTINGCHANGE ? SPI_SETWORKAREA : 24, 0);
    EXPECT_EQ(WindowRect(window).left, work.left) << message;
    EXPECT_EQ(WindowRect(window).bottom, work.bottom) << message;
  }
  EXPECT_EQ(folder.Get("WINDOW", "POS_X"), "100");
  EXPECT_EQ(folder.Get("WINDOW", "POS_Y"), "100");
}

}  // namespace
