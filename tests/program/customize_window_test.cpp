#include <gtest/gtest.h>

#include <vector>

#include "resources/resource_ids.h"
#include "tests/program/running_clock.h"
#include "tests/win32/dialog_driver.h"

namespace {

// Mirrick's box on a clock at (100, 100): its text changes every second.
std::vector<COLORREF> InfoBoxPixels() {
  RECT box = {100 + 70, 100 + 146, 100 + 134, 100 + 162};
  return CaptureScreen(box);
}

TEST(CustomizeWindowTest, SpaceOpensTheDialogTheClockTicksOnAndEscClosesIt) {
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  folder.Set("OBJECT", "MODULE_PATH2", folder.Install("Mirrick.dll", "info"));
  RunningClock clock(folder);
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);

  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  const HWND dialog = WaitForDialog(ProcessOf(window));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
  const std::vector<COLORREF> face = InfoBoxPixels();
  EXPECT_TRUE(WaitFor([&] { return InfoBoxPixels() != face; }, 3000));

  ASSERT_TRUE(BringToFront(dialog));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([dialog] { return !IsWindow(dialog); }));
  EXPECT_FALSE(clock.WaitForExit(0));
}

// Closed under page 3 (an installer closing the clock), the page starts no plug-in
// again on the window that is going away: the one plug-in is started once, released once.
TEST(CustomizeWindowTest, ClosingTheClockUnderTheOpenDialogEndsTheProgram) {
  CallLog log;
  ProgramFolder folder;
  folder.Set("CONFIG", "SELECTION", "3");
  folder.Install("plugin_good.dll", "plugin");
  WriteBytes(folder.File("plugin\\enable.txt"),
             {'p', 'l', 'u', 'g', 'i', 'n', '_', 'g', 'o', 'o', 'd', '.', 'd', 'l', 'l'});
  RunningClock clock(folder);
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_COMMAND, IDM_CUSTOMIZE, 0);
  ASSERT_NE(WaitForDialog(ProcessOf(window)), nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit());
  EXPECT_EQ(clock.ExitCode(), 0u);
  EXPECT_EQ(log.Matching("Init").size(), 1u);
  EXPECT_EQ(log.Matching("Release").size(), 1u);
}

}  // namespace
