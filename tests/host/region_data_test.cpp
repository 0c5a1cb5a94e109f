#include "formats/region_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "base/little_endian.h"
namespace {

struct Rect {
  int left, top, right, bottom;
};

// A region file as the program's tools write it: header, RGNDATAHEADER, rectangles.
std::vector<uint8_t> MakeRegionFile(const std::vector<Rect>& rects, int width, int height) {
  std::vector<uint8_t> out = {'R', 'G', 'N', 0};
  AppendUint16(out, 100);
  AppendUint16(out, static_cast<int>(16 * rects.size()));
  AppendUint16(out, width);
  AppendUint16(out, height);
  AppendUint32(out, 0);
  AppendUint32(out, 32);
  AppendUint32(out, 1);
  AppendUint32(out, static_cast<int64_t>(rects.size()));
  AppendUint32(out, static_cast<int64_t>(16 * rects.size()));
  for (int v : {0, 0, width, height}) AppendUint32(out, v);
  for (const Rect& r : rects) {
    for (int v : {r.left, r.top, r.right, r.bottom}) AppendUint32(out, v);
  }
  return out;
}

const std::vector<Rect> kTwoRects = {{0, 0, 30, 10}, {5, 10, 25, 20}};

TEST(CheckRegionFile, AcceptsAWellFormedFile) {
  const std::vector<uint8_t> file = MakeRegionFile(kTwoRects, 30, 20);
  RegionInfo info{};
  size_t blockBytes = 0;
  ASSERT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes), RegionFileResult::kOk);
  EXPECT_EQ(info.width, 30);
  EXPECT_EQ(info.height, 20);
  EXPECT_EQ(blockBytes, 32u + 32u);
  const RegionInfo bound = RegionBoundSize(file.data() + 16);
  EXPECT_EQ(bound.width, 30);
  EXPECT_EQ(bound.height, 20);
  // A damaged bound gives the nearest size that fits, not an overflow.
  std::vector<uint8_t> damaged = file;
  WriteUint32(damaged.data() + 32, 0x80000000u);  // left
  WriteUint32(damaged.data() + 36, 1);            // top
  WriteUint32(damaged.data() + 44, 0x80000000u);  // bottom
  EXPECT_EQ(RegionBoundSize(damaged.data() + 16).width, INT32_MAX);
  EXPECT_EQ(RegionBoundSize(damaged.data() + 16).height, INT32_MIN);
}

TEST(CheckRegionFile, RefusesAWrongMagic) {
  std::vector<uint8_t> file = MakeRegionFile(kTwoRects, 30, 20);
  file[3] = 1;  // "RGN" followed by a non-zero byte
  RegionInfo info{-1, -1};
  size_t blockBytes = 0;
  EXPECT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes),
            RegionFileResult::kWrongMagic);
  EXPECT_EQ(info.width, -1);  // nothing past the magic was read
  EXPECT_EQ(CheckRegionFile(file.data(), 3, &info, &blockBytes), RegionFileResult::kWrongMagic);
  EXPECT_EQ(CheckRegionFile(file.data(), 0, &info, &blockBytes), RegionFileResult::kWrongMagic);
}

TEST(CheckRegionFile, ZeroSizesAreRefusedAfterTheSizeWasStored) {
  for (auto [w, h] : {std::pair{0, 20}, std::pair{30, 0}}) {
    const std::vector<uint8_t> file = MakeRegionFile(kTwoRects, w, h);
    RegionInfo info{-1, -1};
    size_t blockBytes = 0;
    EXPECT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes),
              RegionFileResult::kBadHeader);
    EXPECT_EQ(info.width, w);
    EXPECT_EQ(info.height, h);
  }
  const std::vector<uint8_t> empty = MakeRegionFile({}, 30, 20);
  RegionInfo info{};
  size_t blockBytes = 0;
  EXPECT_EQ(CheckRegionFile(empty.data(), empty.size(), &info, &blockBytes),
            RegionFileResult::kBadHeader);
}

TEST(CheckRegionFile, NegativeRectangleBytesCannotBeAllocated) {
  std::vector<uint8_t> file = MakeRegionFile(kTwoRects, 30, 20);
  file[6] = 0x00;
  file[7] = 0x80;
  RegionInfo info{};
  size_t blockBytes = 0;
  EXPECT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes),
            RegionFileResult::kBadLength);
}

TEST(CheckRegionFile, FilesShorterThanAnnouncedAreRefusedAtEveryCut) {
  const std::vector<uint8_t> file = MakeRegionFile(kTwoRects, 30, 20);
  for (size_t cut = 4; cut < file.size(); ++cut) {
    RegionInfo info{};
    size_t blockBytes = 0;
    // Copy, so that AddressSanitizer sees a read past the cut as an overflow.
    const std::vector<uint8_t> shorter(file.begin(), file.begin() + static_cast<long>(cut));
    EXPECT_EQ(CheckRegionFile(shorter.data(), shorter.size(), &info, &blockBytes),
              RegionFileResult::kBadHeader)
        << "cut at " << cut;
  }
}

TEST(CheckRegionFile, ABlockThatLiesAboutItsRectanglesIsRefused) {
  std::vector<uint8_t> file = MakeRegionFile(kTwoRects, 30, 20);
  RegionInfo info{};
  size_t blockBytes = 0;
  file[16 + 8] = 3;  // nCount 3, but the header announces room for 2
  EXPECT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes),
            RegionFileResult::kBadHeader);
  file = MakeRegionFile(kTwoRects, 30, 20);
  file[16 + 4] = 2;  // not RDH_RECTANGLES
  EXPECT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes),
            RegionFileResult::kBadHeader);
  file = MakeRegionFile(kTwoRects, 30, 20);
  file[16] = 40;  // dwSize other than 32
  EXPECT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes),
            RegionFileResult::kBadHeader);
  file = MakeRegionFile(kTwoRects, 30, 20);
  file[16 + 11] = 0x80;  // nCount near 2^31: the product must not wrap
  EXPECT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes),
            RegionFileResult::kBadHeader);
}

TEST(CheckRegionData, TheShippedOutlineIsA200By200Region) {
  std::ifstream in(KELVANE_SOURCE_DIR "/resources/clock.rgn", std::ios::binary);
  ASSERT_TRUE(in) << "resources/clock.rgn is missing";
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  RegionInfo info{};
  size_t blockBytes = 0;
  ASSERT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes), RegionFileResult::kOk);
  EXPECT_EQ(file.size(), 16 + blockBytes);
  EXPECT_EQ(info.width, 200);
  EXPECT_EQ(info.height, 200);
  const RegionInfo bound = RegionBoundSize(file.data() + 16);
  EXPECT_EQ(bound.width, 200);
  EXPECT_EQ(bound.height, 200);
  const uint8_t* rects = file.data() + 48;
  const size_t count = (blockBytes - 32) / 16;
  ASSERT_GT(count, 100u);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* r = rects + 16 * i;
    const int left = r[0] | r[1] << 8, top = r[4] | r[5] << 8;
    const int right = r[8] | r[9] << 8, bottom = r[12] | r[13] << 8;
    EXPECT_TRUE(0 <= left && left < right && right <= 200 && 0 <= top && top < bottom &&
                bottom <= 200)
        << "rectangle " << i;
  }
}

}  // namespace
