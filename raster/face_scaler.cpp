#include "raster/face_scaler.h"

#include <cstddef>
#include <utility>

namespace {

int Channel(uint16_t pixel, int shift) { return (pixel >> shift) & 31; }

}  // namespace

// Pixel centres line up: target i lies at source (i + 0.5) * from / to - 0.5.
std::vector<FaceScaler::Tap> FaceScaler::Taps(int fromSize, int toSize) {
  std::vector<Tap> taps(static_cast<size_t>(toSize));
  for (int i = 0; i < toSize; ++i) {
    const long long position = (2LL * i + 1) * fromSize * 256 / (2LL * toSize) - 128;
    const long long clamped = position < 0 ? 0 : position;
    int index = static_cast<int>(clamped >> 8);
    int weight = static_cast<int>(clamped & 255);
    if (index >= fromSize - 1) {
      index = fromSize - 1;
      weight = 0;
    }
    taps[static_cast<size_t>(i)] = {index, weight};
  }
  return taps;
}

void FaceScaler::Prepare(const PixelBuffer& from, const PixelBuffer& to) {
  if (from.width == fromWidth_ && from.height == fromHeight_ && to.width == toWidth_ &&
      to.height == toHeight_) {
    upperRow_ = lowerRow_ = -1;
    return;
  }
  fromWidth_ = from.width;
  fromHeight_ = from.height;
  toWidth_ = to.width;
  toHeight_ = to.height;
  columns_ = Taps(from.width, to.width);
  rows_ = Taps(from.height, to.height);
  upper_.assign(static_cast<size_t>(to.width) * 3, 0);
  lower_.assign(static_cast<size_t>(to.width) * 3, 0);
  upperRow_ = lowerRow_ = -1;
}

void FaceScaler::Scale(const PixelBuffer& from, const PixelBuffer& to) {
  if (from.bitsPerPixel != 16 || to.bitsPerPixel != 16 || to.width < from.width ||
      to.height < from.height || from.width <= 0 || from.height <= 0) {
    return;
  }
  Prepare(from, to);
  // Widens source row `row` into `out`: channels of each target column, in 1/256
  // of a 5-bit step.
  const auto widen = [&](int row, std::vector<uint16_t>& out) {
    const auto* pixels = reinterpret_cast<const uint16_t*>(from.bits + row * from.stride);
    uint16_t* channel = out.data();
    for (const Tap& tap : columns_) {
      const uint16_t a = pixels[tap.index];
      const uint16_t b = pixels[tap.index + (tap.weight != 0 ? 1 : 0)];
      for (int shift : {0, 5, 10}) {
        const int low = Channel(a, shift);
        *channel++ = static_cast<uint16_t>(low * 256 + (Channel(b, shift) - low) * tap.weight);
      }
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
    const uint16_t* a = upper_.data();
    const uint16_t* b = lower_.data();
    for (int x = 0; x < to.width; ++x, a += 3, b += 3) {
      int pixel = 0;
      for (int c = 0; c < 3; ++c) {
        const int value = a[c] * 256 + (b[c] - a[c]) * row.weight;
        // Rounded back from 1/65536 steps to whole 5-bit steps.
        pixel |= ((value + 32768) >> 16) << (5 * c);
      }
      out[x] = static_cast<uint16_t>(pixel);
    }
  }
}
