#include <gtest/gtest.h>

#include <cmath>

#include "tests/program/running_clock.h"

namespace {

const COLORREF kPlum = RGB(0x88, 0x20, 0x60);
const COLORREF kGreen = RGB(0, 255, 0);

// Wine takes one DPI for the whole screen from the registry, read as a program
// starts; the clock started within this scope sees `dpi`.
class SystemDpi {
 public:
  explicit SystemDpi(DWORD dpi) { Set(dpi); }
  ~SystemDpi() { Set(96); }
  SystemDpi(const SystemDpi&) = delete;
  SystemDpi& operator=(const SystemDpi&) = delete;

 private:
  static void Set(DWORD dpi) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
  }
};

// The screen pixel at `radius` of a face of `size` from the centre of a clock at
// (100, 100), 45 degrees below the horizontal to the right, where no lug stands.
COLORREF AtRadius(int size, double radius) {
  const double step = radius / std::sqrt(2.0);
  return ScreenPixel(100 + size / 2 + static_cast<int>(step),
                     100 + size / 2 + static_cast<int>(step));
}

// A clock at (100, 100) whose info module draws only at 200: green from 40 to 160.
ProgramFolder& GreenInfoAt100(ProgramFolder& folder) {
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  folder.Set("OBJECT", "MODULE_PATH2", folder.Install("info_green.dll", "info"));
  return folder;
}

// The window follows the DPI, cut to its outline at that size (the dial's rim lies
// 88 of 200 pixels from the centre), and a module that draws only at 200 still
// shows, enlarged: the green info layer spans 40 to 160 of 200.
TEST(HighDpi, TheClockIsAsLargeAsTheDpiAsksCutToItsOutlineWithAnOldModuleEnlarged) {
  TestWindow backdrop(0, 0, 600, 600, kPlum);
  for (const DWORD dpi : {96u, 144u, 192u}) {
    const SystemDpi scope(dpi);
    ProgramFolder folder;
    RunningClock clock(GreenInfoAt100(folder));
    const HWND window = clock.WaitForWindow();
    ASSERT_NE(window, nullptr);
    const int size = static_cast<int>(200 * dpi / 96);
    EXPECT_EQ(WindowRect(window).right - WindowRect(window).left, size) << dpi;
    ASSERT_TRUE(WaitFor([&] {
      return ScreenPixel(100 + size * 3 / 4 - 2, 100 + size / 2) == kGreen;
    })) << dpi;
    EXPECT_NE(AtRadius(size, 88.0 * size / 200 - 3), kPlum) << dpi;
    EXPECT_EQ(AtRadius(size, 88.0 * size / 200 + 3), kPlum) << dpi;
  }
}

// A monitor of another DPI announced while the clock runs: it grows around its
// centre and composes a face at the new size.
TEST(HighDpi, ADpiChangeRebuildsTheClockAroundItsCentre) {
  ProgramFolder folder;
  RunningClock clock(GreenInfoAt100(folder));
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  RECT suggested{50, 50, 350, 350};
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  const RECT rect = WindowRect(window);
  EXPECT_EQ(rect.right - rect.left, 300);
  EXPECT_EQ((rect.left + rect.right) / 2, 200);
  EXPECT_EQ((rect.top + rect.bottom) / 2, 200);
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(50 + 80, 200) == kGreen; }));
}

}  // namespace
