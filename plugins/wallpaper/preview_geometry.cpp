#include "plugins/wallpaper/preview_geometry.h"

#include <algorithm>
#include <cstdint>

#include "base/picture_geometry.h"

namespace {

// One axis of a centred or tiled picture: its source origin and length, and its
// place and length in an area of `area` pixels standing for `screen` pixels.
struct Axis {
  int sourceOrigin;
  int sourceLength;
  int origin;
  int length;
};

Axis PlaceAxis(int screen, int picture, int area) {
  const int scale = std::max(1, screen / area);
  Axis axis{picture > screen ? (picture - screen) / 2 : 0, picture, 0,
            std::max(1, picture / scale)};
  if (axis.length >= area) {
    axis.length = area;
    axis.sourceLength = std::min(screen, picture);
  } else {
    axis.origin = (area - axis.length) / 2;
  }
  return axis;
}

// `length` screen pixels from `origin` on, as area pixels of an area of `area`
// pixels standing for `screen`; at least one.
void ToArea(int origin, int length, int screen, int area, int* areaOrigin, int* areaLength) {
  *areaOrigin = static_cast<int>(static_cast<int64_t>(origin) * area / screen);
  const int end = static_cast<int>(static_cast<int64_t>(origin + length) * area / screen);
  *areaLength = std::max(1, end - *areaOrigin);
}

}  // namespace

PreviewPlacement PlacePreview(int screenWidth, int screenHeight, int pictureWidth,
                              int pictureHeight, int style) {
  const PictureSize picture{pictureWidth, pictureHeight};
  const PictureSize screen{screenWidth, screenHeight};
  if (style == kStyleStretched) {
    return {{0, 0, pictureWidth, pictureHeight}, {{0, 0, kPreviewWidth, kPreviewHeight}}};
  }
  if (style == kStyleFill) {
    const PictureRect cover = CoverSource(picture, screen);
    return {{cover.x, cover.y, cover.width, cover.height}, {{0, 0, kPreviewWidth, kPreviewHeight}}};
  }
  if (style == kStyleFit) {
    const PictureRect fit = FitTarget(picture, screen);
    PreviewRect target{};
    ToArea(fit.x, fit.width, screenWidth, kPreviewWidth, &target.x, &target.width);
    ToArea(fit.y, fit.height, screenHeight, kPreviewHeight, &target.y, &target.height);
    return {{0, 0, pictureWidth, pictureHeight}, {target}};
  }
  const Axis x = PlaceAxis(screenWidth, pictureWidth, kPreviewWidth);
  const Axis y = PlaceAxis(screenHeight, pictureHeight, kPreviewHeight);
  PreviewPlacement placement{{x.sourceOrigin, y.sourceOrigin, x.sourceLength, y.sourceLength}, {}};
  if (style != kStyleTiled) {
    placement.targets.push_back({x.origin, y.origin, x.length, y.length});
    return placement;
  }
  for (int top = 0; top < kPreviewHeight; top += y.length) {
    for (int left = 0; left < kPreviewWidth; left += x.length) {
      placement.targets.push_back({left, top, x.length, y.length});
    }
  }
  return placement;
}
