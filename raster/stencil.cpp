#include "raster/stencil.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "raster/angles.h"

namespace {

// Distances and outline crossings are kept in 1/65536 pixel.
constexpr int kDistanceShift = 16;
constexpr float kDistanceOne = 1 << kDistanceShift;
constexpr int kCrossingShift = 16;
constexpr float kCrossingOne = 1 << kCrossingShift;
// A steeper slope than this only ever serves one row, where it is not used.
constexpr float kSteepest = 16384;
// The widest row a fill covers.
constexpr int kMaxRow = 1024;

int32_t FloorCrossing(int32_t crossing) { return crossing >> kCrossingShift; }
int32_t CeilCrossing(int32_t crossing) {
  return (crossing + (1 << kCrossingShift) - 1) >> kCrossingShift;
}

// One side of a placed convex polygon walked down the rows: where its outline
// crosses each row's line of pixel centres, rows asked for in increasing order.
class SideWalker {
 public:
  SideWalker(const Point* corners, int count, int top, int step)
      : corners_(corners), count_(count), step_(step), upper_(top) {}

  int32_t At(int row) {
    const float y = static_cast<float>(row);
    bool moved = false;
    // Past the edges that end above this row; the bottom corner lies below it.
    for (int steps = 0; corners_[lower()].y < y && steps < count_; ++steps) {
      upper_ = lower();
      moved = true;
    }
    if (moved || row != row_ + 1) {
      const Point a = corners_[upper_];
      const Point b = corners_[lower()];
      const float slope =
          b.y > a.y ? std::clamp((b.x - a.x) / (b.y - a.y), -kSteepest, kSteepest) : 0.0f;
      crossing_ = static_cast<int32_t>(std::lrint((a.x + (y - a.y) * slope) * kCrossingOne));
      stepX_ = static_cast<int32_t>(std::lrint(slope * kCrossingOne));
    } else {
      crossing_ += stepX_;
    }
    row_ = row;
    return crossing_;
  }

 private:
  int lower() const { return (upper_ + step_ + count_) % count_; }

  const Point* corners_;
  int count_;
  int step_;
  int upper_;
  int row_ = INT32_MIN;
  int32_t crossing_ = 0;
  int32_t stepX_ = 0;
};

// A placed polygon's corners in buffer coordinates and the rows it spans.
struct Outline {
  Point corners[ConvexShape::kMaxCorners];
  int count = 0;
  int top = 0;  // index of the highest corner
  float minX = 0, maxX = 0, minY = 0, maxY = 0;
};

void PlaceOutline(const ConvexShape& shape, Point anchor, float sine, float cosine,
                  Outline* outline) {
  outline->count = shape.count();
  for (int i = 0; i < shape.count(); ++i) {
    const Point c = shape.corner(i);
    const Point p = {anchor.x + c.x * cosine - c.y * sine, anchor.y + c.x * sine + c.y * cosine};
    outline->corners[i] = p;
    if (i == 0 || p.y < outline->corners[outline->top].y) outline->top = i;
    outline->minX = i == 0 ? p.x : std::min(outline->minX, p.x);
    outline->maxX = i == 0 ? p.x : std::max(outline->maxX, p.x);
    outline->minY = i == 0 ? p.y : std::min(outline->minY, p.y);
    outline->maxY = i == 0 ? p.y : std::max(outline->maxY, p.y);
  }
}

// The pixels whose centres lie inside the outline's box, within the buffer.
PixelRect BoxOf(const Outline& outline, int width, int height) {
  if (outline.count == 0) return {0, 0, -1, -1};
  return {std::max(0, static_cast<int>(std::floor(outline.minX)) + 1),
          std::max(0, static_cast<int>(std::floor(outline.minY)) + 1),
          std::min(width - 1, static_cast<int>(std::ceil(outline.maxX)) - 1),
          std::min(height - 1, static_cast<int>(std::ceil(outline.maxY)) - 1)};
}

// An ink's fade in distance units: coverage is full up to `none` - `width` and
// nothing from `none` on.
struct FadeSteps {
  int32_t none;
  int32_t width;
  uint32_t scale;  // full coverage (1 << 24) / width
};

FadeSteps StepsOf(Fade fade) {
  const int32_t width = std::max<int32_t>(1, std::lrint(fade.softness * kDistanceOne));
  return {static_cast<int32_t>(std::lrint((fade.grow + fade.softness / 2) * kDistanceOne)), width,
          (uint32_t{1} << 24) / static_cast<uint32_t>(width)};
}

// The weight (0 to 255) of a paint at distance `d`, rounded.
inline uint8_t WeightAt(int32_t d, const FadeSteps& steps, uint32_t opacity) {
  const uint32_t room = static_cast<uint32_t>(std::clamp(steps.none - d, 0, steps.width));
  return static_cast<uint8_t>((room * steps.scale * opacity + (1u << 23)) >> 24);
}

// The discs' hull turned and anchored, for the exact distance of any point to
// its outline: for each pair of neighbouring discs, the hull of the two, which
// is bounded by their arcs and the two lines touching both. Points are taken in
// the shape's frame: `along` its axis and `across` it.
class PlacedDiscs {
 public:
  PlacedDiscs() = default;
  PlacedDiscs(const Disc* discs, int count, Point anchor, float sine, float cosine)
      : anchor_(anchor), axis_{sine, -cosine}, across_{cosine, sine} {
    count_ = count > 1 ? count - 1 : count;  // n discs make n - 1 pairs; one disc makes one
    for (int i = 0; i < count_; ++i) {
      const Disc& first = discs[i];
      const Disc& second = discs[i + 1 < count ? i + 1 : i];
      const float length = second.along - first.along;
      const float slant = length > 0 ? (first.radius - second.radius) / length : 0;
      pairs_[i] = {first.along,   length, first.radius,
                   second.radius, slant,  std::sqrt(std::max(0.0f, 1 - slant * slant))};
    }
  }

  // The distances, in distance units, of `count` pixel centres of row `y` from
  // column `x` on, to out[0] and on.
  void Row(int x, int y, int count, int32_t* out) const {
    const float dx = static_cast<float>(x) - anchor_.x;
    const float dy = static_cast<float>(y) - anchor_.y;
    float along = dx * axis_.x + dy * axis_.y;
    float across = dx * across_.x + dy * across_.y;
    for (int i = 0; i < count; ++i, along += axis_.x, across += across_.x) {
      const float side = std::fabs(across);
      float nearest = Distance(pairs_[0], along, side);
      for (int k = 1; k < count_; ++k) {
        nearest = std::min(nearest, Distance(pairs_[k], along, side));
      }
      out[i] = static_cast<int32_t>(std::lrint(nearest * kDistanceOne));
    }
  }

 private:
  // Two discs on the axis, `length` apart; the lines touching both lean by
  // `slant` (the sine of their angle to the axis) when the radii differ.
  struct Pair {
    float along;
    float length;
    float radius;
    float nextRadius;
    float slant;
    float upright;  // the cosine of that angle
  };

  static float Distance(const Pair& pair, float along, float across) {
    const float t = along - pair.along;
    // Where along the touching line the point lies: before the first disc's
    // touching point, past the second's, or in between.
    const float q = t * pair.upright - across * pair.slant;
    if (q <= 0) return std::sqrt(t * t + across * across) - pair.radius;
    if (q >= pair.length * pair.upright) {
      const float u = t - pair.length;
      return std::sqrt(u * u + across * across) - pair.nextRadius;
    }
    return t * pair.slant + across * pair.upright - pair.radius;
  }

  Point anchor_{};
  Point axis_{};
  Point across_{};
  Pair pairs_[ConvexShape::kMaxDiscs];
  int count_ = 0;
};

}  // namespace

// The stencil turned and anchored: its outlines in buffer coordinates and its
// discs.
struct Stencil::Placement {
  Outline reach;
  Outline solid;
  PlacedDiscs discs;
};

Stencil::Stencil(const Disc* discs, int count, Fade fade) : Stencil(discs, count, fade, fade) {
  layered_ = false;
}

Stencil::Stencil(const Disc* discs, int count, Fade under, Fade over)
    : discCount_(std::clamp(count, 0, ConvexShape::kMaxDiscs)),
      under_(under),
      over_(over),
      layered_(true) {
  std::copy(discs, discs + discCount_, discs_);
  const ConvexShape shape = ConvexShape::HullOfDiscs(discs_, discCount_);
  reach_ = shape.Grown(std::max(under.grow + under.softness / 2, over.grow + over.softness / 2));
  solid_ = shape.Grown(std::min(under.grow - under.softness / 2, over.grow - over.softness / 2));
}

void Stencil::Place(Point anchor, float degrees, Placement* placement) const {
  const float radians = Radians(degrees);
  const float sine = std::sin(radians);
  const float cosine = std::cos(radians);
  PlaceOutline(reach_, anchor, sine, cosine, &placement->reach);
  PlaceOutline(solid_, anchor, sine, cosine, &placement->solid);
  placement->discs = PlacedDiscs(discs_, discCount_, anchor, sine, cosine);
}

PixelRect Stencil::Bounds(Point anchor, float degrees, int width, int height) const {
  Placement placement;
  Place(anchor, degrees, &placement);
  return BoxOf(placement.reach, width, height);
}

void Stencil::Fill(const PixelBuffer& buffer, Point anchor, float degrees, Paint paint) const {
  Placement placement;
  Place(anchor, degrees, &placement);
  Render(buffer, placement, nullptr, paint);
}

void Stencil::Fill(const PixelBuffer& buffer, Point anchor, float degrees, Paint under,
                   Paint over) const {
  Placement placement;
  Place(anchor, degrees, &placement);
  Render(buffer, placement, layered_ ? &under : nullptr, over);
}

void Stencil::Render(const PixelBuffer& buffer, const Placement& placement, const Paint* under,
                     Paint over) const {
  const Outline& reach = placement.reach;
  const Outline& solid = placement.solid;
  if (reach.count == 0) return;
  const PixelRect box = BoxOf(reach, buffer.width, buffer.height);
  const FadeSteps overSteps = StepsOf(over_);
  const FadeSteps underSteps = StepsOf(under_);
  SideWalker reachLeft(reach.corners, reach.count, reach.top, -1);
  SideWalker reachRight(reach.corners, reach.count, reach.top, 1);
  SideWalker solidLeft(solid.corners, solid.count, solid.top, -1);
  SideWalker solidRight(solid.corners, solid.count, solid.top, 1);
  int32_t distance[kMaxRow];
  uint8_t overWeight[kMaxRow];
  uint8_t underWeight[kMaxRow];

  for (int y = box.top; y <= box.bottom; ++y) {
    const int first = std::max(box.left, FloorCrossing(reachLeft.At(y)) + 1);
    const int last = std::min({box.right, CeilCrossing(reachRight.At(y)) - 1, first + kMaxRow - 1});
    if (last < first) continue;
    const int count = last - first + 1;
    // The full part's columns, relative to `first`; none when solidLast < solidFirst.
    int solidFirst = count;
    int solidLast = count - 1;
    const float rowY = static_cast<float>(y);
    if (solid.count > 0 && rowY > solid.minY && rowY < solid.maxY) {
      solidFirst = std::max(0, CeilCrossing(solidLeft.At(y)) - first);
      solidLast = std::min(count - 1, FloorCrossing(solidRight.At(y)) - first);
      if (solidLast < solidFirst) solidFirst = count, solidLast = count - 1;
    }
    // The full part needs no distances.
    if (solidFirst <= solidLast) {
      placement.discs.Row(first, y, solidFirst, distance);
      placement.discs.Row(first + solidLast + 1, y, count - 1 - solidLast,
                          distance + solidLast + 1);
    } else {
      placement.discs.Row(first, y, count, distance);
    }

    for (int i = 0; i < count; ++i) {
      const bool full = i >= solidFirst && i <= solidLast;
      overWeight[i] = full ? over.opacity : WeightAt(distance[i], overSteps, over.opacity);
      if (under != nullptr) {
        underWeight[i] = full ? under->opacity : WeightAt(distance[i], underSteps, under->opacity);
      }
    }
    if (under != nullptr) {
      BlendRunPair(buffer, first, y, count, underWeight, under->colour, overWeight, over.colour);
    } else {
      BlendRun(buffer, first, y, count, overWeight, over.colour);
    }
  }
}
