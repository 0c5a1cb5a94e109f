#pragma once

#include <cstdint>

// A colour as 8-bit red, green and blue.
struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

// A view on pixel memory that someone else owns. `bits` points at the top row;
// rows lie `stride` bytes apart, negative for a picture stored bottom-up. A pixel
// is 16 bits (5-5-5, blue in the low bits), 24 bits (blue, green, red bytes) or
// 32 bits (blue, green, red and an unused byte).
struct PixelBuffer {
  uint8_t* bits;
  int width;
  int height;
  int stride;
  int bitsPerPixel;
};

// True for the three pixel sizes the blending functions write.
bool IsBlendableDepth(int bitsPerPixel);

// Blends `colour` over `count` pixels of row `y` from column `x` on, pixel i with
// weight[i] / 255: 0 leaves a pixel as it is, 255 replaces it. The run must lie
// inside the buffer. 5-5-5 pixels take the weight in 32 steps, which is what
// their five bits per channel can show.
void BlendRun(const PixelBuffer& buffer, int x, int y, int count, const uint8_t* weight,
              Rgb colour);
