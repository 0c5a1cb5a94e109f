#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Copies `length` bytes from `from` into a heap block of exactly that size and reads every
// byte of the copy. A range that reaches past the input makes ASan stop at the copy, and a
// reader that goes past the range makes it stop at the block's end. The bytes feed a volatile
// sum so that the optimizer keeps the copy and the reads.
inline std::unique_ptr<uint8_t[]> CopyExactly(const uint8_t* from, size_t length) {
  static volatile uint8_t sink;
  std::unique_ptr<uint8_t[]> copy(new uint8_t[length]);
  uint8_t sum = 0;
  for (size_t i = 0; i < length; ++i) {
    copy[i] = from[i];
    sum = static_cast<uint8_t>(sum + copy[i]);
  }
  sink = sum;
  return copy;
}
