#pragma once

#include <cstdint>

// 5-5-5 pixels spread over 32 bits with green moved to the top half, so that one
// multiplication mixes all three channels without carries between them.

constexpr uint32_t kSpreadMask = 0x03E07C1F;

// Half a step in each channel of a spread pixel times 32, so that shifting back
// to five bits rounds instead of cutting off.
constexpr uint32_t kSpreadHalf = 16 | 16 << 10 | 16 << 21;

inline uint32_t Spread(uint32_t pixel) { return (pixel | (pixel << 16)) & kSpreadMask; }

inline uint16_t Gather(uint32_t spread) {
  return static_cast<uint16_t>((spread | (spread >> 16)) & 0x7FFF);
}

// A spread pixel `target` with the spread `colour` at weight `alpha` / 32.
inline uint32_t MixSpread(uint32_t target, uint32_t colour, uint32_t alpha) {
  return ((colour * alpha + target * (32 - alpha) + kSpreadHalf) >> 5) & kSpreadMask;
}
