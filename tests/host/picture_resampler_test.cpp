#include "base/picture_resampler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// An opaque grey of `level` in every colour channel.
constexpr uint32_t Grey(uint32_t level) { return 0xFF000000 | level * 0x010101; }

TEST(Resample, AveragesWhatATargetPixelCoversAndInterpolatesWhenEnlarging) {
  const struct {
    const char* what;
    PictureSize from;
    std::vector<uint32_t> pixels;
    PictureSize to;
    std::vector<uint32_t> expected;
  } table[] = {
      {"a one-pixel checkerboard halved is grey, not black or white",
       {4, 2},
       {kBlack, kWhite, kBlack, kWhite, kWhite, kBlack, kWhite, kBlack},
       {2, 1},
       {Grey(128), Grey(128)}},
      {"three pixels to two: two thirds and one third",
       {3, 1},
       {Grey(0), Grey(48), Grey(96)},
       {2, 1},
       {Grey(16), Grey(80)}},
      {"premultiplied: transparent and opaque blue give half-transparent blue",
       {1, 2},
       {0x00000000, 0xFF0000FF},
       {1, 1},
       {0x80000080}},
      {"enlarged linearly between the pixel centres, the outer pixels held",
       {2, 1},
       {Grey(0), Grey(200)},
       {4, 1},
       {Grey(0), Grey(50), Grey(150), Grey(200)}},
      {"the same size changes nothing",
       {2, 1},
       {0x12345678, 0x9ABCDEF0},
       {2, 1},
       {0x12345678, 0x9ABCDEF0}},
  };
  for (const auto& row : table) {
    const BgraPicture scaled = Resample({row.from.width, row.from.height, row.pixels}, row.to);
    EXPECT_EQ(scaled.width, row.to.width) << row.what;
    EXPECT_EQ(scaled.height, row.to.height) << row.what;
    EXPECT_EQ(scaled.pixels, row.expected) << row.what;
  }
}

}  // namespace
