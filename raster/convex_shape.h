#pragma once

// A point or a vector in pixel units. Pixel centres lie on whole numbers, x grows
// to the right and y downwards.
struct Point {
  float x;
  float y;
};

// A disc in a shape's own frame: `along` the shape's axis, which points up, with
// `radius`.
struct Disc {
  float along;
  float radius;
};

// A convex polygon in a shape's own frame, its corners in clockwise order on the
// screen. It serves as the outline that bounds a fill's rows; each edge keeps its
// outward unit normal and its line's distance from the origin, for growing.
class ConvexShape {
 public:
  static constexpr int kMaxCorners = 96;
  static constexpr int kMaxDiscs = 3;

  // The convex hull of discs on the axis, mirror-symmetric across it; at most
  // kMaxDiscs. Its arcs lie at most 0.04 pixels inside the discs.
  static ConvexShape HullOfDiscs(const Disc* discs, int count);

  // The part of the plane where no edge's distance exceeds `distance`: the shape
  // grown with mitred corners, or shrunk for a negative distance. Its edges are
  // this shape's, moved; edges that shrinking squeezes out are gone, and nothing
  // is left (no corners) when the shape is thinner than twice the distance.
  ConvexShape Grown(float distance) const;

  int count() const { return count_; }
  Point corner(int i) const { return corners_[i]; }

 private:
  void ComputeEdges();

  int count_ = 0;
  Point corners_[kMaxCorners];
  Point normals_[kMaxCorners];
  float offsets_[kMaxCorners];
};
