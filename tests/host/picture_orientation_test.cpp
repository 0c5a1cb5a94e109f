#include "base/picture_orientation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PlaceStoredRows, StandsEveryOrientationUpright) {
  // Stored 3 x 2:  1 2 3
  //                4 5 6
  const std::vector<uint32_t> stored = {1, 2, 3, 4, 5, 6};
  const struct {
    int orientation;
    PictureSize size;
    std::vector<uint32_t> upright;
  } table[] = {
      {1, {3, 2}, {1, 2, 3, 4, 5, 6}}, {2, {3, 2}, {3, 2, 1, 6, 5, 4}},
      {3, {3, 2}, {6, 5, 4, 3, 2, 1}}, {4, {3, 2}, {4, 5, 6, 1, 2, 3}},
      {5, {2, 3}, {1, 4, 2, 5, 3, 6}}, {6, {2, 3}, {4, 1, 5, 2, 6, 3}},
      {7, {2, 3}, {6, 3, 5, 2, 4, 1}}, {8, {2, 3}, {3, 6, 2, 5, 1, 4}},
      {0, {3, 2}, {1, 2, 3, 4, 5, 6}}, {9, {3, 2}, {1, 2, 3, 4, 5, 6}},
  };
  for (const auto& row : table) {
    const PictureSize size = UprightSize(row.orientation, {3, 2});
    ASSERT_EQ(size, row.size) << row.orientation;
    BgraPicture picture{size.width, size.height, std::vector<uint32_t>(6)};
    // The rows one at a time, the lower first.
    PlaceStoredRows(row.orientation, {3, 2}, stored.data() + 3, 1, 1, &picture);
    PlaceStoredRows(row.orientation, {3, 2}, stored.data(), 0, 1, &picture);
    EXPECT_EQ(picture.pixels, row.upright) << row.orientation;
    // Each upright pixel names, through StoredRect, the stored pixel it shows.
    for (int y = 0; y < size.height; ++y) {
      for (int x = 0; x < size.width; ++x) {
        const PictureRect from = StoredRect(row.orientation, {3, 2}, {x, y, 1, 1});
        EXPECT_EQ(stored[from.y * 3 + from.x], picture.pixels[y * size.width + x])
            << row.orientation << " at " << x << ", " << y;
      }
    }
  }
}

}  // namespace
