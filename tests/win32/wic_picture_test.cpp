#include "base/win/wic_picture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "base/little_endian.h"
#include "base/win/draw_picture.h"
#include "base/win/gdi_handles.h"
#include "tests/win32/test_support.h"
#include "tools/exif_segment.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Corners = std::array<uint32_t, 4>;  // top left, top right, bottom left, bottom right

constexpr int kSide = 32;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr Corners kQuadrantColors = {kRed, kGreen, kBlue, kWhite};

// The quadrant that (x, y) lies in, numbered as Corners counts.
int Quadrant(int x, int y, int width, int height) {
  return (x >= width / 2) + 2 * (y >= height / 2);
}

BgraPicture Quadrants(int width, int height) {
  BgraPicture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.pixels.push_back(kQuadrantColors[Quadrant(x, y, width, height)]);
    }
  }
  return picture;
}

Corners CornersOf(const BgraPicture& p) {
  const auto at = [&p](int x, int y) { return p.pixels[y * p.width + x]; };
  return {at(0, 0), at(p.width - 1, 0), at(0, p.height - 1), at(p.width - 1, p.height - 1)};
}

// True when every channel of `a` is within `tolerance` of `b`'s.
bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        tolerance) {
      return false;
    }
  }
  return true;
}

void Append(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A kSide-wide BMP file with a 40-byte header; a negative height is top-down.
Bytes Bmp(uint16_t bits, uint32_t compression, int32_t height, const Bytes& table,
          const Bytes& pixels) {
  Bytes file = {'B', 'M'};
  Append(file, static_cast<uint32_t>(54 + table.size() + pixels.size()), 4);
  Append(file, 0, 4);
  Append(file, static_cast<uint32_t>(54 + table.size()), 4);
  for (uint32_t field : {40u, static_cast<uint32_t>(kSide), static_cast<uint32_t>(height)}) {
    Append(file, field, 4);
  }
  Append(file, 1, 2);
  Append(file, bits, 2);
  for (uint32_t field :
       {compression, static_cast<uint32_t>(pixels.size()), 0u, 0u, bits <= 8 ? 4u : 0u, 0u}) {
    Append(file, field, 4);
  }
  file.insert(file.end(), table.begin(), table.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// Uncompressed quadrant rows, each pixel its quadrant's value in `bytes` bytes.
Bytes Rows(int bytes, bool topDown, const Corners& values) {
  Bytes rows;
  for (int row = 0; row < kSide; ++row) {
    for (int x = 0; x < kSide; ++x) {
      Append(rows, values[Quadrant(x, topDown ? row : kSide - 1 - row, kSide, kSide)], bytes);
    }
    while (rows.size() % 4 != 0) rows.push_back(0);
  }
  return rows;
}

// Bottom-up RLE rows of the quadrants: two runs of half a row, each repeating
// `code` times its quadrant's colour index, and an end of line; then the end.
Bytes RleRows(unsigned char code) {
  Bytes rows;
  for (int row = 0; row < kSide; ++row) {
    const int y = kSide - 1 - row;
    const auto left = static_cast<unsigned char>(code * Quadrant(0, y, kSide, kSide));
    const auto right = static_cast<unsigned char>(code * Quadrant(kSide - 1, y, kSide, kSide));
    rows.insert(rows.end(), {kSide / 2, left, kSide / 2, right, 0, 0});
  }
  rows.insert(rows.end(), {0, 1});
  return rows;
}

// A GIF of two kSide-square frames: the quadrants, then all red. The codes stay
// 8 bits wide: the minimum code size is 7 and a clear code comes before every
// 100 pixels, so the decoder's table never reaches 256 entries.
Bytes Gif() {
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a', kSide, 0, kSide, 0, 0xF6, 0, 0};
  for (int entry = 0; entry < 128; ++entry) {
    const uint32_t color = entry < 4 ? kQuadrantColors[entry] : 0;
    Append(gif, (color >> 16 & 0xFF) | (color & 0xFF00) | (color & 0xFF) << 16, 3);
  }
  for (int frame = 0; frame < 2; ++frame) {
    gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, kSide, 0, kSide, 0, 0, 7});
    Bytes codes;
    for (int i = 0; i < kSide * kSide; ++i) {
      if (i % 100 == 0) codes.push_back(128);
      codes.push_back(static_cast<unsigned char>(
          frame == 0 ? Quadrant(i % kSide, i / kSide, kSide, kSide) : 0));
    }
    codes.push_back(129);
    for (size_t at = 0; at < codes.size(); at += 255) {
      const size_t block = std::min<size_t>(255, codes.size() - at);
      gif.push_back(static_cast<unsigned char>(block));
      gif.insert(gif.end(), codes.begin() + at, codes.begin() + at + block);
    }
    gif.push_back(0);
  }
  gif.push_back(0x3B);
  return gif;
}

class WicPictureTest : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.File(name); }

  std::string Write(const std::string& name, const Bytes& bytes) const {
    WriteBytes(Path(name), bytes);
    return Path(name);
  }

  // The bytes of `picture` written by WritePictureFile.
  Bytes Encoded(const BgraPicture& picture, PictureFileType type) const {
    const std::string path = Path("encoded");
    EXPECT_TRUE(WritePictureFile(path.c_str(), picture, type));
    const std::string text = ReadText(path);
    return Bytes(text.begin(), text.end());
  }

  // The whole upright picture at `path`, scaled to `target` (its own size when 0 x 0).
  static BgraPicture DecodeWhole(const std::string& path, PictureSize target = {0, 0}) {
    const WicPicture picture(path.c_str());
    const PictureSize size = picture.size();
    return picture.Decode({0, 0, size.width, size.height}, target.width ? target : size);
  }

  TempDir dir_{"kelvane-wic"};
};

TEST_F(WicPictureTest, DecodesEveryKindWithItsColours) {
  const Bytes palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
  const Bytes masks32 = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  const Bytes masks565 = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  const Corners rgb = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const struct {
    const char* what;
    Bytes file;
    int tolerance;
  } table[] = {
      {"PNG", Encoded(Quadrants(kSide, kSide), PictureFileType::kPng), 0},
      {"JPEG", Encoded(Quadrants(kSide, kSide), PictureFileType::kJpeg), 16},
      {"GIF, its first frame", Gif(), 0},
      {"BMP, 24 bits, top-down", Bmp(24, BI_RGB, -kSide, {}, Rows(3, true, rgb)), 0},
      {"BMP, 16 bits 5-5-5, top-down",
       Bmp(16, BI_RGB, -kSide, {}, Rows(2, true, {0x7C00, 0x03E0, 0x001F, 0x7FFF})), 0},
      {"BMP, 16 bits 5-6-5 bit fields",
       Bmp(16, BI_BITFIELDS, kSide, masks565, Rows(2, false, {0xF800, 0x07E0, 0x001F, 0xFFFF})), 0},
      {"BMP, 32 bits bit fields, top-down",
       Bmp(32, BI_BITFIELDS, -kSide, masks32, Rows(4, true, rgb)), 0},
      {"BMP, RLE8", Bmp(8, BI_RLE8, kSide, palette, RleRows(1)), 0},
      {"BMP, RLE4", Bmp(4, BI_RLE4, kSide, palette, RleRows(0x11)), 0},
  };
  for (const auto& row : table) {
    const BgraPicture picture = DecodeWhole(Write("picture", row.file));
    ASSERT_EQ(picture.width, kSide) << row.what;
    ASSERT_EQ(picture.height, kSide) << row.what;
    const Corners corners = CornersOf(picture);
    for (int corner = 0; corner < 4; ++corner) {
      EXPECT_TRUE(Near(corners[corner], kQuadrantColors[corner], row.tolerance))
          << row.what << ", corner " << corner << ": " << std::hex << corners[corner];
    }
  }
}

TEST_F(WicPictureTest, StandsEveryExifOrientationUpright) {
  // Stored 64 x 32: red, green over blue, white.
  const Bytes jpeg = Encoded(Quadrants(64, 32), PictureFileType::kJpeg);
  const struct {
    int orientation;
    Corners corners;
  } table[] = {
      {1, {kRed, kGreen, kBlue, kWhite}}, {2, {kGreen, kRed, kWhite, kBlue}},
      {3, {kWhite, kBlue, kGreen, kRed}}, {4, {kBlue, kWhite, kRed, kGreen}},
      {5, {kRed, kBlue, kGreen, kWhite}}, {6, {kBlue, kRed, kWhite, kGreen}},
      {7, {kWhite, kGreen, kBlue, kRed}}, {8, {kGreen, kWhite, kRed, kBlue}},
  };
  for (const auto& row : table) {
    const std::string path =
        Write("turned.jpg", WithExifOrientation(jpeg, static_cast<uint16_t>(row.orientation)));
    const PictureSize upright = row.orientation >= 5 ? PictureSize{32, 64} : PictureSize{64, 32};
    EXPECT_EQ(WicPicture(path.c_str()).size(), upright) << row.orientation;
    for (const PictureSize target : {upright, PictureSize{upright.width / 4, upright.height / 4}}) {
      const Corners corners = CornersOf(DecodeWhole(path, target));
      for (int corner = 0; corner < 4; ++corner) {
        EXPECT_TRUE(Near(corners[corner], row.corners[corner], 16))
            << row.orientation << " at " << target.width << ", corner " << corner;
      }
    }
  }
}

TEST_F(WicPictureTest, ShrinksWithAFilterAndDecodesTheCoveredPart) {
  BgraPicture checkerboard{64, 64, {}};
  for (int i = 0; i < 64 * 64; ++i)
    checkerboard.pixels.push_back((i + i / 64) % 2 ? kWhite : 0xFF000000);
  const BgraPicture grey = DecodeWhole(
      Write("checkerboard.png", Encoded(checkerboard, PictureFileType::kPng)), {16, 16});
  for (uint32_t pixel : grey.pixels) ASSERT_TRUE(Near(pixel, 0xFF808080, 2)) << std::hex << pixel;

  // The centred 32 x 32 of 64 x 32 quadrants: half of each.
  const WicPicture wide(
      Write("wide.png", Encoded(Quadrants(64, 32), PictureFileType::kPng)).c_str());
  const PictureRect cover = CoverSource(wide.size(), {16, 16});
  EXPECT_EQ(CornersOf(wide.Decode(cover, {16, 16})), kQuadrantColors);
  for (const PictureRect& outside :
       {PictureRect{33, 0, 32, 32}, PictureRect{0, 0, 0, 32}, PictureRect{-1, 0, 8, 8}}) {
    EXPECT_TRUE(wide.Decode(outside, {16, 16}).empty()) << outside.x << ", " << outside.width;
  }
  EXPECT_TRUE(wide.Decode(cover, {0, 16}).empty());
  EXPECT_TRUE(wide.Decode(cover, {20001, 1}).empty());
}

TEST_F(WicPictureTest, HostileFilesDecodeToNothing) {
  const Bytes jpeg = Encoded(Quadrants(kSide, kSide), PictureFileType::kJpeg);
  const Bytes png = Encoded(Quadrants(kSide, kSide), PictureFileType::kPng);
  Bytes hugeJpeg = jpeg;
  for (size_t at = 2; at + 9 < hugeJpeg.size(); ++at) {
    if (hugeJpeg[at] == 0xFF && hugeJpeg[at + 1] == 0xC0) {
      hugeJpeg[at + 5] = hugeJpeg[at + 7] = 0x75;  // 30,000 is 0x7530
      hugeJpeg[at + 6] = hugeJpeg[at + 8] = 0x30;
      break;
    }
  }
  Bytes hugeGif = Gif();
  WriteUint16(&hugeGif[6], 30000);
  WriteUint16(&hugeGif[8], 30000);
  // Pictures that decode, but one side is longer than 20,000.
  const BgraPicture line{20001, 1, std::vector<uint32_t>(20001, kRed)};
  Bytes wideBmp = Bmp(24, BI_RGB, 1, {}, Bytes(60004, 0x80));
  WriteUint32(&wideBmp[18], 20001);
  Bytes badCrc = png;
  badCrc[29] ^= 1;  // IHDR's CRC
  const std::string text = "これは絵ではありません";
  const struct {
    const char* name;
    Bytes file;
  } table[] = {
      {"truncated.jpg", Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2)},
      {"crc.png", badCrc},
      {"huge.jpg", hugeJpeg},
      {"huge.gif", hugeGif},
      {"wide.png", Encoded(line, PictureFileType::kPng)},
      {"wide.jpg", Encoded(line, PictureFileType::kJpeg)},
      {"wide.bmp", wideBmp},
      {"text.png", Bytes(text.begin(), text.end())},
      {"empty.gif", {}},
  };
  for (const auto& row : table) {
    const WicPicture picture(Write(row.name, row.file).c_str());
    EXPECT_FALSE(picture.valid()) << row.name;
    EXPECT_EQ(picture.size(), (PictureSize{0, 0})) << row.name;
    EXPECT_TRUE(picture.Decode({0, 0, 1, 1}, {1, 1}).empty()) << row.name;
  }
  EXPECT_FALSE(WicPicture(Path("missing.png").c_str()).valid());
}

TEST_F(WicPictureTest, WritesAndDrawsTransparentPartsOverBlack) {
  // Opaque red, half-transparent red (premultiplied), transparent; a blue row below.
  const BgraPicture picture{3, 2, {kRed, 0x80800000, 0, kBlue, kBlue, kBlue}};
  const std::string path = Path("written.png");
  ASSERT_TRUE(WritePictureFile(path.c_str(), picture, PictureFileType::kPng));
  const BgraPicture read = DecodeWhole(path);
  EXPECT_EQ(read.pixels, picture.pixels);

  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, 4, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const GdiObject<HBITMAP> bitmap(
      CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const MemoryDc dc(nullptr);
  const ScopedSelect select(dc.get(), bitmap.get());
  std::fill_n(static_cast<uint32_t*>(bits), 8, 0x00FFFFFF);
  ASSERT_TRUE(DrawPicture(dc.get(), 1, 0, read));
  GdiFlush();
  const uint32_t* drawn = static_cast<const uint32_t*>(bits);
  EXPECT_EQ(drawn[0] & 0xFFFFFF, 0xFFFFFFu);  // left alone
  EXPECT_EQ(drawn[1] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(drawn[2] & 0xFFFFFF, 0x800000u);
  EXPECT_EQ(drawn[3] & 0xFFFFFF, 0u);
  EXPECT_EQ(drawn[5] & 0xFFFFFF, 0x0000FFu);

  EXPECT_FALSE(
      WritePictureFile(Path("no folder\\written.png").c_str(), picture, PictureFileType::kPng));
  EXPECT_FALSE(WritePictureFile(path.c_str(), BgraPicture{}, PictureFileType::kJpeg));
}

}  // namespace
