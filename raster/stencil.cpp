#include "raster/stencil.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr float kPi = 3.14159265358979f;
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
  SideWalker(const Point* corners, const int* sources, int count, int top, int step)
      : corners_(corners), sources_(sources), count_(count), step_(step), upper_(top) {}

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

  // The shape's edge that the last row's crossing lies on.
  int edge() const { return sources_[step_ > 0 ? upper_ : lower()]; }

 private:
  int lower() const { return (upper_ + step_ + count_) % count_; }

  const Point* corners_;
  const int* sources_;
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
  int sources[ConvexShape::kMaxCorners];
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
    outline->sources[i] = shape.source(i);
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

// The shape's edges as whole-number lines, d = a x + b y + c in distance units
// for the pixel centre (x, y) counted from the pixel `origin`, near the anchor.
struct EdgeLines {
  int count = 0;
  int originX = 0;
  int originY = 0;
  int32_t a[ConvexShape::kMaxCorners];
  int32_t b[ConvexShape::kMaxCorners];
  int32_t c[ConvexShape::kMaxCorners];

  int32_t Distance(int i, int x, int y) const {
    return a[i] * (x - originX) + b[i] * (y - originY) + c[i];
  }
};

// Walks along a row of pixel centres in one direction, following the edge whose
// line lies farthest: that edge changes only to a neighbouring one, so it is
// enough to carry the distances to the edge and its two neighbours along, each
// growing by its own step per column, and to move on when a neighbour's passes.
class FarthestEdge {
 public:
  // Starts at column `x` of row `y` from edge `start`; `direction` is 1 to walk
  // right, -1 to walk left.
  FarthestEdge(const EdgeLines& lines, int start, int x, int y, int direction)
      : lines_(lines), index_(start), x_(x), y_(y), direction_(direction) {}

  // Writes the distances of the next `count` columns to out[0], out[direction],
  // out[2 x direction] and so on; with `keepLarger`, only where they exceed what
  // is there.
  void Walk(int count, int32_t* out, bool keepLarger) {
    const int last = lines_.count - 1;
    int next = index_ == last ? 0 : index_ + 1;
    int previous = index_ == 0 ? last : index_ - 1;
    int32_t here = lines_.Distance(index_, x_, y_);
    int32_t toNext = lines_.Distance(next, x_, y_);
    int32_t toPrevious = lines_.Distance(previous, x_, y_);
    for (int i = 0; i < count; ++i, out += direction_, x_ += direction_) {
      for (int steps = 0; (toNext > here || toPrevious > here) && steps <= last; ++steps) {
        if (toNext >= toPrevious) {
          previous = index_;
          toPrevious = here;
          index_ = next;
          here = toNext;
          next = index_ == last ? 0 : index_ + 1;
          toNext = lines_.Distance(next, x_, y_);
        } else {
          next = index_;
          toNext = here;
          index_ = previous;
          here = toPrevious;
          previous = index_ == 0 ? last : index_ - 1;
          toPrevious = lines_.Distance(previous, x_, y_);
        }
      }
      *out = keepLarger ? std::max(*out, here) : here;
      here += direction_ * lines_.a[index_];
      toNext += direction_ * lines_.a[next];
      toPrevious += direction_ * lines_.a[previous];
    }
  }

 private:
  const EdgeLines& lines_;
  int index_;
  int x_;
  int y_;
  int direction_;
};

}  // namespace

// The stencil turned and anchored: its outlines in buffer coordinates and its
// edges' lines.
struct Stencil::Placement {
  Outline reach;
  Outline solid;
  EdgeLines lines;
};

Stencil::Stencil(const ConvexShape& shape, Fade fade) : Stencil(shape, fade, fade) {
  layered_ = false;
}

Stencil::Stencil(const ConvexShape& shape, Fade under, Fade over)
    : shape_(shape),
      reach_(shape.Grown(std::max(under.grow + under.softness / 2, over.grow + over.softness / 2))),
      solid_(shape.Grown(std::min(under.grow - under.softness / 2, over.grow - over.softness / 2))),
      under_(under),
      over_(over),
      layered_(true) {}

void Stencil::Place(Point anchor, float degrees, Placement* placement) const {
  const float radians = degrees * kPi / 180;
  const float sine = std::sin(radians);
  const float cosine = std::cos(radians);
  PlaceOutline(reach_, anchor, sine, cosine, &placement->reach);
  PlaceOutline(solid_, anchor, sine, cosine, &placement->solid);
  EdgeLines& lines = placement->lines;
  lines.count = shape_.count();
  lines.originX = static_cast<int>(std::lrint(anchor.x));
  lines.originY = static_cast<int>(std::lrint(anchor.y));
  const float fromX = anchor.x - static_cast<float>(lines.originX);
  const float fromY = anchor.y - static_cast<float>(lines.originY);
  for (int i = 0; i < shape_.count(); ++i) {
    const Point n = shape_.normal(i);
    const float nx = n.x * cosine - n.y * sine;
    const float ny = n.x * sine + n.y * cosine;
    lines.a[i] = static_cast<int32_t>(std::lrint(nx * kDistanceOne));
    lines.b[i] = static_cast<int32_t>(std::lrint(ny * kDistanceOne));
    lines.c[i] = static_cast<int32_t>(
        std::lrint(-(nx * fromX + ny * fromY + shape_.offset(i)) * kDistanceOne));
  }
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
  if (reach.count == 0 || placement.lines.count == 0) return;
  const PixelRect box = BoxOf(reach, buffer.width, buffer.height);
  const FadeSteps overSteps = StepsOf(over_);
  const FadeSteps underSteps = StepsOf(under_);
  SideWalker reachLeft(reach.corners, reach.sources, reach.count, reach.top, -1);
  SideWalker reachRight(reach.corners, reach.sources, reach.count, reach.top, 1);
  SideWalker solidLeft(solid.corners, solid.sources, solid.count, solid.top, -1);
  SideWalker solidRight(solid.corners, solid.sources, solid.count, solid.top, 1);
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
    const bool split = solidFirst <= solidLast;

    // Where the outline crosses the row, its own edge is the farthest: each side's
    // search starts there and follows the row inwards. Without a full part in
    // between, a thin shape's two sides both matter across the whole row.
    FarthestEdge fromLeft(placement.lines, reachLeft.edge(), first, y, 1);
    FarthestEdge fromRight(placement.lines, reachRight.edge(), last, y, -1);
    fromLeft.Walk(split ? solidFirst : count, distance, false);
    fromRight.Walk(split ? count - 1 - solidLast : count, distance + count - 1, !split);

    for (int i = 0; i < count; ++i) {
      const bool full = i >= solidFirst && i <= solidLast;
      overWeight[i] = full ? over.opacity : WeightAt(distance[i], overSteps, over.opacity);
      if (under != nullptr) {
        underWeight[i] = full ? under->opacity : WeightAt(distance[i], underSteps, under->opacity);
      }
    }
    if (under != nullptr) BlendRun(buffer, first, y, count, underWeight, under->colour);
    BlendRun(buffer, first, y, count, overWeight, over.colour);
  }
}
