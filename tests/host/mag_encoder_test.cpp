#include "tools/mag_encoder.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/host/mag_test_support.h"
#include "tools/indexed_bmp.h"

namespace {

using Bytes = std::vector<uint8_t>;

// `spread` distinct colours in runs and blocks, so that copies have something to find.
IndexedImage RandomImage(int width, int height, int colors, int spread, std::mt19937& random) {
  IndexedImage image;
  image.width = width;
  image.height = height;
  image.colors = colors;
  for (int i = 0; i < colors * 3; ++i) image.palette.push_back(static_cast<uint8_t>(random()));
  image.indices.resize(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < image.indices.size(); ++i) {
    const bool repeat = i > 0 && random() % 3 != 0;
    const size_t above = i >= static_cast<size_t>(width) ? i - width : i;
    image.indices[i] = repeat ? image.indices[random() % 2 ? i - 1 : above]
                              : static_cast<uint8_t>(random() % spread);
  }
  return image;
}

// Decodes `mag` and compares it with `image` placed at `left` in the widened rows,
// the added columns being index 0.
void ExpectRoundTrip(const IndexedImage& image, const Bytes& mag, int left) {
  const Bytes bmp = DecodeMag(mag);
  ASSERT_FALSE(bmp.empty());
  const int group = image.colors == 256 ? 4 : 8;
  const int alignedLeft = left / group * group;
  const int alignedRight = ((left + image.width - 1) / group + 1) * group - 1;
  ASSERT_EQ(BmpWidth(bmp), alignedRight - alignedLeft + 1);
  ASSERT_EQ(BmpHeight(bmp), image.height);
  ASSERT_EQ(bmp[28], image.colors == 256 ? 8 : 4);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < BmpWidth(bmp); ++x) {
      const int source = alignedLeft + x - left;
      const int expected = source >= 0 && source < image.width
                               ? image.indices[static_cast<size_t>(y) * image.width + source]
                               : 0;
      ASSERT_EQ(BmpIndex(bmp, x, y), expected) << "pixel " << x << "," << y;
    }
  }
  for (int i = 0; i < image.colors; ++i) {
    const uint8_t* entry = &bmp[54 + 4 * i];
    ASSERT_EQ(entry[2], image.palette[3 * i]) << "colour " << i;
    ASSERT_EQ(entry[1], image.palette[3 * i + 1]) << "colour " << i;
    ASSERT_EQ(entry[0], image.palette[3 * i + 2]) << "colour " << i;
  }
}

TEST(MagEncoder, RandomPicturesDecodeBackExactly) {
  std::mt19937 random(20240611);
  const int sizes[][2] = {{1, 1},   {3, 2},   {4, 1},   {7, 5},   {8, 8}, {9, 3},
                          {17, 33}, {31, 17}, {64, 20}, {100, 3}, {5, 40}};
  for (int colors : {16, 256}) {
    for (const auto& size : sizes) {
      for (int left : {0, 1, 3, 5, 7, 13}) {
        for (int spread : {2, colors}) {
          const IndexedImage image = RandomImage(size[0], size[1], colors, spread, random);
          MagOptions options;
          options.left = static_cast<uint16_t>(left);
          options.top = static_cast<uint16_t>(left * 3);
          Bytes mag;
          ASSERT_TRUE(EncodeMag(image, options, &mag));
          SCOPED_TRACE(testing::Message() << colors << " colours, " << size[0] << "x" << size[1]
                                          << " at " << left << ", " << spread << " used");
          ExpectRoundTrip(image, mag, left);
        }
      }
    }
  }
}

TEST(MagEncoder, StoresTheEdgesAndTheComment) {
  std::mt19937 random(1);
  const IndexedImage image = RandomImage(15, 4, 256, 256, random);
  MagOptions options;
  options.left = 3;
  options.top = 10;
  options.comment = "a comment";
  Bytes mag;
  ASSERT_TRUE(EncodeMag(image, options, &mag));
  MagHeaderInfo info{};
  ASSERT_EQ(MagDecoder().ParseHeader(mag.data(), static_cast<uint32_t>(mag.size()), &info), 0);
  EXPECT_EQ(info.left, 3);
  EXPECT_EQ(info.right, 17);
  EXPECT_EQ(info.top, 10);
  EXPECT_EQ(info.bottom, 13);
  EXPECT_EQ(info.screenMode, 0x80);
  EXPECT_EQ(std::string(mag.begin() + 30, mag.begin() + 39), "a comment");
}

TEST(MagEncoder, CopiesShrinkRepeatingPictures) {
  IndexedImage image;
  image.width = 400;
  image.height = 400;
  image.palette.assign(768, 0);
  image.indices.resize(400 * 400);
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) image.indices[y * 400 + x] = static_cast<uint8_t>(x / 10 % 7);
  }
  Bytes mag;
  ASSERT_TRUE(EncodeMag(image, MagOptions(), &mag));
  // The raw rows are 160000 bytes. From the third row on every flag equals the one
  // above: flag A (13 bytes a row) is all that grows.
  EXPECT_LT(mag.size(), 32u + 768 + 13 * 400 + 400);
  ExpectRoundTrip(image, mag, 0);
}

TEST(MagEncoder, RefusesWhatItCannotWrite) {
  std::mt19937 random(2);
  const IndexedImage good = RandomImage(4, 4, 16, 16, random);
  Bytes mag;
  ASSERT_TRUE(EncodeMag(good, MagOptions(), &mag));

  IndexedImage badIndex = good;
  badIndex.indices[5] = 16;
  IndexedImage empty = good;
  empty.width = 0;
  empty.indices.clear();
  IndexedImage colors = good;
  colors.colors = 2;
  IndexedImage palette = good;
  palette.palette.pop_back();
  for (const IndexedImage* image : {&badIndex, &empty, &colors, &palette}) {
    EXPECT_FALSE(EncodeMag(*image, MagOptions(), &mag));
  }
  MagOptions mark;
  mark.comment = "a\x1A";
  EXPECT_FALSE(EncodeMag(good, mark, &mag));
  MagOptions far;
  far.left = 65533;  // the right edge would be 65536
  EXPECT_FALSE(EncodeMag(good, far, &mag));
}

// A BMP file of 4 or 8 bits with `image`'s pixels, bottom-up or top-down.
Bytes IndexedBmp(const IndexedImage& image, int bits, bool topDown) {
  const size_t stride = (static_cast<size_t>(image.width) * bits + 31) / 32 * 4;
  const size_t table = 4u << bits;
  Bytes file(54 + table + stride * image.height, 0);
  auto put32 = [&file](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, static_cast<uint32_t>(54 + table));
  put32(14, 40);
  put32(18, static_cast<uint32_t>(image.width));
  put32(22, static_cast<uint32_t>(topDown ? -image.height : image.height));
  file[26] = 1;
  file[28] = static_cast<uint8_t>(bits);
  for (int i = 0; i < image.colors; ++i) {
    file[54 + 4 * i] = image.palette[3 * i + 2];
    file[54 + 4 * i + 1] = image.palette[3 * i + 1];
    file[54 + 4 * i + 2] = image.palette[3 * i];
  }
  for (int y = 0; y < image.height; ++y) {
    uint8_t* row = &file[54 + table + stride * (topDown ? y : image.height - 1 - y)];
    for (int x = 0; x < image.width; ++x) {
      const uint8_t index = image.indices[static_cast<size_t>(y) * image.width + x];
      if (bits == 8) {
        row[x] = index;
      } else {
        row[x / 2] |= x % 2 == 0 ? index << 4 : index;
      }
    }
  }
  return file;
}

TEST(ReadIndexedBmp, ReadsFourAndEightBitFilesEitherWayUp) {
  std::mt19937 random(3);
  for (int bits : {4, 8}) {
    for (bool topDown : {false, true}) {
      const IndexedImage source = RandomImage(13, 5, 1 << bits, 1 << bits, random);
      IndexedImage read;
      ASSERT_TRUE(ReadIndexedBmp(IndexedBmp(source, bits, topDown), &read));
      EXPECT_EQ(read.width, 13);
      EXPECT_EQ(read.height, 5);
      EXPECT_EQ(read.colors, 1 << bits);
      EXPECT_EQ(read.palette, source.palette);
      EXPECT_EQ(read.indices, source.indices) << bits << " bits, top-down " << topDown;
    }
  }
  std::mt19937 more(4);
  const Bytes truncated = [&] {
    Bytes file = IndexedBmp(RandomImage(8, 8, 256, 256, more), 8, false);
    file.pop_back();
    return file;
  }();
  IndexedImage read;
  EXPECT_FALSE(ReadIndexedBmp(truncated, &read));
}

}  // namespace
