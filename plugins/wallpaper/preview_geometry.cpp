#include "plugins/wallpaper/preview_geometry.h"

#include <algorithm>

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

}  // namespace

PreviewPlacement PlacePreview(int screenWidth, int screenHeight, int pictureWidth,
                              int pictureHeight, int style) {
  if (style == kStyleStretched) {
    return {{0, 0, pictureWidth, pictureHeight}, {{0, 0, kPreviewWidth, kPreviewHeight}}};
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
