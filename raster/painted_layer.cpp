#include "raster/painted_layer.h"

#include <algorithm>
#include <new>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

Rgb ColourOf(uint32_t pixel) {
  return {static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
          static_cast<uint8_t>(pixel)};
}

}  // namespace

PaintedLayer::PaintedLayer(int size)
    : size_(size),
      black_(new (std::nothrow) uint32_t[size * size]),
      white_(new (std::nothrow) uint32_t[size * size]),
      pixels_(new (std::nothrow) LayerPixel[size * size]),
      runs_(new (std::nothrow) Run[size * ((size + 1) / 2)]) {}

std::unique_ptr<PaintedLayer> PaintedLayer::Make(int size) {
  if (size < 1 || size > kMaxSize) return nullptr;
  std::unique_ptr<PaintedLayer> layer(new (std::nothrow) PaintedLayer(size));
  if (layer == nullptr || !layer->black_ || !layer->white_ || !layer->pixels_ || !layer->runs_) {
    return nullptr;
  }
  return layer;
}

void PaintedLayer::Record(const Painter& painter, PixelRect area) {
  const int left = std::max(0, area.left);
  const int right = std::min(size_ - 1, area.right);
  const int top = std::max(0, area.top);
  const int bottom = std::min(size_ - 1, area.bottom);
  uint32_t* black = black_.get();
  uint32_t* white = white_.get();
  // Only the area is made ready and read; the painter leaves the rest alone.
  for (int y = top; y <= bottom; ++y) {
    std::fill(black + y * size_ + left, black + y * size_ + right + 1, 0u);
    std::fill(white + y * size_ + left, white + y * size_ + right + 1, kWhite);
  }
  painter.Paint({reinterpret_cast<uint8_t*>(black), size_, size_, size_ * 4, 32});
  painter.Paint({reinterpret_cast<uint8_t*>(white), size_, size_, size_ * 4, 32});

  runCount_ = 0;
  int pixelCount = 0;
  for (int y = top; y <= bottom; ++y) {
    bool inRun = false;
    for (int x = left; x <= right; ++x) {
      const int i = y * size_ + x;
      // The unused fourth byte is left as it was and plays no part.
      const uint32_t overBlack = black[i] & kWhite;
      const uint32_t overWhite = white[i] & kWhite;
      if (overBlack == 0 && overWhite == kWhite) {
        inRun = false;
        continue;
      }
      if (!inRun) {
        runs_[runCount_++] = {static_cast<int16_t>(y), static_cast<int16_t>(x), 0, pixelCount};
        inRun = true;
      }
      pixels_[pixelCount++] = MakeLayerPixel(ColourOf(overBlack), ColourOf(overWhite));
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
    LayRun(buffer, x, y, end - x, pixels_.get() + run.first + (x - left - run.x));
  }
}
