#include "base/picture_resampler.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace {

// The source pixels one target pixel takes along an axis: `count` of them from
// `first` on, weighted by the `count` weights from `weightAt` on.
struct Taps {
  int first;
  int count;
  size_t weightAt;
};

// The taps of every target pixel along one axis, with weights that add up to
// `total` for each.
struct AxisWeights {
  std::vector<Taps> taps;
  std::vector<uint32_t> weights;
  uint32_t total = 0;

  void Add(int first, std::initializer_list<uint32_t> tapWeights) {
    taps.push_back({first, static_cast<int>(tapWeights.size()), weights.size()});
    weights.insert(weights.end(), tapWeights);
  }
  const uint32_t* WeightsOf(const Taps& t) const { return weights.data() + t.weightAt; }
};

// Shrinking: with each source pixel `to` units long, target pixel t spans units
// t * from to (t + 1) * from, and each source pixel weighs what of it lies there.
AxisWeights BoxWeights(int from, int to) {
  AxisWeights axis;
  axis.total = static_cast<uint32_t>(from);
  for (int t = 0; t < to; ++t) {
    const int64_t begin = static_cast<int64_t>(t) * from;
    const int64_t end = begin + from;
    const int first = static_cast<int>(begin / to);
    axis.taps.push_back({first, 0, axis.weights.size()});
    for (int64_t source = first; source * to < end; ++source) {
      const int64_t low = std::max(begin, source * to);
      const int64_t high = std::min(end, (source + 1) * to);
      axis.weights.push_back(static_cast<uint32_t>(high - low));
      ++axis.taps.back().count;
    }
  }
  return axis;
}

// Enlarging: target pixel t's centre lies at source position (t + 1/2) * from / to
// - 1/2, counted here in units of 1 / (2 * to) of a source pixel; outside the
// first and last source centres it takes the nearest pixel alone.
AxisWeights LinearWeights(int from, int to) {
  AxisWeights axis;
  const int64_t unit = 2 * static_cast<int64_t>(to);
  axis.total = static_cast<uint32_t>(unit);
  for (int t = 0; t < to; ++t) {
    const int64_t centre = (2 * static_cast<int64_t>(t) + 1) * from - to;
    const int64_t source = centre / unit;
    if (centre <= 0 || source >= from - 1) {
      axis.Add(centre <= 0 ? 0 : from - 1, {axis.total});
    } else {
      const auto part = static_cast<uint32_t>(centre % unit);
      axis.Add(static_cast<int>(source), {axis.total - part, part});
    }
  }
  return axis;
}

AxisWeights Weights(int from, int to) {
  return to <= from ? BoxWeights(from, to) : LinearWeights(from, to);
}

uint32_t Channel(uint32_t pixel, int channel) { return (pixel >> (8 * channel)) & 0xFF; }

}  // namespace

BgraPicture Resample(const BgraPicture& picture, PictureSize size) {
  const AxisWeights across = Weights(picture.width, size.width);
  const AxisWeights down = Weights(picture.height, size.height);

  // Rows filtered across, each channel kept with eight more bits: at most 255 * 256.
  std::vector<uint16_t> rows(static_cast<size_t>(picture.height) * size.width * 4);
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* source = picture.pixels.data() + static_cast<size_t>(y) * picture.width;
    uint16_t* to = rows.data() + static_cast<size_t>(y) * size.width * 4;
    for (const Taps& taps : across.taps) {
      const uint32_t* weight = across.WeightsOf(taps);
      for (int channel = 0; channel < 4; ++channel) {
        uint32_t sum = 0;
        for (int i = 0; i < taps.count; ++i) {
          sum += weight[i] * Channel(source[taps.first + i], channel);
        }
        *to++ = static_cast<uint16_t>((sum * 256 + across.total / 2) / across.total);
      }
    }
  }

  BgraPicture scaled{size.width, size.height,
                     std::vector<uint32_t>(static_cast<size_t>(size.width) * size.height)};
  const uint32_t divisor = down.total * 256;
  uint32_t* to = scaled.pixels.data();
  for (const Taps& taps : down.taps) {
    const uint32_t* weight = down.WeightsOf(taps);
    const uint16_t* firstRow = rows.data() + static_cast<size_t>(taps.first) * size.width * 4;
    for (size_t at = 0; at < static_cast<size_t>(size.width) * 4; at += 4) {
      uint32_t pixel = 0;
      for (size_t channel = 0; channel < 4; ++channel) {
        uint32_t sum = 0;
        for (int i = 0; i < taps.count; ++i) {
          sum += weight[i] * firstRow[static_cast<size_t>(i) * size.width * 4 + at + channel];
        }
        pixel |= ((sum + divisor / 2) / divisor) << (8 * channel);
      }
      *to++ = pixel;
    }
  }
  return scaled;
}
