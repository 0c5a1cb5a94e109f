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

const COLORREF kMagenta = RGB(255, 0, 255);

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

// Each larger dial is the 200 x 200 one drawn at its size: of the pixels where
// either is opaque, three in four have the colour of the small dial's pixel under
// their centre (they differ along the edges of the marks).
TEST(DialOverlay, EachLargerDialIsTheSmallOneDrawnAtItsSize) {
  const std::vector<COLORREF> dial = BitmapPixels(IDB_DIAL, 200);
  const struct {
    int id, side;
  } dials[] = {{IDB_DIAL_250, 250}, {IDB_DIAL_300, 300}, {IDB_DIAL_350, 350}, {IDB_DIAL_400, 400}};
  for (const auto& large : dials) {
    const std::vector<COLORREF> pixels = BitmapPixels(large.id, large.side);
    int inked = 0, same = 0;
    for (int y = 0; y < large.side; ++y) {
      for (int x = 0; x < large.side; ++x) {
        const COLORREF small =
            dial[(2 * y + 1) * 100 / large.side * 200 + (2 * x + 1) * 100 / large.side];
        const COLORREF pixel = pixels[y * large.side + x];
        if (pixel == kMagenta && small == kMagenta) continue;
        ++inked;
        same += pixel == small ? 1 : 0;
      }
    }
    EXPECT_GT(same, inked * 3 / 4) << large.side << ": " << same << " of " << inked;
  }
}

}  // namespace
