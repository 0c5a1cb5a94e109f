#include "raster/painted_layer.h"

#include <algorithm>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

Rgb ColourOf(uint32_t pixel) {
  return {static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
          static_cast<uint8_t>(pixel)};
}

}  // namespace

void PaintedLayer::Record(const Painter& painter, PixelRect area) {
  const int left = std::max(0, area.left);
  const int right = std::min(kSize - 1, area.right);
  const int top = std::max(0, area.top);
  const int bottom = std::min(kSize - 1, area.bottom);
  // Only the area is made ready and read; the painter leaves the rest alone.
  for (int y = top; y <= bottom; ++y) {
    std::fill(black_ + y * kSize + left, black_ + y * kSize + right + 1, 0u);
    std::fill(white_ + y * kSize + left, white_ + y * kSize + right + 1, kWhite);
  }
  constexpr int kStride = kSize * 4;
  painter.Paint({reinterpret_cast<uint8_t*>(black_), kSize, kSize, kStride, 32});
  painter.Paint({reinterpret_cast<uint8_t*>(white_), kSize, kSize, kStride, 32});

  runCount_ = 0;
  int pixelCount = 0;
  for (int y = top; y <= bottom; ++y) {
    bool inRun = false;
    for (int x = left; x <= right; ++x) {
      const int i = y * kSize + x;
      // The unused fourth byte is left as it was and plays no part.
      const uint32_t black = black_[i] & kWhite;
      const uint32_t white = white_[i] & kWhite;
      if (black == 0 && white == kWhite) {
        inRun = false;
        continue;
      }
      if (!inRun) {
        runs_[runCount_++] = {static_cast<int16_t>(y), static_cast<int16_t>(x), 0, pixelCount};
        inRun = true;
      }
      pixels_[pixelCount++] = MakeLayerPixel(ColourOf(black), ColourOf(white));
      ++runs_[runCount_ - 1].count;
    }
  }
}

void PaintedLayer::Apply(const PixelBuffer& buffer, int left, int top) const {
  for (int r = 0; r < runCount_; ++r) {
    const Run& run = runs_[r];
    const int y = top + run.y;
    if (y < 0 || y >= buffer.height) continue;
    const int x = std::max(0, left + run.x);
    const int end = std::min(buffer.width, left + run.x + run.count);
    if (end <= x) continue;
    LayRun(buffer, x, y, end - x, pixels_ + run.first + (x - left - run.x));
  }
}
