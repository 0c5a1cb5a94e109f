#pragma once

#include <cstdint>

#include "raster/pixel_buffer.h"

// What a set of fills does to a square of kSize x kSize pixels, kept so that it
// can be laid onto pictures again and again without working the fills out each
// time. The fills are run once over black and once over white: the two results
// give each pixel's added colour and how much of what lies beneath still shows.
// Only the pixels the fills changed are kept, as runs along the rows.
class PaintedLayer {
 public:
  static constexpr int kSize = 160;

  // Fills a kSize x kSize buffer; Record runs it twice.
  class Painter {
   public:
    virtual void Paint(const PixelBuffer& square) const = 0;

   protected:
    ~Painter() = default;
  };

  // Forgets what was kept and keeps what `painter` does, which changes no pixel
  // outside `area` of the square.
  void Record(const Painter& painter, PixelRect area);
  // Lays what was kept onto `buffer` with the square's top left at (left, top);
  // what falls outside the buffer is left out.
  void Apply(const PixelBuffer& buffer, int left, int top) const;

 private:
  struct Run {
    int16_t y;
    int16_t x;
    int16_t count;
    int32_t first;  // index of its first pixel in pixels_
  };

  uint32_t black_[kSize * kSize];
  uint32_t white_[kSize * kSize];
  LayerPixel pixels_[kSize * kSize];
  Run runs_[kSize * kSize / 2];
  int runCount_ = 0;
};
