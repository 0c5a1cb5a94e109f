#include "raster/face_scaler.h"

#include <cstddef>
#include <utility>

#include "raster/spread555.h"

// Pixel centres line up: target i lies at source (i + 0.5) * from / to - 0.5.
// Five bits of channel take no finer weights than 1/32.
std::vector<FaceScaler::Tap> FaceScaler::Taps(int fromSize, int toSize) {
  std::vector<Tap> taps(static_cast<size_t>(toSize));
  for (int i = 0; i < toSize; ++i) {
    const long long position = (2LL * i + 1) * fromSize * 32 / (2LL * toSize) - 16;
    const long long clamped = position < 0 ? 0 : position;
    int index = static_cast<int>(clamped >> 5);
    int weight = static_cast<int>(clamped & 31);
    if (index >= fromSize - 1) {
      index = fromSize - 1;
      weight = 0;
    }
    taps[static_cast<size_t>(i)] = {index, weight};
  }
  return taps;
}

void FaceScaler::Prepare(const PixelBuffer& from, const PixelBuffer& to) {
  upperRow_ = lowerRow_ = -1;
  if (from.width == fromWidth_ && from.height == fromHeight_ && to.width == toWidth_ &&
      to.height == toHeight_) {
    return;
  }
  fromWidth_ = from.width;
  fromHeight_ = from.height;
  toWidth_ = to.width;
  toHeight_ = to.height;
  columns_ = Taps(from.width, to.width);
  rows_ = Taps(from.height, to.height);
  upper_.assign(static_cast<size_t>(to.width), 0);
  lower_.assign(static_cast<size_t>(to.width), 0);
}

void FaceScaler::Scale(const PixelBuffer& from, const PixelBuffer& to) {
  if (from.bitsPerPixel != 16 || to.bitsPerPixel != 16 || to.width < from.width ||
      to.height < from.height || from.width <= 0 || from.height <= 0) {
    return;
  }
  Prepare(from, to);
  const auto widen = [&](int row, std::vector<uint32_t>& out) {
    const auto* pixels = reinterpret_cast<const uint16_t*>(from.bits + row * from.stride);
    uint32_t* spread = out.data();
    for (const Tap& tap : columns_) {
      const uint32_t a = Spread(pixels[tap.index]);
      *spread++ = tap.weight == 0 ? a : MixSpread(a, Spread(pixels[tap.index + 1]), tap.weight);
    }
  };
  for (int y = 0; y < to.height; ++y) {
    const Tap& row = rows_[static_cast<size_t>(y)];
    const int next = row.index + (row.weight != 0 ? 1 : 0);
    if (upperRow_ != row.index) {
      if (lowerRow_ == row.index) {
        std::swap(upper_, lower_);
        std::swap(upperRow_, lowerRow_);
      } else {
        widen(row.index, upper_);
        upperRow_ = row.index;
      }
    }
    if (lowerRow_ != next) {
      widen(next, lower_);
      lowerRow_ = next;
    }
    auto* out = reinterpret_cast<uint16_t*>(to.bits + y * to.stride);
    const uint32_t* a = upper_.data();
    const uint32_t* b = lower_.data();
    const auto weight = static_cast<uint32_t>(row.weight);
    for (int x = 0; x < to.width; ++x) out[x] = Gather(MixSpread(a[x], b[x], weight));
  }
}
