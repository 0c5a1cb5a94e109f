#include "tools/orb_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

uint32_t U32(const std::vector<uint8_t>& data, size_t offset) {
  return data[offset] | data[offset + 1] << 8 | data[offset + 2] << 16 |
         static_cast<uint32_t>(data[offset + 3]) << 24;
}

void PutU32(std::vector<uint8_t>* data, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*data)[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> Bytes(const std::vector<uint8_t>& data, size_t offset, size_t count) {
  return std::vector<uint8_t>(data.begin() + offset, data.begin() + offset + count);
}

// A BMP file with a header of `infoBytes`, `tableEntries` colour entries (entry i is i, i, i, 0),
// and pixel bytes counting up from 1. `colorsUsed` goes into the header as given.
struct BmpShape {
  int32_t width = 3;
  int32_t height = 2;
  uint16_t bits = 8;
  uint32_t colorsUsed = 0;
  uint32_t tableEntries = 256;
  uint32_t infoBytes = 40;
};

size_t StrideOf(const BmpShape& shape) { return (shape.width * shape.bits + 31) / 32 * 4; }

std::vector<uint8_t> MakeBmp(const BmpShape& shape) {
  const size_t pixelOffset = 14 + shape.infoBytes + 4 * shape.tableEntries;
  const size_t pixelBytes = StrideOf(shape) * shape.height;
  std::vector<uint8_t> file(pixelOffset + pixelBytes, 0);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(&file, 2, static_cast<uint32_t>(file.size()));
  PutU32(&file, 10, static_cast<uint32_t>(pixelOffset));
  PutU32(&file, 14, shape.infoBytes);
  PutU32(&file, 18, static_cast<uint32_t>(shape.width));
  PutU32(&file, 22, static_cast<uint32_t>(shape.height));
  file[26] = 1;
  file[28] = static_cast<uint8_t>(shape.bits);
  PutU32(&file, 34, 12345);  // an image size that is wrong on purpose
  PutU32(&file, 46, shape.colorsUsed);
  PutU32(&file, 50, shape.colorsUsed);
  for (uint32_t i = 0; i < shape.tableEntries; ++i) {
    for (int c = 0; c < 3; ++c) file[14 + shape.infoBytes + 4 * i + c] = static_cast<uint8_t>(i);
  }
  for (size_t i = 0; i < pixelBytes; ++i) file[pixelOffset + i] = static_cast<uint8_t>(i + 1);
  return file;
}

OrbPicture MakePicture(size_t tableBytes, size_t pixelBytes) {
  OrbPicture picture;
  for (size_t i = 0; i < 40; ++i) picture.infoHeader.push_back(static_cast<uint8_t>(0x80 + i));
  picture.colorTable.assign(tableBytes, 0xCC);
  picture.pixels.assign(pixelBytes, 0x77);
  picture.title = "\x96\xe9\x96\xbe\x82\xaf";  // 夜明け in code page 932
  picture.author = "Kelvane";
  return picture;
}

TEST(BuildOrbFile, LaysOutHeaderTablePixelsAndTrailer) {
  const OrbPicture picture = MakePicture(1024, 120);
  const std::vector<uint8_t> file = BuildOrbFile(picture);
  ASSERT_EQ(file.size(), 52u + 1024 + 120 + 1 + 6 + 1 + 7);
  EXPECT_EQ(Bytes(file, 0, 4), (std::vector<uint8_t>{'O', 'R', 0, 0}));
  EXPECT_EQ(U32(file, 8), 52u + 1024);
  EXPECT_EQ(U32(file, 4), 52u + 1024 + 120);
  EXPECT_EQ(Bytes(file, 12, 40), picture.infoHeader);
  EXPECT_EQ(Bytes(file, 52, 1024), picture.colorTable);
  EXPECT_EQ(Bytes(file, 52 + 1024, 120), picture.pixels);
  const size_t trailer = U32(file, 4);
  EXPECT_EQ(file[trailer], 6);
  EXPECT_EQ(std::string(file.begin() + trailer + 1, file.begin() + trailer + 7), picture.title);
  EXPECT_EQ(file[trailer + 7], 7);
  EXPECT_EQ(std::string(file.begin() + trailer + 8, file.end()), "Kelvane");
}

TEST(BuildOrbFile, WithoutColourTableThePixelsStartAt52) {
  OrbPicture picture = MakePicture(0, 30);
  picture.title.clear();
  picture.author.clear();
  const std::vector<uint8_t> file = BuildOrbFile(picture);
  EXPECT_EQ(U32(file, 8), 52u);
  EXPECT_EQ(U32(file, 4), 82u);
  EXPECT_EQ(Bytes(file, 52, 30), picture.pixels);
  EXPECT_EQ(Bytes(file, 82, file.size() - 82), (std::vector<uint8_t>{0, 0}));
}

TEST(BuildOrbFile, KeepsTheHeaderAt40BytesWhateverItIsGiven) {
  OrbPicture picture = MakePicture(0, 30);
  picture.infoHeader.resize(12);
  std::vector<uint8_t> file = BuildOrbFile(picture);
  EXPECT_EQ(U32(file, 8), 52u);
  EXPECT_EQ(Bytes(file, 24, 28), std::vector<uint8_t>(28, 0));
  picture.infoHeader.resize(50, 0xEE);
  file = BuildOrbFile(picture);
  EXPECT_EQ(U32(file, 8), 52u);
  EXPECT_EQ(Bytes(file, 52, 30), picture.pixels);
}

TEST(BuildOrbFile, CutsTextsTo255Bytes) {
  OrbPicture picture = MakePicture(0, 4);
  picture.title = std::string(300, 'T');
  picture.author = std::string(255, 'A');
  const std::vector<uint8_t> file = BuildOrbFile(picture);
  const size_t trailer = U32(file, 4);
  ASSERT_EQ(file.size(), trailer + 1 + 255 + 1 + 255);
  EXPECT_EQ(file[trailer], 255);
  EXPECT_EQ(file[trailer + 1 + 255], 255);
  EXPECT_EQ(file[trailer + 1 + 255 + 1], 'A');
}

TEST(OrbPictureFromBmp, TakesAn8BitBmpAndPadsAShortTable) {
  BmpShape shape;
  shape.colorsUsed = 3;
  shape.tableEntries = 3;
  const std::vector<uint8_t> bmp = MakeBmp(shape);
  OrbPicture picture;
  ASSERT_TRUE(OrbPictureFromBmp(bmp, &picture));
  ASSERT_EQ(picture.infoHeader.size(), 40u);
  EXPECT_EQ(U32(picture.infoHeader, 0), 40u);
  EXPECT_EQ(U32(picture.infoHeader, 4), 3u);
  EXPECT_EQ(U32(picture.infoHeader, 8), 2u);
  EXPECT_EQ(U32(picture.infoHeader, 20), 8u);  // image size: two rows of 4 bytes
  EXPECT_EQ(U32(picture.infoHeader, 32), 0u);  // the table now holds all 256 entries
  ASSERT_EQ(picture.colorTable.size(), 1024u);
  EXPECT_EQ(Bytes(picture.colorTable, 0, 12), Bytes(bmp, 54, 12));
  EXPECT_EQ(Bytes(picture.colorTable, 12, 1012), std::vector<uint8_t>(1012, 0));
  EXPECT_EQ(picture.pixels, Bytes(bmp, 54 + 12, 8));
}

TEST(OrbPictureFromBmp, CutsAnOversizedTableTo2PowBits) {
  BmpShape shape;
  shape.bits = 1;
  shape.width = 9;
  shape.colorsUsed = 5;
  shape.tableEntries = 5;
  OrbPicture picture;
  ASSERT_TRUE(OrbPictureFromBmp(MakeBmp(shape), &picture));
  EXPECT_EQ(picture.colorTable, (std::vector<uint8_t>{0, 0, 0, 0, 1, 1, 1, 0}));
  EXPECT_EQ(picture.pixels.size(), 8u);
}

TEST(OrbPictureFromBmp, Takes24BitAndALargerHeaderWithoutTable) {
  BmpShape shape;
  shape.bits = 24;
  shape.tableEntries = 0;
  shape.infoBytes = 124;
  const std::vector<uint8_t> bmp = MakeBmp(shape);
  OrbPicture picture;
  ASSERT_TRUE(OrbPictureFromBmp(bmp, &picture));
  EXPECT_EQ(U32(picture.infoHeader, 0), 40u);
  EXPECT_EQ(picture.infoHeader[14], 24);
  EXPECT_TRUE(picture.colorTable.empty());
  EXPECT_EQ(picture.pixels, Bytes(bmp, 14 + 124, 24));

  picture.title = "t";
  const std::vector<uint8_t> orb = BuildOrbFile(picture);
  EXPECT_EQ(U32(orb, 8), 52u);
  EXPECT_EQ(Bytes(orb, 52, 24), picture.pixels);
}

TEST(OrbPictureFromBmp, RefusesFilesThatAreNotPlainOrLie) {
  const std::vector<uint8_t> good = MakeBmp(BmpShape{});
  const auto refused = [](std::vector<uint8_t> bmp) {
    OrbPicture picture;
    return !OrbPictureFromBmp(bmp, &picture);
  };
  ASSERT_FALSE(refused(good));
  std::vector<uint8_t> bmp = good;
  bmp.pop_back();  // one pixel byte short
  EXPECT_TRUE(refused(bmp));
  EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + 53)));
  bmp = good;
  bmp[1] = 'A';
  EXPECT_TRUE(refused(bmp));
  bmp = good;
  PutU32(&bmp, 30, 1);  // RLE8
  EXPECT_TRUE(refused(bmp));
  for (uint16_t bits : {16, 32, 2}) {
    bmp = good;
    bmp[28] = static_cast<uint8_t>(bits);
    EXPECT_TRUE(refused(bmp)) << bits << " bits";
  }
  bmp = good;
  PutU32(&bmp, 22, static_cast<uint32_t>(-2));  // top-down
  EXPECT_TRUE(refused(bmp));
  bmp = good;
  PutU32(&bmp, 18, 0x7fffffff);  // a width the pixel block cannot hold
  EXPECT_TRUE(refused(bmp));
  bmp = good;
  PutU32(&bmp, 10, 0xfffffff0);  // pixels far past the end
  EXPECT_TRUE(refused(bmp));
  bmp = good;
  PutU32(&bmp, 10, 54 + 512);  // pixels inside the 256-entry table
  EXPECT_TRUE(refused(bmp));
  BmpShape trueColor;
  trueColor.bits = 24;
  trueColor.tableEntries = 0;
  bmp = MakeBmp(trueColor);
  ASSERT_FALSE(refused(bmp));
  PutU32(&bmp, 10, 20);  // pixels inside the info header
  EXPECT_TRUE(refused(bmp));
  bmp = good;
  PutU32(&bmp, 14, 0xfffffff0);  // header size past the end
  EXPECT_TRUE(refused(bmp));
  bmp = good;
  PutU32(&bmp, 14, 12);  // the old core header
  EXPECT_TRUE(refused(bmp));
}

}  // namespace
