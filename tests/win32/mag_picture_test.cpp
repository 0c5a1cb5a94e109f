#include "imaging/mag_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/win/gdi_handles.h"
#include "formats/mag_decoder.h"
#include "imaging/draw_surface.h"
#include "resources/resource_ids.h"
#include "tests/win32/decoded_picture.h"
#include "tests/win32/test_support.h"
#include "tools/mag_encoder.h"

namespace {

const COLORREF kMarker = RGB(0x12, 0x34, 0x56);
const COLORREF kWhite = RGB(255, 255, 255);

COLORREF SurfacePixel(const DrawSurface& surface, int x, int y) {
  const unsigned char* p = surface.bits() + y * surface.stride() + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

// A 24-bit surface 10 pixels larger than the pictures, filled with the marker colour.
class PictureTarget : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(surface_.Create(window_.get(), kSize, kSize, 24), 1);
    GdiObject brush(CreateSolidBrush(kMarker));
    const RECT all{0, 0, kSize, kSize};
    FillRect(surface_.memoryDc(), &all, brush.get());
  }

  // Every pixel of the picture's area matches `bmp`; the ring outside keeps the marker.
  void ExpectDrawn(const DecodedPicture& picture, int width, int height) {
    ASSERT_TRUE(picture.valid());
    GdiFlush();
    int wrong = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const COLORREF want = x < width && y < height ? picture.At(x, y) : kMarker;
        if (SurfacePixel(surface_, x, y) != want && ++wrong <= 5) {
          ADD_FAILURE() << "pixel " << x << "," << y;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  void ExpectUntouched() {
    GdiFlush();
    EXPECT_EQ(SurfacePixel(surface_, 0, 0), kMarker);
    EXPECT_EQ(SurfacePixel(surface_, 200, 100), kMarker);
  }

  static constexpr int kSize = 410;
  TestWindow window_{0, 0, 10, 10, RGB(0, 0, 0)};
  DrawSurface surface_;
};

TEST_F(PictureTarget, TheCustomizeSkinDraws400By400) {
  const std::vector<unsigned char> mag = SkinResource(IDR_CUSTOMIZE_SKIN);
  ASSERT_FALSE(mag.empty());
  const MagDecoder decoder;
  EXPECT_EQ(decoder.GetBitmapFileSize(nullptr, mag.data(), static_cast<uint32_t>(mag.size())),
            161078u);
  ASSERT_EQ(DrawPicture(surface_.memoryDc(), nullptr, mag.data(), static_cast<DWORD>(mag.size())),
            1);
  ExpectDrawn(DecodedPicture(mag), 400, 400);
  GdiFlush();
  // The page body is white; the header's banner is dark and its tab strip light.
  EXPECT_EQ(SurfacePixel(surface_, 160, 150), kWhite);
  EXPECT_LT(GetBValue(SurfacePixel(surface_, 200, 10)), 0xA0);
  EXPECT_GT(GetGValue(SurfacePixel(surface_, 250, 30)), 0xC0);
}

TEST_F(PictureTarget, TheMessageSkinDraws320By160) {
  const std::vector<unsigned char> mag = SkinResource(IDR_MESSAGE_SKIN);
  ASSERT_FALSE(mag.empty());
  const MagDecoder decoder;
  EXPECT_EQ(decoder.GetBitmapFileSize(nullptr, mag.data(), static_cast<uint32_t>(mag.size())),
            52278u);
  ASSERT_EQ(DrawPicture(surface_.memoryDc(), nullptr, mag.data(), static_cast<DWORD>(mag.size())),
            1);
  ExpectDrawn(DecodedPicture(mag), 320, 160);
  GdiFlush();
  EXPECT_EQ(SurfacePixel(surface_, 120, 80), kWhite);  // the text field
}

TEST_F(PictureTarget, SixteenColourPicturesDrawToo) {
  IndexedImage image;
  image.width = 37;
  image.height = 21;
  image.colors = 16;
  for (int i = 0; i < 16; ++i)
    image.palette.insert(image.palette.end(), {uint8_t(i * 16), 0x80, uint8_t(255 - i)});
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x)
      image.indices.push_back(static_cast<uint8_t>((x / 3 + y) % 16));
  }
  std::vector<uint8_t> mag;
  ASSERT_TRUE(EncodeMag(image, MagOptions(), &mag));
  ASSERT_EQ(DrawPicture(surface_.memoryDc(), nullptr, mag.data(), static_cast<DWORD>(mag.size())),
            1);
  ExpectDrawn(DecodedPicture(mag), 40, 21);  // widened to whole groups of 8
}

TEST_F(PictureTarget, FromAFileWhoseNameHoldsBackslashTrailBytes) {
  const std::vector<unsigned char> mag = SkinResource(IDR_MESSAGE_SKIN);
  TempDir dir;
  const std::string path = dir.File("\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67.mag");  // 表示ソフト
  WriteBytes(path, mag);
  ASSERT_EQ(DrawPicture(surface_.memoryDc(), path.c_str(), nullptr, 0), 1);
  ExpectDrawn(DecodedPicture(mag), 320, 160);
  EXPECT_EQ(DrawPicture(surface_.memoryDc(), dir.File("missing.mag").c_str(), nullptr, 0), 0);
}

TEST_F(PictureTarget, APictureThatCannotBeDecodedDrawsNothing) {
  std::vector<unsigned char> mag = SkinResource(IDR_CUSTOMIZE_SKIN);
  ASSERT_FALSE(mag.empty());
  std::vector<unsigned char> truncated(mag.begin(), mag.begin() + mag.size() / 2);
  EXPECT_EQ(DrawPicture(surface_.memoryDc(), nullptr, truncated.data(),
                        static_cast<DWORD>(truncated.size())),
            0);
  std::vector<unsigned char> badMagic = mag;
  badMagic[3] = 'X';
  EXPECT_EQ(DrawPicture(surface_.memoryDc(), nullptr, badMagic.data(),
                        static_cast<DWORD>(badMagic.size())),
            0);
  EXPECT_EQ(DrawPicture(surface_.memoryDc(), nullptr, nullptr, 0), 0);
  ExpectUntouched();
}

}  // namespace
