#include "formats/mag_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "base/little_endian.h"
#include "tests/host/mag_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

int Parse(const Bytes& mag, MagHeaderInfo* info = nullptr) {
  MagHeaderInfo scratch{};
  return MagDecoder().ParseHeader(mag.data(), static_cast<uint32_t>(mag.size()),
                                  info != nullptr ? info : &scratch);
}

// One row of `positions` flag positions taken straight from the pixel data.
MagParts Literal(uint8_t screenMode, uint16_t left, uint16_t right, Bytes pixels) {
  MagParts parts;
  parts.screenMode = screenMode;
  parts.left = left;
  parts.right = right;
  parts.flagA = {0x00};
  parts.pixels = std::move(pixels);
  return parts;
}

Bytes Sequence(int count, int first = 1) {
  Bytes bytes;
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(first + i));
  return bytes;
}

TEST(MagParseHeader, WidensTheEdgesToWholeFlagGroups) {
  struct Case {
    uint8_t screenMode;
    uint16_t alignedRight, rowBytes;
  };
  for (const Case& c : {Case{0x00, 23, 12}, Case{0x80, 19, 20}}) {
    MagHeaderInfo info{};
    const Bytes mag = BuildMag(Literal(c.screenMode, 3, 17, Sequence(c.rowBytes)));
    ASSERT_EQ(Parse(mag, &info), 0);
    EXPECT_EQ(info.left, 3);
    EXPECT_EQ(info.right, 17);
    EXPECT_EQ(info.alignedLeft, 0);
    EXPECT_EQ(info.alignedRight, c.alignedRight);
    EXPECT_EQ(info.rowBytes, c.rowBytes);
    EXPECT_EQ(info.rowCount, 1);

    // rowBytes / 4 flag positions, all 0: the row is the pixel data unchanged.
    const Bytes bmp = DecodeMag(mag);
    ASSERT_FALSE(bmp.empty());
    EXPECT_EQ(BmpWidth(bmp), c.alignedRight + 1);
    EXPECT_EQ(BmpRow(bmp, 0), Sequence(c.rowBytes));
  }
}

TEST(MagParseHeader, ARightEdgeBeforeTheLeftEdge) {
  MagHeaderInfo info{};
  EXPECT_EQ(Parse(BuildMag(Literal(0x00, 6, 5, Sequence(4))), &info), 0);  // same group
  EXPECT_EQ(info.alignedLeft, 0);
  EXPECT_EQ(info.alignedRight, 7);
  EXPECT_EQ(info.rowBytes, 4);
  EXPECT_EQ(Parse(BuildMag(Literal(0x00, 9, 5, Sequence(4)))), 4);  // an earlier group
  EXPECT_EQ(Parse(BuildMag(Literal(0x80, 4, 3, Sequence(4)))), 4);
}

TEST(MagParseHeader, EveryByteOfTheMagicCounts) {
  const Bytes good = BuildMag(Literal(0x80, 0, 3, Sequence(4)));
  ASSERT_EQ(Parse(good), 0);
  for (size_t i = 0; i < 8; ++i) {
    Bytes bad = good;
    bad[i] ^= 0x01;  // "LAKI02  " ... "MAKI02 !"
    EXPECT_EQ(Parse(bad), 3) << "byte " << i;
  }
}

TEST(MagParseHeader, TheHeaderMustBeComplete) {
  const Bytes mag = BuildMag(Literal(0x80, 0, 3, Sequence(4)));
  MagHeaderInfo info{};
  ASSERT_EQ(Parse(mag, &info), 0);
  const MagDecoder decoder;
  EXPECT_EQ(decoder.ParseHeader(mag.data(), info.headerOffset + 31, &info), 2);
  EXPECT_EQ(decoder.ParseHeader(mag.data(), info.headerOffset + 32, &info), 1);  // sections beyond
  EXPECT_EQ(decoder.ParseHeader(mag.data(), info.headerOffset - 1, &info), 2);   // no mark
  EXPECT_EQ(decoder.ParseHeader(nullptr, 0, &info), 2);
}

TEST(MagParseHeader, RefusesUnsupportedHeaders) {
  MagParts start = Literal(0x80, 0, 3, Sequence(4));
  start.headerStart = 1;
  EXPECT_EQ(Parse(BuildMag(start)), 4);

  MagParts upsideDown = Literal(0x80, 0, 3, Sequence(4));
  upsideDown.top = 5;
  upsideDown.bottom = 4;
  EXPECT_EQ(Parse(BuildMag(upsideDown)), 4);
  EXPECT_TRUE(DecodeMag(BuildMag(upsideDown)).empty());

  MagParts tooTall = Literal(0x80, 0, 3, Sequence(4));
  tooTall.bottom = 0xFFFF;  // 65536 rows
  EXPECT_EQ(Parse(BuildMag(tooTall)), 4);

  MagParts tooWide = Literal(0x80, 0, 0xFFFF, Sequence(4));  // 65536 bytes a row
  EXPECT_EQ(Parse(BuildMag(tooWide)), 4);
}

TEST(MagParseHeader, OnlyBitSevenOfTheScreenModeCounts) {
  MagHeaderInfo info{};
  MagParts parts = Literal(0x7F, 0, 7, Sequence(4));
  parts.palette.assign(48, 0);
  ASSERT_EQ(Parse(BuildMag(parts), &info), 0);
  EXPECT_EQ(info.rowBytes, 4);
  const Bytes bmp = DecodeMag(BuildMag(parts));
  ASSERT_FALSE(bmp.empty());
  EXPECT_EQ(bmp[28], 4);
}

TEST(MagParseHeader, EachSectionMustLieWithinTheData) {
  // Flag A (1 byte), flag B (1 byte) and 4 pixel bytes end the data. Each field is
  // raised to the most that still fits, then by one more.
  MagParts parts = Literal(0x80, 0, 3, Sequence(4));
  parts.flagB = {0x00};
  const Bytes mag = BuildMag(parts);
  ASSERT_EQ(Parse(mag), 0);
  struct Case {
    size_t field;
    uint8_t mostThatFits;
  };
  for (const Case& c : {Case{12, 5}, Case{16, 4}, Case{20, 4}, Case{24, 0}, Case{28, 0}}) {
    Bytes bad = mag;
    bad[13 + c.field] += c.mostThatFits;
    EXPECT_EQ(Parse(bad), 0) << "field " << c.field;
    bad[13 + c.field] += 1;
    EXPECT_EQ(Parse(bad), 1) << "field " << c.field;
  }
  Bytes farFlagA = mag;
  for (int i = 0; i < 4; ++i) farFlagA[13 + 12 + i] = 0xFF;  // must not wrap around to 12
  EXPECT_EQ(Parse(farFlagA), 1);
}

TEST(MagDecode, WritesTheBitmapHeadersAndTheColourTable) {
  MagParts parts = Literal(0x00, 3, 17, Sequence(12));
  parts.top = 2;
  parts.bottom = 2;
  const Bytes bmp = DecodeMag(BuildMag(parts));
  ASSERT_EQ(bmp.size(), 54u + 64 + 12);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(ReadUint32(bmp.data() + 2), bmp.size());
  EXPECT_EQ(ReadUint32(bmp.data() + 6), 0u);
  EXPECT_EQ(ReadUint32(bmp.data() + 10), 54u + 64);
  EXPECT_EQ(ReadUint32(bmp.data() + 14), 40u);
  EXPECT_EQ(BmpWidth(bmp), 24);
  EXPECT_EQ(BmpHeight(bmp), 1);
  EXPECT_EQ(bmp[26] | bmp[27] << 8, 1);
  EXPECT_EQ(bmp[28] | bmp[29] << 8, 4);
  for (size_t at = 30; at < 54; ++at) EXPECT_EQ(bmp[at], 0) << at;
  // Stored green i, red 255 - i, blue i / 2; written blue, green, red, 0.
  for (int i = 0; i < 16; ++i) {
    const uint8_t* entry = &bmp[54 + 4 * i];
    EXPECT_EQ(entry[0], i / 2);
    EXPECT_EQ(entry[1], i);
    EXPECT_EQ(entry[2], 255 - i);
    EXPECT_EQ(entry[3], 0);
  }
}

TEST(MagDecode, BitmapFileSizes) {
  const MagDecoder decoder;
  struct Case {
    uint8_t screenMode;
    uint16_t right, bottom;
    uint32_t size;
  };
  for (const Case& c : {Case{0x80, 399, 399, 161078}, Case{0x80, 319, 159, 52278},
                        Case{0x00, 319, 159, 54 + 64 + 25600}}) {
    MagParts parts = Literal(c.screenMode, 0, c.right, {});
    parts.bottom = c.bottom;
    const Bytes mag = BuildMag(parts);  // sections short of the picture: the size is asked anyway
    EXPECT_EQ(decoder.GetBitmapFileSize(nullptr, mag.data(), static_cast<uint32_t>(mag.size())),
              c.size);
  }
  Bytes noMark(100, 'M');
  EXPECT_EQ(decoder.GetBitmapFileSize(nullptr, noMark.data(), 100), 0u);
  Bytes badMagic = BuildMag(Literal(0x80, 0, 3, Sequence(4)));
  badMagic[0] = 'X';
  EXPECT_EQ(decoder.GetBitmapFileSize(nullptr, badMagic.data(), 100), 0u);
}

// Rows of one flag position (a 4-pixel, 256-colour picture), decoded top to bottom.
std::vector<Bytes> DecodeColumn(int rows, Bytes flagA, Bytes flagB, Bytes pixels) {
  MagParts parts = Literal(0x80, 0, 3, std::move(pixels));
  parts.bottom = static_cast<uint16_t>(rows - 1);
  parts.flagA = std::move(flagA);
  parts.flagA.resize(rows);
  parts.flagB = std::move(flagB);
  const Bytes bmp = DecodeMag(BuildMag(parts));
  std::vector<Bytes> result;
  if (bmp.empty()) return result;
  for (int y = 0; y < rows; ++y) result.push_back(BmpRow(bmp, y));
  return result;
}

TEST(MagDecode, FlagByte40CopiesTheLeftUnitFromAboveAndReadsTheRightOne) {
  // Flag A bits: row 0 none, row 1 one (flag B 0x40).
  const auto rows = DecodeColumn(2, {0x40}, {0x40}, {1, 2, 3, 4, 5, 6});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(rows[1], (Bytes{1, 2, 5, 6}));
}

TEST(MagDecode, FlagByte41CopiesTheUnitJustWritten) {
  const auto rows = DecodeColumn(2, {0x40}, {0x41}, {1, 2, 3, 4, 9, 9});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], (Bytes{1, 2, 1, 2}));
}

TEST(MagDecode, AFlagABitOfZeroKeepsTheFlagOfTheRowAbove) {
  // Row 1 takes 0x44 (both units from above); row 2 has no flag A bit, so it keeps
  // 0x44 and must consume neither the next flag B byte nor pixel data.
  const auto rows = DecodeColumn(3, {0x40}, {0x44, 0x04}, {1, 2, 3, 4, 7, 7, 7, 7});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(rows[2], (Bytes{1, 2, 3, 4}));
}

TEST(MagDecode, TheFlagRowIsXoredWithEachNewFlag) {
  // Row 1: 0x44. Row 2: 0x44 ^ 0x04 = 0x40, so the right unit comes from the data.
  const auto rows = DecodeColumn(3, {0x60}, {0x44, 0x04}, {1, 2, 3, 4, 7, 8});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2], (Bytes{1, 2, 7, 8}));
}

TEST(MagDecode, FlagABitsRunOnAcrossRows) {
  // 16 colours, 24 pixels: 3 flag positions a row. Bits row 0: 000, row 1: 100,
  // row 2: 001, so row 2's bit lies in the second flag A byte.
  MagParts parts = Literal(0x00, 0, 23, {});
  parts.bottom = 2;
  parts.flagA = {0x10, 0x80, 0x00};
  parts.flagB = {0x44, 0x44};
  parts.pixels = Sequence(12, 1);
  const Bytes row1Data = Sequence(8, 20), row2Data = Sequence(4, 40);
  parts.pixels.insert(parts.pixels.end(), row1Data.begin(), row1Data.end());
  parts.pixels.insert(parts.pixels.end(), row2Data.begin(), row2Data.end());
  const Bytes bmp = DecodeMag(BuildMag(parts));
  ASSERT_FALSE(bmp.empty());
  EXPECT_EQ(BmpRow(bmp, 0), Sequence(12, 1));
  EXPECT_EQ(BmpRow(bmp, 1), (Bytes{1, 2, 3, 4, 20, 21, 22, 23, 24, 25, 26, 27}));
  // Position 0 keeps 0x44 from row 1, position 1 reads data, position 2 takes 0x44.
  EXPECT_EQ(BmpRow(bmp, 2), (Bytes{1, 2, 3, 4, 40, 41, 42, 43, 24, 25, 26, 27}));
}

TEST(MagDecode, EveryCopyPositionReachesItsUnit) {
  // 256 colours, 12 pixels (3 positions), 17 literal rows of distinct bytes, then a
  // row whose unit at column 8 (position 2, left) uses copy position n.
  struct Case {
    int n, dx, dy;
  };
  const Case cases[] = {{1, 1, 0},  {2, 2, 0},  {3, 4, 0},  {4, 0, 1},  {5, 1, 1},
                        {6, 0, 2},  {7, 1, 2},  {8, 2, 2},  {9, 0, 4},  {10, 1, 4},
                        {11, 2, 4}, {12, 0, 8}, {13, 1, 8}, {14, 2, 8}, {15, 0, 16}};
  for (const Case& c : cases) {
    MagParts parts = Literal(0x80, 0, 11, Sequence(12 * 17, 0));
    parts.bottom = 17;
    parts.flagA.assign(18, 0);
    const int bit = 17 * 3 + 2;  // flag A bits run on: row 17 starts at bit 51
    parts.flagA[bit / 8] = static_cast<uint8_t>(0x80 >> (bit % 8));
    parts.flagB = {static_cast<uint8_t>(c.n << 4)};
    const Bytes row17 = Sequence(8, 210);  // positions 0 and 1
    parts.pixels.insert(parts.pixels.end(), row17.begin(), row17.end());
    parts.pixels.insert(parts.pixels.end(), {0xEE, 0xEE});  // the right unit of position 2
    const Bytes bmp = DecodeMag(BuildMag(parts));
    ASSERT_FALSE(bmp.empty()) << c.n;
    const Bytes row = BmpRow(bmp, 17);
    const int column = 8 - 2 * c.dx;
    const uint8_t expected =
        static_cast<uint8_t>(c.dy == 0 ? 210 + column : (17 - c.dy) * 12 + column);
    EXPECT_EQ(row[8], expected) << "copy position " << c.n;
    EXPECT_EQ(row[9], static_cast<uint8_t>(expected + 1)) << "copy position " << c.n;
  }
}

TEST(MagDecode, CopiesFromOutsideThePictureGiveZeros) {
  // Row 0: position 0 asks for units above the picture (0x4F) and left of it (0x11),
  // position 1 copies from position 0 (0x11). Row 1 asks left of its start with a
  // row up (0x55): the left unit is outside, the right one lies in row 0.
  MagParts parts = Literal(0x80, 0, 7, {});
  parts.bottom = 1;
  parts.flagA = {0xE0, 0x00};
  parts.flagB = {0x4F, 0x11, 0x4F ^ 0x55};
  parts.pixels = {};
  const Bytes bmp = DecodeMag(BuildMag(parts));
  ASSERT_FALSE(bmp.empty());
  EXPECT_EQ(BmpRow(bmp, 0), Bytes(8, 0));
  EXPECT_EQ(BmpRow(bmp, 1), Bytes(8, 0));

  MagParts wrap = Literal(0x80, 0, 7, {9, 8, 7, 6, 5, 4, 3, 2});
  wrap.bottom = 1;
  wrap.flagA = {0x20, 0x00};  // row 1, position 0
  wrap.flagB = {0x55};
  wrap.pixels.insert(wrap.pixels.end(), {1, 1, 1, 1});
  const Bytes wrapped = DecodeMag(BuildMag(wrap));
  ASSERT_FALSE(wrapped.empty());
  // The left unit lies before row 1's start: zeros, not what precedes it in memory.
  EXPECT_EQ(BmpRow(wrapped, 1), (Bytes{0, 0, 9, 8, 1, 1, 1, 1}));
}

TEST(MagDecode, APixelSectionUpTo256BytesPastTheDataStillDecodes) {
  MagParts parts = Literal(0x80, 0, 7, Sequence(8));
  parts.bottom = 1;
  parts.flagA = {0x00, 0x00};
  parts.pixelSize = 8 + 256;
  const Bytes bmp = DecodeMag(BuildMag(parts));
  ASSERT_FALSE(bmp.empty());
  EXPECT_EQ(BmpRow(bmp, 0), Sequence(8));
  EXPECT_EQ(BmpRow(bmp, 1), Bytes(8, 0));  // ran out: the slack is zero

  parts.pixelSize = 8 + 257;
  EXPECT_TRUE(DecodeMag(BuildMag(parts)).empty());
}

TEST(MagDecode, SectionsThatRunOutReadZerosNotTheNextSection) {
  // Flag B claims 0 bytes though row 1 asks for one; pixel data claims 4 of 12.
  MagParts parts = Literal(0x80, 0, 3, {1, 2, 3, 4, 5, 6, 7, 8});
  parts.bottom = 2;
  parts.flagA = {0x40, 0, 0};
  parts.flagB = {0x44};
  parts.flagBSize = 0;
  parts.pixelSize = 4;
  const Bytes bmp = DecodeMag(BuildMag(parts));
  ASSERT_FALSE(bmp.empty());
  EXPECT_EQ(BmpRow(bmp, 0), (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(BmpRow(bmp, 1), Bytes(4, 0));  // neither flag B's 0x44 nor pixel bytes 5-8
  EXPECT_EQ(BmpRow(bmp, 2), Bytes(4, 0));
}

TEST(MagDecode, AShortColourTableFails) {
  MagParts parts = Literal(0x00, 0, 7, {});
  parts.flagA = {};
  parts.palette.assign(47, 0x33);  // one byte short of 16 entries
  const Bytes mag = BuildMag(parts);
  MagHeaderInfo info{};
  ASSERT_EQ(Parse(mag, &info), 1);
  const MagDecoder decoder;
  uint8_t palette[64];
  const auto length = static_cast<uint32_t>(mag.size());
  EXPECT_EQ(decoder.ReadPalette(mag.data(), palette, length, info), 1);
  Bytes longer = mag;
  longer.push_back(0x33);
  EXPECT_EQ(decoder.ReadPalette(longer.data(), palette, length + 1, info), 0);
  EXPECT_TRUE(DecodeMag(mag).empty());
  EXPECT_NE(decoder.GetBitmapFileSize(nullptr, mag.data(), length), 0u);
}

TEST(MagDecode, RefusesAnImageBufferSmallerThanThePicture) {
  const Bytes mag = BuildMag(Literal(0x80, 0, 3, Sequence(4)));
  const MagDecoder decoder;
  const auto length = static_cast<uint32_t>(mag.size());
  const uint32_t size = decoder.GetBitmapFileSize(nullptr, mag.data(), length);
  ASSERT_EQ(size, 54u + 1024 + 4);
  Bytes image(size - 1, 0xAB);
  EXPECT_EQ(decoder.DecodeToBitmapFile(nullptr, image.data(), mag.data(), length, size - 1), -1);
  EXPECT_EQ(image, Bytes(size - 1, 0xAB));
  EXPECT_EQ(decoder.DecodeToBitmapFile(nullptr, nullptr, mag.data(), length, size), -1);
}

TEST(MagDecode, TheFileFormsMatchTheMemoryForms) {
  MagParts parts = Literal(0x00, 5, 30, Sequence(16 * 3, 1));
  parts.bottom = 2;
  parts.flagA = {0, 0, 0};
  const Bytes mag = BuildMag(parts);
  const std::string path = testing::TempDir() + "mag_decoder_test.mag";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(mag.data(), 1, mag.size(), file);
  std::fclose(file);

  const MagDecoder decoder;
  const uint32_t size = decoder.GetBitmapFileSize(path.c_str(), nullptr, 0);
  ASSERT_EQ(size, 54u + 64 + 16 * 3);
  Bytes image(size);
  ASSERT_EQ(decoder.DecodeToBitmapFile(path.c_str(), image.data(), nullptr, 0, size), 0);
  EXPECT_EQ(image, DecodeMag(mag));

  const std::string missing = path + ".missing";
  EXPECT_EQ(decoder.GetBitmapFileSize(missing.c_str(), nullptr, 0), 0u);
  EXPECT_EQ(decoder.DecodeToBitmapFile(missing.c_str(), image.data(), nullptr, 0, size), -1);

  file = std::fopen(path.c_str(), "wb");  // the mark but a header cut short
  std::fwrite(mag.data(), 1, 8 + 4 + 1 + 20, file);
  std::fclose(file);
  EXPECT_EQ(decoder.GetBitmapFileSize(path.c_str(), nullptr, 0), 0u);
  std::remove(path.c_str());
}

TEST(MagDecode, DamagedPicturesNeverFailUnsafely) {
  // Random damage to a valid picture; the sanitizer build turns any stray access
  // into a failure. A picture whose size is refused must not decode either.
  MagParts parts = Literal(0x80, 1, 14, Sequence(16 * 6, 3));
  parts.bottom = 5;
  parts.flagA = {0x12, 0x34, 0x56, 0, 0, 0};
  parts.flagB = {0x11, 0x45, 0xF0, 0x0F, 0x88, 0xAB, 0x31, 0x19};
  const Bytes good = BuildMag(parts);
  std::mt19937 random(7);
  const MagDecoder decoder;
  int decoded = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes mag = good;
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) mag[random() % mag.size()] = static_cast<uint8_t>(random());
    mag.resize(mag.size() - random() % 64);
    const auto length = static_cast<uint32_t>(mag.size());
    const uint32_t size = decoder.GetBitmapFileSize(nullptr, mag.data(), length);
    if (size == 0 || size > (1u << 24)) continue;
    Bytes image(size);
    if (decoder.DecodeToBitmapFile(nullptr, image.data(), mag.data(), length, size) == 0) {
      ++decoded;
      EXPECT_EQ(ReadUint32(image.data() + 2), size);
    }
  }
  EXPECT_GT(decoded, 100);
}

}  // namespace
