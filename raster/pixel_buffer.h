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

// Pixels of a buffer: columns left..right and rows top..bottom, inclusive; empty
// when right < left or bottom < top.
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};

// True for the three pixel sizes the blending functions write.
bool IsBlendableDepth(int bitsPerPixel);

// Blends `colour` over `count` pixels of row `y` from column `x` on, pixel i with
// weight[i] / 255: 0 leaves a pixel as it is, 255 replaces it. The run must lie
// inside the buffer. 5-5-5 pixels take the weight in 32 steps, which is what
// their five bits per channel can show.
void BlendRun(const PixelBuffer& buffer, int x, int y, int count, const uint8_t* weight,
              Rgb colour);
// The same as BlendRun with `under` and then with `over`, in one pass.
void BlendRunPair(const PixelBuffer& buffer, int x, int y, int count, const uint8_t* underWeight,
                  Rgb under, const uint8_t* overWeight, Rgb over);

// One pixel of a painted layer, in the forms the three depths lay it with: what
// the paint added (premultiplied, as 5-5-5 fields ready for Blend555-style
// arithmetic and as 8-bit blue, green, red) and how much of the pixel beneath
// still shows (of 32 and of 255).
struct LayerPixel {
  uint32_t added555;
  uint32_t added888;
  uint8_t keep32;
  uint8_t keep255;
};

// The layer pixel of a paint that turned black into `overBlack` and white into
// `overWhite`.
LayerPixel MakeLayerPixel(Rgb overBlack, Rgb overWhite);

// Lays `count` layer pixels over row `y` from column `x` on: each pixel becomes
// what the paint would have made of it. The run must lie inside the buffer.
void LayRun(const PixelBuffer& buffer, int x, int y, int count, const LayerPixel* pixels);
