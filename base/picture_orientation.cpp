#include "base/picture_orientation.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace {

struct Point {
  int x;
  int y;
};

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

// Where stored pixel (column, row) of a picture of `stored` size stands upright.
// The arithmetic is linear, so it also gives the steps between neighbours.
Point UprightPoint(int orientation, PictureSize stored, int column, int row) {
  const int right = stored.width - 1 - column;
  const int bottom = stored.height - 1 - row;
  switch (orientation) {
    case 2: return {right, row};
    case 3: return {right, bottom};
    case 4: return {column, bottom};
    case 5: return {row, column};
    case 6: return {bottom, column};
    case 7: return {bottom, right};
    case 8: return {row, right};
  }
  return {column, row};
}

// The orientation that turns an upright picture back as it was stored.
int Inverse(int orientation) {
  if (orientation == 6) return 8;
  if (orientation == 8) return 6;
  return orientation;
}

}  // namespace

PictureSize UprightSize(int orientation, PictureSize stored) {
  if (SwapsSides(orientation)) return {stored.height, stored.width};
  return stored;
}

PictureRect StoredRect(int orientation, PictureSize stored, const PictureRect& upright) {
  const PictureSize uprightSize = UprightSize(orientation, stored);
  const int back = Inverse(orientation);
  const Point a = UprightPoint(back, uprightSize, upright.x, upright.y);
  const Point b = UprightPoint(back, uprightSize, upright.x + upright.width - 1,
                               upright.y + upright.height - 1);
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x) + 1, std::abs(a.y - b.y) + 1};
}

void PlaceStoredRows(int orientation, PictureSize stored, const uint32_t* rows, int firstRow,
                     int rowCount, BgraPicture* picture) {
  const auto index = [&](Point p) { return static_cast<ptrdiff_t>(p.y) * picture->width + p.x; };
  const ptrdiff_t origin = index(UprightPoint(orientation, stored, 0, 0));
  const ptrdiff_t columnStep = index(UprightPoint(orientation, stored, 1, 0)) - origin;
  const ptrdiff_t rowStep = index(UprightPoint(orientation, stored, 0, 1)) - origin;
  for (int row = 0; row < rowCount; ++row) {
    const ptrdiff_t start = origin + (firstRow + row) * rowStep;
    const uint32_t* from = rows + static_cast<ptrdiff_t>(row) * stored.width;
    for (int column = 0; column < stored.width; ++column) {
      picture->pixels[start + column * columnStep] = from[column];
    }
  }
}
