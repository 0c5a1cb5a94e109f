#include "plugins/wallpaper/preview_geometry.h"

#include <gtest/gtest.h>

#include <vector>

// Found by GoogleTest beside the type, to print a rectangle that differs.
void PrintTo(const PreviewRect& r, std::ostream* out) {
  *out << "(" << r.x << ", " << r.y << ", " << r.width << " x " << r.height << ")";
}

namespace {

using Rects = std::vector<PreviewRect>;

TEST(PlacePreview, PlacesOnePictureAsItsStyleDoes) {
  const struct {
    int screenWidth, screenHeight, width, height, style;
    PreviewRect source, target;
  } table[] = {
      {1024, 768, 512, 384, kStyleCentred, {0, 0, 512, 384}, {45, 34, 102, 76}},
      {1024, 768, 1600, 1200, kStyleCentred, {288, 216, 1024, 768}, {0, 0, 192, 144}},
      {1024, 768, 512, 384, kStyleStretched, {0, 0, 512, 384}, {0, 0, 192, 144}},
      {1024, 768, 1600, 1200, kStyleStretched, {0, 0, 1600, 1200}, {0, 0, 192, 144}},
      // Wider than the screen by less than the scale: the source stays inside the picture.
      {1100, 768, 1000, 100, kStyleCentred, {0, 0, 1000, 100}, {0, 62, 192, 20}},
      // A screen smaller than the area is shown unshrunk.
      {100, 80, 50, 40, kStyleCentred, {0, 0, 50, 40}, {71, 52, 50, 40}},
      {100, 80, 300, 40, kStyleCentred, {100, 0, 100, 40}, {0, 52, 192, 40}},
      // A picture smaller than one preview pixel still covers one.
      {1024, 768, 3, 2, kStyleCentred, {0, 0, 3, 2}, {95, 71, 1, 1}},
      // Filled, the centred part of the picture that has the screen's aspect covers the
      // area; fitted, the whole picture with bars, placed as on the screen.
      {1024, 768, 1600, 900, kStyleFill, {200, 0, 1200, 900}, {0, 0, 192, 144}},
      {1024, 768, 600, 1600, kStyleFill, {0, 575, 600, 450}, {0, 0, 192, 144}},
      {1024, 768, 1600, 900, kStyleFit, {0, 0, 1600, 900}, {0, 18, 192, 108}},
      {1920, 1080, 300, 400, kStyleFit, {0, 0, 300, 400}, {55, 0, 81, 144}},
  };
  for (const auto& row : table) {
    const PreviewPlacement placement =
        PlacePreview(row.screenWidth, row.screenHeight, row.width, row.height, row.style);
    EXPECT_EQ(placement.source, row.source) << row.width << " x " << row.height;
    EXPECT_EQ(placement.targets, Rects{row.target}) << row.width << " x " << row.height;
  }
}

TEST(PlacePreview, TilesStepByTheScaledSizeOverTheWholeArea) {
  const PreviewPlacement placement = PlacePreview(1024, 768, 512, 384, kStyleTiled);
  EXPECT_EQ(placement.source, (PreviewRect{0, 0, 512, 384}));
  EXPECT_EQ(placement.targets,
            (Rects{{0, 0, 102, 76}, {102, 0, 102, 76}, {0, 76, 102, 76}, {102, 76, 102, 76}}));
  EXPECT_EQ(PlacePreview(1024, 768, 1600, 1200, kStyleTiled).targets, (Rects{{0, 0, 192, 144}}));
}

TEST(PlacePreview, TinyTilesAndTinyScreensStillAdvance) {
  const std::vector<PreviewRect> tiles = PlacePreview(1024, 768, 2, 2, kStyleTiled).targets;
  ASSERT_EQ(tiles.size(), 192u * 144u);
  EXPECT_EQ(tiles.back(), (PreviewRect{191, 143, 1, 1}));
  const std::vector<PreviewRect> small = PlacePreview(10, 10, 100, 100, kStyleTiled).targets;
  EXPECT_EQ(small.size(), 2u * 2u);
  EXPECT_EQ(small.back(), (PreviewRect{100, 100, 100, 100}));
}

}  // namespace
