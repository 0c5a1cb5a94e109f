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

// The pixels of one of the program's bitmap resources, top row first, and its side.
std::vector<COLORREF> BitmapPixels(int id, int* side) {
  const GdiObject<HBITMAP> bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
  BITMAP size{};
  GetObjectA(bitmap.get(), sizeof size, &size);
  *side = size.bmWidth == size.bmHeight ? size.bmWidth : 0;
  const MemoryDc dc(nullptr);
  const ScopedSelect select(dc.get(), bitmap.get());
  std::vector<COLORREF> pixels;
  for (int y = 0; y < *side; ++y) {
    for (int x = 0; x < *side; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
  }
  return pixels;
}

// The dial for the 400 x 400 face is the 200 x 200 one drawn at twice the size:
// nearly every pixel of the small dial finds its colour, opaque or the
// transparent magenta, in the two by two pixels it becomes.
TEST(DialOverlay, TheLargeDialIsTheSmallOneAtTwiceTheSize) {
  int small = 0, large = 0;
  const std::vector<COLORREF> dial = BitmapPixels(IDB_DIAL, &small);
  const std::vector<COLORREF> dial400 = BitmapPixels(IDB_DIAL_400, &large);
  ASSERT_EQ(small, 200);
  ASSERT_EQ(large, 400);
  int counts[2] = {}, found[2] = {};
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      const COLORREF ink = dial[y * 200 + x];
      const int opaque = ink != RGB(255, 0, 255);
      ++counts[opaque];
      for (int i = 0; i < 4; ++i) {
        if (dial400[(2 * y + i / 2) * 400 + 2 * x + i % 2] == ink) {
          ++found[opaque];
          break;
        }
      }
    }
  }
  EXPECT_GT(found[1], counts[1] * 9 / 10) << "of " << counts[1] << " opaque pixels";
  EXPECT_GT(found[0], counts[0] * 98 / 100) << "of " << counts[0] << " transparent pixels";
}

}  // namespace
