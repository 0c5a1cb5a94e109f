#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "base/win/gdi_handles.h"
#include "resources/resource_ids.h"

namespace {

// The notification area asks for 16 to 32 pixels at 96 to 192 DPI, and Explorer for 48:
// each size has an image of its own, which the system picks without scaling another.
TEST(ClockIcon, HoldsAnImageOfEachSizeTheSystemAsksFor) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_CLOCK), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  for (int size : {16, 20, 24, 32, 48}) {
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biHeight, 2 * size);  // the image and its mask
  }
}

// The pixels of the program's bitmap resource `id`, `side` x `side`, top row first.
std::vector<COLORREF> BitmapPixels(int id, int side) {
  const GdiObject<HBITMAP> bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
  BITMAP size{};
  GetObjectA(bitmap.get(), sizeof size, &size);
  EXPECT_TRUE(size.bmWidth == side && size.bmHeight == side) << id;
  const MemoryDc dc(nullptr);
  const ScopedSelect select(dc.get(), bitmap.get());
  std::vector<COLORREF> pixels;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
  }
  return pixels;
}

// The dial for the 400 x 400 face is the 200 x 200 one drawn at twice the size:
// nearly every pixel of the small dial, opaque or the transparent magenta, finds
// its colour in the two by two pixels it becomes.
TEST(DialOverlay, TheLargeDialIsTheSmallOneAtTwiceTheSize) {
  const std::vector<COLORREF> dial = BitmapPixels(IDB_DIAL, 200);
  const std::vector<COLORREF> large = BitmapPixels(IDB_DIAL_400, 400);
  int found = 0;
  for (int i = 0; i < 200 * 200; ++i) {
    const int x = 2 * (i % 200), y = 2 * (i / 200);
    for (int at : {y * 400 + x, y * 400 + x + 1, (y + 1) * 400 + x, (y + 1) * 400 + x + 1}) {
      if (large[at] == dial[i]) {
        ++found;
        break;
      }
    }
  }
  EXPECT_GT(found, 200 * 200 * 98 / 100);
}

}  // namespace
