#include "formats/picture_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/exif_segment.h"

namespace {

using Bytes = std::vector<uint8_t>;

void AppendBig(Bytes& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A PNG chunk with its CRC, worked out bit by bit, unlike the reader's table.
void AppendChunk(Bytes& png, const std::string& type, const Bytes& data) {
  AppendBig(png, static_cast<uint32_t>(data.size()), 4);
  Bytes covered(type.begin(), type.end());
  covered.insert(covered.end(), data.begin(), data.end());
  uint32_t crc = 0xFFFFFFFF;
  for (uint8_t byte : covered) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  png.insert(png.end(), covered.begin(), covered.end());
  AppendBig(png, ~crc, 4);
}

// A PNG skeleton: IHDR of the given size and one empty IDAT, in this order or
// the other, then IEND.
Bytes Png(uint32_t width, uint32_t height, bool headerFirst = true) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  AppendBig(ihdr, width, 4);
  AppendBig(ihdr, height, 4);
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  if (!headerFirst) AppendChunk(png, "IDAT", {});
  AppendChunk(png, "IHDR", ihdr);
  if (headerFirst) AppendChunk(png, "IDAT", {});
  AppendChunk(png, "IEND", {});
  return png;
}

// A JPEG skeleton: SOI, a comment, a baseline frame header of the given size, a
// scan of two coded bytes, EOI.
Bytes Jpeg(uint16_t width, uint16_t height) {
  Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xFE, 0, 4, 'h', 'i', 0xFF, 0xC0, 0, 11, 8};
  AppendBig(jpeg, height, 2);
  AppendBig(jpeg, width, 2);
  jpeg.insert(jpeg.end(), {1, 1, 0x11, 0, 0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0, 0x12, 0x34});
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  return jpeg;
}

Bytes Cut(Bytes bytes, size_t keep) {
  bytes.resize(keep);
  return bytes;
}

Bytes Changed(Bytes bytes, size_t at, uint8_t value) {
  bytes.at(at) = value;
  return bytes;
}

Bytes Inserted(Bytes bytes, size_t at, uint8_t value) {
  bytes.insert(bytes.begin() + at, value);
  return bytes;
}

const Bytes kTiffLittle = {'I',  'I', 42, 0, 8, 0, 0, 0, 3,    0,            // three entries
                           0x00, 1,   3,  0, 1, 0, 0, 0, 0x40, 0x01, 0, 0,   // width SHORT 320
                           0x01, 1,   4,  0, 1, 0, 0, 0, 0xF0, 0,    0, 0,   // length LONG 240
                           0x12, 1,   3,  0, 1, 0, 0, 0, 8,    0,    0, 0};  // orientation 8

TEST(ReadPictureHeader, ReadsSizeAndOrientation) {
  const struct {
    const char* what;
    Bytes file;
    uint32_t width, height;
    int orientation;
  } table[] = {
      {"PNG", Png(30000, 30000), 30000, 30000, 1},
      {"JPEG", Jpeg(640, 480), 640, 480, 1},
      {"JPEG, Exif little-endian", WithExifOrientation(Jpeg(640, 480), 6), 640, 480, 6},
      {"JPEG, Exif big-endian", WithExifOrientation(Jpeg(640, 480), 8, true), 640, 480, 8},
      {"JPEG, unknown orientation", WithExifOrientation(Jpeg(640, 480), 9), 640, 480, 1},
      {"JPEG, a fill byte before a marker", Inserted(Jpeg(640, 480), 2, 0xFF), 640, 480, 1},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 0x2C, 1, 0xC8, 0, 0, 0, 0}, 300, 200, 1},
      {"TIFF", kTiffLittle, 320, 240, 8},
  };
  for (const auto& row : table) {
    PictureHeader header;
    ASSERT_TRUE(ReadPictureHeader(row.file.data(), row.file.size(), &header)) << row.what;
    EXPECT_TRUE(header.sizeKnown) << row.what;
    EXPECT_EQ(header.width, row.width) << row.what;
    EXPECT_EQ(header.height, row.height) << row.what;
    EXPECT_EQ(header.orientation, row.orientation) << row.what;
  }
}

TEST(ReadPictureHeader, RefusesWhatIsCutShortOrDamaged) {
  const Bytes png = Png(2, 2);
  const Bytes jpeg = Jpeg(2, 2);
  const struct {
    const char* what;
    Bytes file;
  } table[] = {
      {"PNG, a wrong CRC", Changed(png, 8 + 8 + 13, png[8 + 8 + 13] ^ 1)},
      {"PNG, cut inside a chunk", Cut(png, png.size() - 1)},
      {"PNG, no IEND", Cut(png, png.size() - 12)},
      {"PNG, IHDR not first", Png(2, 2, false)},
      {"JPEG, cut inside the scan", Cut(jpeg, jpeg.size() - 2)},
      {"JPEG, cut inside a segment", Cut(jpeg, 7)},
      {"JPEG, a scan before the frame header", Changed(jpeg, 9, 0xDA)},
      {"JPEG, a segment length past the end", Changed(jpeg, 4, 0xFF)},
      {"GIF, no screen descriptor", {'G', 'I', 'F', '8', '7', 'a', 1, 0}},
      {"TIFF, a directory past the end", Changed(kTiffLittle, 4, 200)},
  };
  for (const auto& row : table) {
    PictureHeader header;
    EXPECT_FALSE(ReadPictureHeader(row.file.data(), row.file.size(), &header)) << row.what;
  }
}

TEST(ReadPictureHeader, LeavesOtherFilesToTheDecoder) {
  for (const std::string text : {"", "text named .png", "BM"}) {
    PictureHeader header;
    header.orientation = 5;
    const auto* data = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_TRUE(ReadPictureHeader(data, text.size(), &header)) << text;
    EXPECT_FALSE(header.sizeKnown) << text;
    EXPECT_EQ(header.orientation, 1) << text;
  }
}

}  // namespace
