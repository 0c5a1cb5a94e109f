#include "base/picture_geometry.h"

#include <gtest/gtest.h>

// Found by GoogleTest beside the type, to print a rectangle that differs.
void PrintTo(const PictureRect& r, std::ostream* out) {
  *out << "(" << r.x << ", " << r.y << ", " << r.width << " x " << r.height << ")";
}

namespace {

TEST(IsPictureSizeAllowed, RefusesEmptyAndOversizedPictures) {
  const struct {
    uint64_t width, height;
    bool allowed;
  } table[] = {
      {1, 1, true},
      {20000, 5000, true},
      {10000, 10000, true},
      {20001, 1, false},
      {1, 20001, false},
      {10001, 10000, false},
      {0, 5, false},
      {5, 0, false},
      {30000, 30000, false},            // a header of a few bytes may claim it
      {1ull << 32, 1ull << 32, false},  // its product wraps to 0 in 64 bits
  };
  for (const auto& row : table) {
    EXPECT_EQ(IsPictureSizeAllowed(row.width, row.height), row.allowed)
        << row.width << " x " << row.height;
  }
}

TEST(CoverAndFit, KeepTheAspectCentred) {
  const struct {
    PictureSize picture, target;
    PictureRect cover, fit;
  } table[] = {
      {{4000, 3000}, {200, 200}, {500, 0, 3000, 3000}, {0, 25, 200, 150}},
      {{3000, 4000}, {200, 200}, {0, 500, 3000, 3000}, {25, 0, 150, 200}},
      {{6000, 4000}, {192, 144}, {333, 0, 5333, 4000}, {0, 8, 192, 128}},
      {{100, 100}, {200, 200}, {0, 0, 100, 100}, {0, 0, 200, 200}},
      // Needle-thin pictures keep one pixel.
      {{1, 1000}, {200, 200}, {0, 499, 1, 1}, {99, 0, 1, 200}},
      {{1000, 1}, {200, 100}, {499, 0, 2, 1}, {0, 49, 200, 1}},
      // An invalid picture's size, an empty target.
      {{0, 0}, {200, 200}, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {{100, 100}, {0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const auto& row : table) {
    EXPECT_EQ(CoverSource(row.picture, row.target), row.cover) << row.picture.width;
    EXPECT_EQ(FitTarget(row.picture, row.target), row.fit) << row.picture.width;
  }
}

}  // namespace
