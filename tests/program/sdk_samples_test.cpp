#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/program/running_clock.h"
#include "tests/win32/test_support.h"

namespace {

// The samples are built from the SDK's headers alone; the real program runs them.
TEST(SdkSamplesTest, TheProgramDrawsTheSampleModuleAndKeepsTheSamplePlugin) {
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  folder.Set("OBJECT", "MODULE_PATH", folder.Install("sample_module.dll", "clock"));
  folder.Install("sample_plugin.dll", "plugin");
  const std::string enable = "sample_plugin.dll\r\n";
  WriteBytes(folder.File("plugin\\enable.txt"), {enable.begin(), enable.end()});
  RunningClock clock(folder);
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  // The red dot stands 60 pixels from the centre, somewhere on its circle.
  EXPECT_TRUE(WaitFor([] {
    for (int degree = 0; degree < 360; degree += 6) {
      const double angle = degree * 3.14159265358979 / 180;
      const int x = 200 + static_cast<int>(std::lround(60 * std::sin(angle)));
      const int y = 200 - static_cast<int>(std::lround(60 * std::cos(angle)));
      if (ScreenPixel(x, y) == RGB(255, 0, 0)) return true;
    }
    return false;
  }));
  EXPECT_TRUE(ProcessHasModule(window, "sample_plugin.dll"));
}

}  // namespace
