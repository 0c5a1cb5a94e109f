#include "raster/pixel_buffer.h"

namespace {

// A 5-5-5 pixel spread over 32 bits with green moved to the top half, so that
// one multiplication blends all three channels without carries between them.
constexpr uint32_t kSpreadMask = 0x03E07C1F;

inline uint32_t Spread(uint32_t pixel) { return (pixel | (pixel << 16)) & kSpreadMask; }

inline uint16_t Gather(uint32_t spread) {
  return static_cast<uint16_t>((spread | (spread >> 16)) & 0x7FFF);
}

inline uint16_t Pack555(Rgb colour) {
  return static_cast<uint16_t>(((colour.red >> 3) << 10) | ((colour.green >> 3) << 5) |
                               (colour.blue >> 3));
}

// One 5-5-5 pixel with `colour` at weight `alpha` / 32.
inline uint16_t Blend555(uint16_t pixel, uint32_t colour, uint32_t alpha) {
  const uint32_t target = Spread(pixel);
  return Gather(((colour * alpha + target * (32 - alpha)) >> 5) & kSpreadMask);
}

// One 8-bit channel: (source x weight + target x (255 - weight)) / 255, rounded.
inline uint8_t Mix(int target, int source, int weight) {
  return static_cast<uint8_t>((source * weight + target * (255 - weight) + 127) / 255);
}

inline uint32_t Alpha32(int weight) { return static_cast<uint32_t>(weight * 33) >> 8; }

uint8_t* PixelAt(const PixelBuffer& buffer, int x, int y) {
  return buffer.bits + static_cast<long>(y) * buffer.stride + x * (buffer.bitsPerPixel / 8);
}

}  // namespace

bool IsBlendableDepth(int bitsPerPixel) {
  return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

void BlendRun(const PixelBuffer& buffer, int x, int y, int count, const uint8_t* weight,
              Rgb colour) {
  uint8_t* row = PixelAt(buffer, x, y);
  if (buffer.bitsPerPixel == 16) {
    auto* pixel = reinterpret_cast<uint16_t*>(row);
    const uint16_t solid = Pack555(colour);
    const uint32_t spread = Spread(solid);
    for (int i = 0; i < count; ++i) {
      const uint32_t alpha = Alpha32(weight[i]);
      if (alpha == 32) {
        pixel[i] = solid;
      } else if (alpha != 0) {
        pixel[i] = Blend555(pixel[i], spread, alpha);
      }
    }
    return;
  }
  const int step = buffer.bitsPerPixel / 8;
  for (int i = 0; i < count; ++i, row += step) {
    if (weight[i] == 0) continue;
    row[0] = Mix(row[0], colour.blue, weight[i]);
    row[1] = Mix(row[1], colour.green, weight[i]);
    row[2] = Mix(row[2], colour.red, weight[i]);
  }
}
