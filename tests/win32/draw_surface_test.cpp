#include "imaging/draw_surface.h"

#include <gtest/gtest.h>

#include "base/win/resource_data.h"
#include "imaging/ui_font.h"
#include "tests/win32/test_support.h"

namespace {

void ExpectEmpty(const DrawSurface& surface) {
  EXPECT_EQ(surface.memoryDc(), nullptr);
  EXPECT_EQ(surface.bits(), nullptr);
  EXPECT_EQ(surface.stride(), 0);
  EXPECT_EQ(surface.width(), 0u);
  EXPECT_EQ(surface.height(), 0u);
  EXPECT_EQ(surface.bitmapInfo().bmiHeader.biSize, 0u);
}

TEST(DrawSurface, RowsAreFourByteAligned) {
  TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  struct Case {
    unsigned width, height;
    int depth, stride;
  };
  for (const Case& c : {Case{200, 200, 16, 400}, Case{400, 400, 24, 1200}, Case{320, 160, 24, 960},
                        Case{3, 2, 24, 12}, Case{5, 1, 32, 20}, Case{3, 1, 16, 8}}) {
    DrawSurface surface;
    ASSERT_EQ(surface.Create(window.get(), c.width, c.height, c.depth), 1);
    EXPECT_EQ(surface.stride(), c.stride) << c.width << "x" << c.depth;
    EXPECT_EQ(surface.width(), c.width);
    EXPECT_EQ(surface.height(), c.height);
    const BITMAPINFOHEADER& header = surface.bitmapInfo().bmiHeader;
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biHeight, -static_cast<LONG>(c.height));
    EXPECT_EQ(header.biBitCount, c.depth);
    EXPECT_NE(surface.bits(), nullptr);
  }
}

TEST(DrawSurface, RowsRunTopDown) {
  TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  DrawSurface surface;
  ASSERT_EQ(surface.Create(window.get(), 8, 4, 24), 1);
  const RECT firstRow{0, 0, 8, 1};
  FillRect(surface.memoryDc(), &firstRow, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  GdiFlush();
  EXPECT_EQ(surface.bits()[0], 0xFF);
  EXPECT_EQ(surface.bits()[3 * 8 - 1], 0xFF);
  EXPECT_EQ(surface.bits()[surface.stride()], 0x00);  // the second row is untouched
}

TEST(DrawSurface, RefusesDepthsAndSizesItCannotHold) {
  TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  struct Case {
    unsigned width, height;
    int depth;
  };
  for (const Case& c : {Case{10, 10, 8}, Case{10, 10, 1}, Case{65536, 1, 16}, Case{1, 65536, 16},
                        Case{0, 10, 16}, Case{10, 0, 24}}) {
    DrawSurface surface;
    EXPECT_EQ(surface.Create(window.get(), c.width, c.height, c.depth), 0)
        << c.width << "x" << c.height << "x" << c.depth;
    ExpectEmpty(surface);
  }
}

TEST(DrawSurface, TheSizeLimitIsInclusive) {
  TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  DrawSurface surface;
  EXPECT_EQ(surface.Create(window.get(), 65535, 1, 16), 1);
  EXPECT_EQ(surface.stride(), 131072);
}

TEST(DrawSurface, DestroyEmptiesAndIsSafeTwice) {
  TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  DrawSurface never;
  never.Destroy();
  never.Destroy();
  ExpectEmpty(never);

  DrawSurface surface;
  ASSERT_EQ(surface.Create(window.get(), 20, 20, 32), 1);
  HDC dc = surface.memoryDc();
  surface.Destroy();
  ExpectEmpty(surface);
  surface.Destroy();
  EXPECT_EQ(GetObjectType(dc), 0u);                        // the device context is gone
  ASSERT_EQ(surface.Create(window.get(), 20, 20, 16), 1);  // and can be made again
}

TEST(DrawSurface, KeepsItsBitmapSelectedAndGivesBackTheOriginal) {
  TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  DrawSurface surface;
  ASSERT_EQ(surface.Create(window.get(), 16, 16, 24), 1);
  HGDIOBJ selected = GetCurrentObject(surface.memoryDc(), OBJ_BITMAP);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(selected, sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBits, surface.bits());
}

TEST(ResourceHelpers, LoadResourceDataFindsOnlyExistingResources) {
  const unsigned char* data = nullptr;
  DWORD size = 0;
  ASSERT_EQ(LoadResourceData(104, "RGN", &data, &size), 1);
  EXPECT_EQ(size, 16u + 32u + (data[6] | data[7] << 8));
  EXPECT_EQ(data[0], 'R');
  EXPECT_EQ(LoadResourceData(104 + 0x10000, "RGN", &data, &size), 1);  // only the low 16 bits count
  EXPECT_EQ(LoadResourceData(999, "RGN", &data, &size), 0);
  EXPECT_EQ(LoadResourceData(104, "MAG", &data, &size), 0);
}

TEST(ResourceHelpers, CreateUiFontMakesAFixedPitchFontOfTheGivenHeight) {
  HFONT font = CreateUiFont(13);
  ASSERT_NE(font, nullptr);
  LOGFONTA description{};
  GetObjectA(font, sizeof description, &description);
  EXPECT_EQ(description.lfHeight, 13);
  EXPECT_EQ(description.lfWeight, FW_NORMAL);
  EXPECT_EQ(description.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
  EXPECT_STREQ(description.lfFaceName, "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
  DeleteObject(font);
}

}  // namespace
