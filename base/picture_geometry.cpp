#include "base/picture_geometry.h"

#include <algorithm>

namespace {

// a * b / c rounded to the nearest whole number, at least 1 and at most `most`.
int ScaledSide(int a, int b, int c, int most) {
  const int64_t scaled = (static_cast<int64_t>(a) * b + c / 2) / c;
  return static_cast<int>(std::clamp<int64_t>(scaled, 1, most));
}

bool IsEmpty(PictureSize size) { return size.width <= 0 || size.height <= 0; }

// True when `a` is wider, for its height, than `b`.
bool IsWider(PictureSize a, PictureSize b) {
  return static_cast<int64_t>(a.width) * b.height > static_cast<int64_t>(a.height) * b.width;
}

}  // namespace

bool IsPictureSizeAllowed(uint64_t width, uint64_t height) {
  return width != 0 && height != 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

PictureRect CoverSource(PictureSize picture, PictureSize target) {
  if (IsEmpty(picture) || IsEmpty(target)) return {0, 0, 0, 0};
  if (IsWider(picture, target)) {
    const int width = ScaledSide(picture.height, target.width, target.height, picture.width);
    return {(picture.width - width) / 2, 0, width, picture.height};
  }
  const int height = ScaledSide(picture.width, target.height, target.width, picture.height);
  return {0, (picture.height - height) / 2, picture.width, height};
}

PictureRect FitTarget(PictureSize picture, PictureSize target) {
  if (IsEmpty(picture) || IsEmpty(target)) return {0, 0, 0, 0};
  if (IsWider(picture, target)) {
    const int height = ScaledSide(picture.height, target.width, picture.width, target.height);
    return {0, (target.height - height) / 2, target.width, height};
  }
  const int width = ScaledSide(picture.width, target.height, picture.height, target.width);
  return {(target.width - width) / 2, 0, width, target.height};
}
