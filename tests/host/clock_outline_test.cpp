#include "formats/clock_outline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace {

bool Covers(const std::vector<RegionRect>& rects, int x, int y) {
  for (const RegionRect& r : rects) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

TEST(ClockOutline, At200ItIsTheShippedRegionByteForByte) {
  std::ifstream in(KELVANE_SOURCE_DIR "/resources/clock.rgn", std::ios::binary);
  const std::vector<uint8_t> shipped{std::istreambuf_iterator<char>(in), {}};
  ASSERT_FALSE(shipped.empty());
  EXPECT_EQ(ClockOutlineRegionFile(200), shipped);
  EXPECT_TRUE(ClockOutlineRegionFile(0).empty());
}

// Points given on the 200 face, from its centre, a pixel or more from the edge
// of the outline at every size.
TEST(ClockOutline, LargerFacesFollowTheScaledGeometry) {
  const struct {
    const char* where;
    double dx, dy;
    bool inside;
  } rows[] = {
      {"centre", 0, 0, true},
      {"inside the dial's rim", 22.52, -84.04, true},    // radius 87 at 15 degrees
      {"outside the dial's rim", 23.55, -87.90, false},  // radius 91
      {"in the stem at twelve", 7, -99, true},
      {"beside the stem", 9.5, -99, false},
      {"in the stem at six", -7, 99, true},
      {"in the lug at two", 85.74, -49.5, true},       // radius 99 at 60 degrees
      {"beyond the lug at two", 87.47, -50.5, false},  // radius 101
      {"the lug at nine on the side", -99.5, 0, true},
      {"top left corner", -99.5, -99.5, false},
      {"bottom right corner", 99.5, 99.5, false},
  };
  for (int size : {300, 400}) {
    const std::vector<RegionRect> rects = ClockOutlineRects(size);
    const double scale = size / 200.0;
    for (const auto& row : rows) {
      const int x = static_cast<int>(std::floor((100 + row.dx) * scale));
      const int y = static_cast<int>(std::floor((100 + row.dy) * scale));
      EXPECT_EQ(Covers(rects, x, y), row.inside) << row.where << " at " << size;
    }
    RegionInfo info{};
    size_t blockBytes = 0;
    const std::vector<uint8_t> file = ClockOutlineRegionFile(size);
    ASSERT_EQ(CheckRegionFile(file.data(), file.size(), &info, &blockBytes), RegionFileResult::kOk);
    EXPECT_EQ(info.width, size);
    EXPECT_EQ(info.height, size);
  }
}

}  // namespace
