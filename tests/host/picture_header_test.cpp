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
  const size_t start = png.size();
  png.insert(png.end(), type.begin(), type.end());
  png.insert(png.end(), data.begin(), data.end());
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = start; i < png.size(); ++i) {
    crc ^= png[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  AppendBig(png, ~crc, 4);
}

// IHDR of the given size and an empty IDAT, in this order or the other, then IEND.
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

// SOI, a comment, a baseline frame header of the given size, a scan, EOI.
Bytes Jpeg(uint16_t width, uint16_t height) {
  Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xFE, 0, 4, 'h', 'i', 0xFF, 0xC0, 0, 11, 8};
  AppendBig(jpeg, height, 2);
  AppendBig(jpeg, width, 2);
  jpeg.insert(jpeg.end(), {1, 1, 0x11, 0, 0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0, 0x12, 0xFF, 0xD9});
  return jpeg;
}

// `bytes` with `count` bytes from `at` on replaced by `with`.
Bytes Spliced(Bytes bytes, size_t at, size_t count, const Bytes& with = {}) {
  bytes.erase(bytes.begin() + at, bytes.begin() + at + count);
  bytes.insert(bytes.begin() + at, with.begin(), with.end());
  return bytes;
}

const Bytes kTiff = {'I',  'I', 42, 0, 8, 0, 0, 0, 3,    0,            // three entries
                     0x00, 1,   3,  0, 1, 0, 0, 0, 0x40, 0x01, 0, 0,   // width SHORT 320
                     0x01, 1,   4,  0, 1, 0, 0, 0, 0xF0, 0,    0, 0,   // length LONG 240
                     0x12, 1,   3,  0, 1, 0, 0, 0, 8,    0,    0, 0};  // orientation 8

TEST(ReadPictureHeader, ReadsSizesAndOrientationsAndRefusesDamage) {
  const Bytes png = Png(2, 2);
  const Bytes jpeg = Jpeg(640, 480);
  const struct {
    const char* what;
    Bytes file;
    bool read;
    uint32_t width, height;  // 0 x 0: no size known
    int orientation;
  } table[] = {
      {"PNG", Png(30000, 30000), true, 30000, 30000, 1},
      {"JPEG", jpeg, true, 640, 480, 1},
      {"JPEG, Exif little-endian", WithExifOrientation(jpeg, 6), true, 640, 480, 6},
      {"JPEG, Exif big-endian", WithExifOrientation(jpeg, 8, true), true, 640, 480, 8},
      {"JPEG, an orientation of 9", WithExifOrientation(jpeg, 9), true, 640, 480, 1},
      {"JPEG, a fill byte before a marker", Spliced(jpeg, 2, 0, {0xFF}), true, 640, 480, 1},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 0x2C, 1, 0xC8, 0, 0, 0, 0}, true, 300, 200, 1},
      {"TIFF", kTiff, true, 320, 240, 8},
      {"a text", {'t', 'e', 'x', 't'}, true, 0, 0, 1},
      {"nothing", {}, true, 0, 0, 1},
      {"PNG, a wrong CRC", Spliced(png, 29, 1, {static_cast<uint8_t>(png[29] ^ 1)}), false, 0, 0,
       1},
      {"PNG, cut inside a chunk", Spliced(png, png.size() - 1, 1), false, 0, 0, 1},
      {"PNG, no IEND", Spliced(png, png.size() - 12, 12), false, 0, 0, 1},
      {"PNG, IHDR not first", Png(2, 2, false), false, 0, 0, 1},
      {"JPEG, cut inside the scan", Spliced(jpeg, jpeg.size() - 2, 2), false, 0, 0, 1},
      {"JPEG, cut inside a segment", Spliced(jpeg, 7, jpeg.size() - 7), false, 0, 0, 1},
      {"JPEG, a scan before the frame header", Spliced(jpeg, 9, 1, {0xDA}), false, 0, 0, 1},
      {"JPEG, a segment longer than the file", Spliced(jpeg, 4, 1, {0xFF}), false, 0, 0, 1},
      {"GIF, no screen descriptor", {'G', 'I', 'F', '8', '7', 'a', 1, 0}, false, 0, 0, 1},
      {"TIFF, a directory past the end", Spliced(kTiff, 4, 1, {200}), false, 0, 0, 1},
  };
  for (const auto& row : table) {
    PictureHeader header;
    header.orientation = 5;
    ASSERT_EQ(ReadPictureHeader(row.file.data(), row.file.size(), &header), row.read) << row.what;
    if (!row.read) continue;
    EXPECT_EQ(header.sizeKnown, row.width != 0) << row.what;
    EXPECT_EQ(header.width, row.width) << row.what;
    EXPECT_EQ(header.height, row.height) << row.what;
    EXPECT_EQ(header.orientation, row.orientation) << row.what;
  }
}

}  // namespace
