#include "raster/pixel_buffer.h"

#include <algorithm>

#include "raster/spread555.h"

namespace {

inline uint16_t Pack555(Rgb colour) {
  return static_cast<uint16_t>(((colour.red >> 3) << 10) | ((colour.green >> 3) << 5) |
                               (colour.blue >> 3));
}

// One 5-5-5 pixel with `colour` at weight `alpha` / 32.
inline uint16_t Blend555(uint16_t pixel, uint32_t colour, uint32_t alpha) {
  return Gather(MixSpread(Spread(pixel), colour, alpha));
}

// One 8-bit channel: (source x weight + target x (255 - weight)) / 255, rounded.
inline uint8_t Mix(int target, int source, int weight) {
  return static_cast<uint8_t>((source * weight + target * (255 - weight) + 127) / 255);
}

inline uint32_t Alpha32(int weight) { return static_cast<uint32_t>(weight * 33) >> 8; }

// A premultiplied 8-bit channel (0 to 255) in the 5-bit scale x 32 that a
// spread pixel times a weight of 32 has.
inline uint32_t Added5(int channel, uint32_t keep32) {
  const uint32_t scaled = (static_cast<uint32_t>(channel) * 992 + 127) / 255;
  return std::min(scaled, 31 * (32 - keep32));
}

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

void BlendRunPair(const PixelBuffer& buffer, int x, int y, int count, const uint8_t* underWeight,
                  Rgb under, const uint8_t* overWeight, Rgb over) {
  if (buffer.bitsPerPixel != 16) {
    BlendRun(buffer, x, y, count, underWeight, under);
    BlendRun(buffer, x, y, count, overWeight, over);
    return;
  }
  auto* pixel = reinterpret_cast<uint16_t*>(PixelAt(buffer, x, y));
  const uint16_t overSolid = Pack555(over);
  const uint32_t overSpread = Spread(overSolid);
  const uint32_t underSpread = Spread(Pack555(under));
  for (int i = 0; i < count; ++i) {
    const uint32_t overAlpha = Alpha32(overWeight[i]);
    if (overAlpha == 32) {
      pixel[i] = overSolid;
      continue;
    }
    const uint32_t underAlpha = Alpha32(underWeight[i]);
    if ((overAlpha | underAlpha) == 0) continue;
    const uint32_t mixed = MixSpread(Spread(pixel[i]), underSpread, underAlpha);
    pixel[i] = Gather(MixSpread(mixed, overSpread, overAlpha));
  }
}

LayerPixel MakeLayerPixel(Rgb overBlack, Rgb overWhite) {
  // Each channel shows the same share of what lies beneath; they differ only by
  // rounding, so their mean is taken.
  const int shown = (overWhite.red - overBlack.red) + (overWhite.green - overBlack.green) +
                    (overWhite.blue - overBlack.blue);
  const auto keep255 = static_cast<uint32_t>(std::clamp((shown + 1) / 3, 0, 255));
  const uint32_t keep32 = (keep255 * 32 + 127) / 255;
  const uint32_t added555 = Added5(overBlack.blue, keep32) | Added5(overBlack.red, keep32) << 10 |
                            Added5(overBlack.green, keep32) << 21;
  const uint32_t added888 = static_cast<uint32_t>(overBlack.blue) |
                            static_cast<uint32_t>(overBlack.green) << 8 |
                            static_cast<uint32_t>(overBlack.red) << 16;
  return {added555, added888, static_cast<uint8_t>(keep32), static_cast<uint8_t>(keep255)};
}

void LayRun(const PixelBuffer& buffer, int x, int y, int count, const LayerPixel* pixels) {
  uint8_t* row = PixelAt(buffer, x, y);
  if (buffer.bitsPerPixel == 16) {
    auto* pixel = reinterpret_cast<uint16_t*>(row);
    for (int i = 0; i < count; ++i) {
      const LayerPixel& p = pixels[i];
      pixel[i] =
          Gather(((p.added555 + Spread(pixel[i]) * p.keep32 + kSpreadHalf) >> 5) & kSpreadMask);
    }
    return;
  }
  const int step = buffer.bitsPerPixel / 8;
  for (int i = 0; i < count; ++i, row += step) {
    const LayerPixel& p = pixels[i];
    for (int channel = 0; channel < 3; ++channel) {
      const int added = static_cast<int>(p.added888 >> (8 * channel)) & 0xFF;
      row[channel] =
          static_cast<uint8_t>(std::min(255, added + (row[channel] * p.keep255 + 127) / 255));
    }
  }
}
