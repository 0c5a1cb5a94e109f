#include "base/picture_resampler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Pixels = std::vector<uint32_t>;

// An opaque grey of `level` in every colour channel.
constexpr uint32_t Grey(uint32_t level) { return 0xFF000000 | level * 0x010101; }

TEST(Resample, AveragesWhatATargetPixelCoversAndInterpolatesWhenEnlarging) {
  const uint32_t black = Grey(0);
  const uint32_t white = Grey(255);
  const struct {
    const char* what;
    PictureSize from, to;
    Pixels pixels, expected;
  } table[] = {
      {"a checkerboard halved",
       {4, 2},
       {2, 1},
       {black, white, black, white, white, black, white, black},
       {Grey(128), Grey(128)}},
      {"thirds", {3, 1}, {2, 1}, {Grey(0), Grey(48), Grey(96)}, {Grey(16), Grey(80)}},
      {"premultiplied", {1, 2}, {1, 1}, {0x00000000, 0xFF0000FF}, {0x80000080}},
      {"enlarged", {2, 1}, {4, 1}, {Grey(0), Grey(200)}, {Grey(0), Grey(50), Grey(150), Grey(200)}},
      {"the same size", {2, 1}, {2, 1}, {0x12345678, 0x9ABCDEF0}, {0x12345678, 0x9ABCDEF0}},
  };
  for (const auto& row : table) {
    const BgraPicture scaled = Resample({row.from.width, row.from.height, row.pixels}, row.to);
    EXPECT_EQ(scaled.width, row.to.width) << row.what;
    EXPECT_EQ(scaled.height, row.to.height) << row.what;
    EXPECT_EQ(scaled.pixels, row.expected) << row.what;
  }
}

}  // namespace
