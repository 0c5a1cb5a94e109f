#pragma once

#include <cstdint>
#include <memory>

#include "raster/pixel_buffer.h"

// What a set of fills does to a square of pixels, kept so that it can be laid
// onto pictures again and again without working the fills out each time. The
// fills are run once over black and once over white: the two results give each
// pixel's added colour and how much of what lies beneath still shows. Only the
// pixels the fills changed are kept, as runs along the rows.
class PaintedLayer {
 public:
  // Fills a buffer of the layer's size; Record runs it twice.
  class Painter {
   public:
    virtual void Paint(const PixelBuffer& square) const = 0;

   protected:
    ~Painter() = default;
  };

  static constexpr int kMaxSize = 4096;

  // A layer of `size` x `size` pixels (1 to kMaxSize), or null when its memory
  // cannot be had.
  static std::unique_ptr<PaintedLayer> Make(int size);

  int size() const { return size_; }

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

  explicit PaintedLayer(int size);

  int size_;
  std::unique_ptr<uint32_t[]> black_;
  std::unique_ptr<uint32_t[]> white_;
  std::unique_ptr<LayerPixel[]> pixels_;
  // A row holds at most (size + 1) / 2 runs, each followed by an unchanged pixel.
  std::unique_ptr<Run[]> runs_;
  int runCount_ = 0;
};
