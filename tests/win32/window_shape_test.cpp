#include "app/window/window_shape.h"

#include <gtest/gtest.h>

#include "base/win/resource_data.h"
#include "tests/win32/test_support.h"

namespace {

std::vector<unsigned char> ShippedRegion() {
  const unsigned char* data = nullptr;
  DWORD size = 0;
  if (!LoadResourceData(104, "RGN", &data, &size)) return {};
  return std::vector<unsigned char>(data, data + size);
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool WindowRegionContains(HWND window, int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(window, region);
  const bool inside = PtInRegion(region, x, y) != 0;
  DeleteObject(region);
  return inside;
}

TEST(ApplyRegion, TheShippedOutlineShapesAndSizesTheWindow) {
  TestWindow window(30, 40, 50, 50, RGB(0, 0, 0));
  RegionInfo info{};
  ASSERT_EQ(ApplyRegion(&info, window.get(), "RGN", 104), 1);
  EXPECT_EQ(info.width, 200);
  EXPECT_EQ(info.height, 200);
  const RECT rect = WindowRect(window.get());
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 200);
  EXPECT_TRUE(WindowRegionContains(window.get(), 100, 100));
  EXPECT_FALSE(WindowRegionContains(window.get(), 1, 1));  // the corners are cut away
  EXPECT_FALSE(WindowRegionContains(window.get(), 198, 198));
}

TEST(ApplyRegion, AMissingResourceFailsSilentlyAndLeavesTheWindow) {
  MessageBoxWatcher boxes("ERROR");
  TestWindow window(30, 40, 50, 60, RGB(0, 0, 0));
  RegionInfo info{};
  EXPECT_EQ(ApplyRegion(&info, window.get(), "RGN", 999), 0);
  EXPECT_EQ(WindowRect(window.get()).right, 80);
  EXPECT_EQ(WindowRect(window.get()).bottom, 100);
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(ApplyRegion, AFileSizesTheWindowByItsHeaderAndKeepsTheCorner) {
  TempDir dir;
  std::vector<unsigned char> file = ShippedRegion();
  ASSERT_FALSE(file.empty());
  file[8] = 120;  // header width 120, height 90; the rectangles stay
  file[9] = 0;
  file[10] = 90;
  file[11] = 0;
  WriteBytes(dir.File("clock.rgn"), file);
  TestWindow window(30, 40, 50, 50, RGB(0, 0, 0));
  RegionInfo info{};
  ASSERT_EQ(ApplyRegion(&info, window.get(), dir.File("clock.rgn").c_str(), 0), 1);
  const RECT rect = WindowRect(window.get());
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right - rect.left, 120);
  EXPECT_EQ(rect.bottom - rect.top, 90);
}

struct BadFile {
  const char* what;
  std::function<void(std::vector<unsigned char>&)> damage;
  const char* message;
};

TEST(LoadRegionFile, DamagedFilesAreRefusedWithTheirMessage) {
  const std::vector<BadFile> cases = {
      {"magic with a non-zero fourth byte", [](auto& f) { f[3] = 1; }, "File format wrong"},
      {"zero width", [](auto& f) { f[8] = f[9] = 0; }, "File Format wrong"},
      {"zero rectangle bytes", [](auto& f) { f[6] = f[7] = 0; }, "File Format wrong"},
      {"shorter than announced", [](auto& f) { f.resize(f.size() - 1); }, "File Format wrong"},
      {"header only", [](auto& f) { f.resize(16); }, "File Format wrong"},
      {"negative rectangle bytes", [](auto& f) { f[7] = 0x80; }, "malloc was failed"},
      {"count beyond the rectangles", [](auto& f) { f[16 + 9] += 1; }, "File Format wrong"},
  };
  TempDir dir;
  for (const BadFile& bad : cases) {
    std::vector<unsigned char> file = ShippedRegion();
    bad.damage(file);
    WriteBytes(dir.File("bad.rgn"), file);
    MessageBoxWatcher boxes("ERROR");
    RegionInfo info{-1, -1};
    EXPECT_EQ(LoadRegionFile(&info, dir.File("bad.rgn").c_str()), nullptr) << bad.what;
    ASSERT_TRUE(WaitFor([&] { return !boxes.Texts().empty(); }, 5000)) << bad.what;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{bad.message}) << bad.what;
  }
}

TEST(LoadRegionFile, ZeroSizesAreStoredBeforeTheyAreRefused) {
  TempDir dir;
  std::vector<unsigned char> file = ShippedRegion();
  file[10] = file[11] = 0;  // height 0, width stays 200
  WriteBytes(dir.File("flat.rgn"), file);
  MessageBoxWatcher boxes("ERROR");
  RegionInfo info{-1, -1};
  EXPECT_EQ(LoadRegionFile(&info, dir.File("flat.rgn").c_str()), nullptr);
  EXPECT_EQ(info.width, 200);
  EXPECT_EQ(info.height, 0);
}

TEST(LoadRegionFile, AMissingFileNamesThePathOnTheSecondLine) {
  TempDir dir;
  const std::string path = dir.File("none.rgn");
  MessageBoxWatcher boxes("ERROR");
  RegionInfo info{};
  EXPECT_EQ(LoadRegionFile(&info, path.c_str()), nullptr);
  ASSERT_TRUE(WaitFor([&] { return !boxes.Texts().empty(); }, 5000));
  EXPECT_EQ(boxes.Texts()[0], "Not found rgn file\n" + path);
}

}  // namespace
