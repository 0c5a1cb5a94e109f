#pragma once

#include <cstdint>

// Sizes and rectangles of pictures: the largest picture the program decodes, and
// the placements that scale a picture onto a target keeping its aspect.

// A picture larger than this is refused before it is decoded: a 2 KB file may
// claim 30,000 x 30,000 pixels.
constexpr uint64_t kMaxPicturePixels = 100000000;
constexpr uint64_t kMaxPictureSide = 20000;

struct PictureSize {
  int width;
  int height;
};

struct PictureRect {
  int x;
  int y;
  int width;
  int height;
};

inline bool operator==(const PictureSize& a, const PictureSize& b) {
  return a.width == b.width && a.height == b.height;
}

inline bool operator==(const PictureRect& a, const PictureRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// True for a size with no side zero or beyond kMaxPictureSide and no more than
// kMaxPicturePixels pixels. Taken as the 64-bit numbers headers store, so no
// product overflows.
bool IsPictureSizeAllowed(uint64_t width, uint64_t height);

// The centred part of a `picture` that has the aspect of `target`: scaled to the
// target it covers it wholly, and what lies beyond on two sides is cut off.
// Empty (0 x 0) when either size is.
PictureRect CoverSource(PictureSize picture, PictureSize target);

// Where `picture` scaled to fit wholly inside `target`, keeping its aspect, lies
// centred in it; bars are left on two sides. Never thinner than one pixel;
// empty when either size is.
PictureRect FitTarget(PictureSize picture, PictureSize target);
