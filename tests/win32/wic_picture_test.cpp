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

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr Corners kQuadrants = {kRed, kGreen, kBlue, kWhite};

BgraPicture Quadrants(int width, int height) {
  BgraPicture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    picture.pixels.push_back(kQuadrants[(i % width >= width / 2) + 2 * (i / width >= height / 2)]);
  }
  return picture;
}

Corners CornersOf(const BgraPicture& p) {
  if (p.empty()) return {};
  const size_t last = p.pixels.size() - 1;
  return {p.pixels[0], p.pixels[p.width - 1], p.pixels[last - (p.width - 1)], p.pixels[last]};
}

// True when every channel of every corner is within `tolerance` of the expected.
bool Near(const Corners& corners, const Corners& expected, int tolerance) {
  for (int i = 0; i < 4; ++i) {
    for (int shift = 0; shift < 32; shift += 8) {
      const int difference = static_cast<int>((corners[i] >> shift) & 0xFF) -
                             static_cast<int>((expected[i] >> shift) & 0xFF);
      if (std::abs(difference) > tolerance) return false;
    }
  }
  return true;
}

class WicPictureTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) const {
    WriteBytes(dir_.File(name), bytes);
    return dir_.File(name);
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
  std::vector<NamedFile> files = BmpKinds();
  files.push_back({"PNG", EncodePicture(Quadrants(32, 32), PictureFileType::kPng)});
  files.push_back({"GIF, its first frame", QuadrantsGif()});
  files.push_back({"JPEG", EncodePicture(Quadrants(32, 32), PictureFileType::kJpeg)});
  for (const NamedFile& file : files) {
    const Corners corners = CornersOf(DecodeWhole(Write("picture", file.bytes)));
    EXPECT_TRUE(Near(corners, kQuadrants, file.name == "JPEG" ? 16 : 0))
        << file.name << std::hex << ": " << corners[0] << " " << corners[1] << " " << corners[2]
        << " " << corners[3];
  }
}

TEST_F(WicPictureTest, StandsEveryExifOrientationUpright) {
  // Stored 64 x 32, turned by each orientation; decoded whole and shrunk by 4.
  const Bytes jpeg = EncodePicture(Quadrants(64, 32), PictureFileType::kJpeg);
  const struct {
    uint16_t orientation;
    Corners corners;
  } table[] = {
      {1, {kRed, kGreen, kBlue, kWhite}}, {2, {kGreen, kRed, kWhite, kBlue}},
      {3, {kWhite, kBlue, kGreen, kRed}}, {4, {kBlue, kWhite, kRed, kGreen}},
      {5, {kRed, kBlue, kGreen, kWhite}}, {6, {kBlue, kRed, kWhite, kGreen}},
      {7, {kWhite, kGreen, kBlue, kRed}}, {8, {kGreen, kWhite, kRed, kBlue}},
  };
  for (const auto& row : table) {
    const std::string path = Write("turned.jpg", WithExifOrientation(jpeg, row.orientation));
    const PictureSize upright = row.orientation >= 5 ? PictureSize{32, 64} : PictureSize{64, 32};
    EXPECT_EQ(WicPicture(path.c_str()).size(), upright) << row.orientation;
    for (const PictureSize target : {upright, PictureSize{upright.width / 4, upright.height / 4}}) {
      EXPECT_TRUE(Near(CornersOf(DecodeWhole(path, target)), row.corners, 16))
          << row.orientation << " at width " << target.width;
    }
  }
}

TEST_F(WicPictureTest, ShrinksWithAFilterAndDecodesTheCoveredPart) {
  // A one-pixel checkerboard shrunk by 4 is grey, never black or white.
  BgraPicture board{64, 64, {}};
  for (int i = 0; i < 64 * 64; ++i) board.pixels.push_back((i + i / 64) % 2 ? kWhite : 0xFF000000);
  const BgraPicture grey =
      DecodeWhole(Write("board.png", EncodePicture(board, PictureFileType::kPng)), {16, 16});
  EXPECT_TRUE(Near(CornersOf(grey), {0xFF808080, 0xFF808080, 0xFF808080, 0xFF808080}, 2));

  // The centred 32 x 32 of 64 x 32 quadrants holds half of each.
  const WicPicture wide(
      Write("wide.png", EncodePicture(Quadrants(64, 32), PictureFileType::kPng)).c_str());
  EXPECT_EQ(CornersOf(wide.Decode(CoverSource(wide.size(), {16, 16}), {16, 16})), kQuadrants);
  EXPECT_TRUE(wide.Decode({33, 0, 32, 32}, {16, 16}).empty());
  EXPECT_TRUE(wide.Decode({0, 0, 32, 32}, {20001, 1}).empty());
}

// Beside the hostile files, pictures that decode but have a side longer than 20,000.
TEST_F(WicPictureTest, HostileFilesDecodeToNothing) {
  const BgraPicture line{20001, 1, std::vector<uint32_t>(20001, kRed)};
  Bytes wideBmp = MakeBmpFile(2, 1, 24, BI_RGB, {}, Bytes(60004));
  WriteUint32(&wideBmp[18], 20001);
  std::vector<NamedFile> files = HostilePictures();
  files.push_back({"wide.png", EncodePicture(line, PictureFileType::kPng)});
  files.push_back({"wide.jpg", EncodePicture(line, PictureFileType::kJpeg)});
  files.push_back({"wide.bmp", wideBmp});
  for (const NamedFile& file : files) {
    const WicPicture picture(Write(file.name, file.bytes).c_str());
    EXPECT_FALSE(picture.valid()) << file.name;
    EXPECT_TRUE(picture.Decode({0, 0, 1, 1}, {1, 1}).empty()) << file.name;
  }
  EXPECT_FALSE(WicPicture(dir_.File("missing.png").c_str()).valid());
}

TEST_F(WicPictureTest, WritesAndDrawsTransparentPartsOverBlack) {
  // Red, half-transparent red (premultiplied), transparent; a blue row below.
  const BgraPicture picture{3, 2, {kRed, 0x80800000, 0, kBlue, kBlue, kBlue}};
  const std::string path = dir_.File("written.png");
  ASSERT_TRUE(WritePictureFile(path.c_str(), picture, PictureFileType::kPng));
  const BgraPicture read = DecodeWhole(path);
  EXPECT_EQ(read.pixels, picture.pixels);
  EXPECT_FALSE(WritePictureFile(dir_.File("no\\such.png").c_str(), picture, PictureFileType::kPng));

  BITMAPINFO info{{sizeof info.bmiHeader, 4, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  const GdiObject<HBITMAP> bitmap(
      CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const MemoryDc dc(nullptr);
  const ScopedSelect select(dc.get(), bitmap.get());
  auto* pixels = static_cast<uint32_t*>(bits);
  std::fill_n(pixels, 8, 0xFFFFFF);
  ASSERT_TRUE(DrawPicture(dc.get(), 1, 0, read));
  GdiFlush();
  std::vector<uint32_t> drawn(pixels, pixels + 8);
  for (uint32_t& pixel : drawn) pixel &= 0xFFFFFF;  // what the DIB keeps of alpha does not count
  EXPECT_EQ(drawn,
            (std::vector<uint32_t>{0xFFFFFF, 0xFF0000, 0x800000, 0, 0xFFFFFF, 0xFF, 0xFF, 0xFF}));
}

}  // namespace
