#include "raster/convex_shape.h"

#include <algorithm>
#include <cmath>

#include "raster/angles.h"

namespace {

// How far a sampled arc may fall inside its circle, in pixels: well below what
// an anti-aliased edge shows.
constexpr float kArcTolerance = 0.04f;
constexpr int kMaxHalfSegments = 15;
static_assert(ConvexShape::kMaxDiscs * 2 * kMaxHalfSegments <= ConvexShape::kMaxCorners,
              "every sampled point can become a corner");
// Half the side of the square that Grown starts from and cuts down, far larger
// than any shape.
constexpr float kPlane = 1e4f;

float Cross(Point o, Point a, Point b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Points around a disc: pairs mirrored across the axis, so that the hull of a
// vertical shape is exactly symmetric.
int SampleDisc(const Disc& disc, Point* out) {
  const float step = 2 * std::acos(std::max(-1.0f, 1 - kArcTolerance / disc.radius));
  const int halfSegments = std::clamp(
      static_cast<int>(std::lrint(std::ceil(kPi / std::max(step, 1e-3f)))), 2, kMaxHalfSegments);
  int count = 0;
  for (int k = 0; k <= halfSegments; ++k) {
    const float angle = kPi * static_cast<float>(k) / static_cast<float>(halfSegments);
    const float across = disc.radius * std::sin(angle);
    const float y = -disc.along - disc.radius * std::cos(angle);
    out[count++] = {across, y};
    if (k != 0 && k != halfSegments) out[count++] = {-across, y};
  }
  return count;
}

// Cuts the convex polygon `in` down to the side of the line where
// normal . p <= limit; returns the new corner count.
int Clip(const Point* in, int count, Point normal, float limit, Point* out) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    const Point a = in[i];
    const Point b = in[(i + 1) % count];
    const float da = normal.x * a.x + normal.y * a.y - limit;
    const float db = normal.x * b.x + normal.y * b.y - limit;
    if (da <= 0) out[kept++] = a;
    if ((da < 0) != (db < 0) && da != db) {
      const float t = da / (da - db);
      out[kept++] = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    }
  }
  return kept;
}

}  // namespace

ConvexShape ConvexShape::HullOfDiscs(const Disc* discs, int count) {
  Point points[kMaxCorners];
  int total = 0;
  for (int i = 0; i < std::min(count, kMaxDiscs); ++i)
    total += SampleDisc(discs[i], points + total);
  std::sort(points, points + total,
            [](Point a, Point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });

  // Andrew's monotone chain: the lower chain left to right, then the upper one back.
  Point hull[2 * kMaxCorners];
  int size = 0;
  for (int i = 0; i < total; ++i) {
    while (size >= 2 && Cross(hull[size - 2], hull[size - 1], points[i]) <= 0) --size;
    hull[size++] = points[i];
  }
  const int lowerSize = size + 1;
  for (int i = total - 2; i >= 0; --i) {
    while (size >= lowerSize && Cross(hull[size - 2], hull[size - 1], points[i]) <= 0) --size;
    hull[size++] = points[i];
  }
  ConvexShape shape;
  shape.count_ = std::min(kMaxCorners, std::max(0, size - 1));  // the last point repeats the first
  std::copy(hull, hull + shape.count_, shape.corners_);
  shape.ComputeEdges();
  return shape;
}

void ConvexShape::ComputeEdges() {
  for (int i = 0; i < count_; ++i) {
    const Point a = corners_[i];
    const Point b = corners_[(i + 1) % count_];
    const float ex = b.x - a.x;
    const float ey = b.y - a.y;
    const float length = std::sqrt(ex * ex + ey * ey);
    normals_[i] = length > 0 ? Point{ey / length, -ex / length} : Point{0, 0};
    offsets_[i] = normals_[i].x * a.x + normals_[i].y * a.y;
  }
}

ConvexShape ConvexShape::Grown(float distance) const {
  Point work[2][kMaxCorners + 8] = {
      {{-kPlane, -kPlane}, {kPlane, -kPlane}, {kPlane, kPlane}, {-kPlane, kPlane}}};
  int count = 4;
  int current = 0;
  for (int i = 0; i < count_ && count > 0; ++i) {
    count = Clip(work[current], count, normals_[i], offsets_[i] + distance, work[1 - current]);
    current = 1 - current;
  }
  ConvexShape grown;
  if (count < 3) return grown;
  grown.count_ = std::min(count, kMaxCorners);
  std::copy(work[current], work[current] + grown.count_, grown.corners_);
  grown.ComputeEdges();
  return grown;
}
