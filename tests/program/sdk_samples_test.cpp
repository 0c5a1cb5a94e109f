#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "base/win/loaded_library.h"
#include "imaging/draw_surface.h"
#include "sdk/kelvane_module.h"
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

// On a 400 x 400 face the scaled export puts the dot twice as far from the
// centre and twice as large: at 15 seconds 120 pixels right, 10 pixels round.
TEST(SdkSamplesTest, TheSampleModulesScaledExportDrawsTheDotScaled) {
  const LoadedLibrary sample(LoadLibraryA((ExeDir() + "\\sample_module.dll").c_str()));
  const auto initialize = sample.Export<KelvaneModuleInitializeFn>("Initialize");
  const auto drawScaled = sample.Export<KelvaneModuleDrawScaledFn>("DrawClockScaled");
  ASSERT_TRUE(initialize != nullptr && drawScaled != nullptr);
  const TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  initialize(window.get());
  DrawSurface face;
  ASSERT_EQ(face.Create(window.get(), 400, 400, 16), 1);
  SYSTEMTIME t{};
  t.wSecond = 15;
  drawScaled(face.memoryDc(), &t, 400);
  GdiFlush();
  for (const auto& [x, red] : {std::pair{312, true}, {328, true}, {307, false}, {333, false}}) {
    EXPECT_EQ(Pixel555(face.bits(), face.stride(), x, 200) == RGB(248, 0, 0), red) << x;
  }
  sample.Export<KelvaneModuleUninitializeFn>("Uninitialize")();
}

}  // namespace
