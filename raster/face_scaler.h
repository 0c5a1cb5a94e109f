#pragma once

#include <cstdint>
#include <vector>

#include "raster/pixel_buffer.h"

// Enlarges a 16-bit (5-5-5) face to a larger square one with linear
// interpolation between the nearest source pixels, for the clock shown on a
// high-DPI screen with a drawing module that draws only at its first size. The
// tables and the row buffer are made once for a pair of sizes and kept, so that
// scaling a face every second allocates nothing.
class FaceScaler {
 public:
  // Scales `from` onto `to`, both 16 bits a pixel; `to` at least as large as
  // `from` on each side. Other buffers are left as they are.
  void Scale(const PixelBuffer& from, const PixelBuffer& to);

 private:
  // Where target coordinate i reads: source index and the weight of the next
  // source pixel in 1/32.
  struct Tap {
    int index;
    int weight;
  };

  static std::vector<Tap> Taps(int fromSize, int toSize);
  void Prepare(const PixelBuffer& from, const PixelBuffer& to);

  int fromWidth_ = 0, fromHeight_ = 0, toWidth_ = 0, toHeight_ = 0;
  std::vector<Tap> columns_;
  std::vector<Tap> rows_;
  // Source rows widened to the target's width, as spread pixels, for the two
  // source rows the current target row lies between.
  std::vector<uint32_t> upper_;
  std::vector<uint32_t> lower_;
  int upperRow_ = -1;
  int lowerRow_ = -1;
};
