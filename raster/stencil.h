#pragma once

#include <cstdint>

#include "raster/convex_shape.h"
#include "raster/pixel_buffer.h"

// How an ink's edge falls off: a pixel's coverage drops from full to none across
// a band `softness` pixels wide, centred on the outline grown by `grow`. A
// softness of 1 is a crisp anti-aliased edge, more a blurred one.
struct Fade {
  float grow;
  float softness;
};

// An ink's colour and its opacity at full coverage (255: opaque).
struct Paint {
  Rgb colour;
  uint8_t opacity;
};

// The hull of a few discs on an axis (a hand, a cap) made ready to be laid onto
// pixels, turned and anchored anywhere, with one ink or with two in one pass (a
// rim beneath a body). Each pixel's coverage comes from the exact distance of its
// centre to the hull's outline, and is worked out only within the rows' spans of
// a polygon around the outermost ink and only where it is neither none nor full.
// A fill's rows are at most 1024 pixels wide; a wider shape is cut off there.
class Stencil {
 public:
  // The hull of at most ConvexShape::kMaxDiscs discs on the axis.
  Stencil(const Disc* discs, int count, Fade fade);
  Stencil(const Disc* discs, int count, Fade under, Fade over);

  // The pixels that a fill at `anchor`, turned clockwise by `degrees`, may change
  // in a buffer of `width` x `height`.
  PixelRect Bounds(Point anchor, float degrees, int width, int height) const;

  // Blends `paint` over the buffer; on a two-ink stencil, the upper ink.
  void Fill(const PixelBuffer& buffer, Point anchor, float degrees, Paint paint) const;
  // Blends `under` with the lower ink's fade, then `over` with the upper one's.
  void Fill(const PixelBuffer& buffer, Point anchor, float degrees, Paint under, Paint over) const;

 private:
  struct Placement;

  void Place(Point anchor, float degrees, Placement* placement) const;
  void Render(const PixelBuffer& buffer, const Placement& placement, const Paint* under,
              Paint over) const;

  Disc discs_[ConvexShape::kMaxDiscs];
  int discCount_;
  // Where the outermost ink reaches, and where the upper ink is full.
  ConvexShape reach_;
  ConvexShape solid_;
  Fade under_;
  Fade over_;
  bool layered_;
};
