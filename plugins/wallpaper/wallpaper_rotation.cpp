#include "plugins/wallpaper/wallpaper_rotation.h"

bool CountMinute(int autoChange, int changeMinutes, int* minuteCount) {
  if (autoChange == 0) return false;
  ++*minuteCount;
  if (*minuteCount < changeMinutes) return false;
  *minuteCount = 0;
  return true;
}

unsigned NextWallpaperIndex(unsigned lastIndex, unsigned fileCount) {
  if (fileCount == 0 || lastIndex >= fileCount - 1) return 0;
  return lastIndex + 1;
}

namespace {

// A 32-bit integer hash whose every output bit depends on every input bit.
uint32_t Mix(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

// A permutation of the numbers below 2^(2 * halfBits), made by `seed`: four rounds
// of a Feistel network over the two halves of the number.
uint32_t Permute(uint32_t value, uint32_t seed, int halfBits) {
  const uint32_t mask = (1u << halfBits) - 1;
  uint32_t left = value >> halfBits;
  uint32_t right = value & mask;
  for (uint32_t round = 0; round < 4; ++round) {
    const uint32_t mixed = left ^ (Mix(right ^ Mix(seed + round)) & mask);
    left = right;
    right = mixed;
  }
  return left << halfBits | right;
}

// How many tries a new round has to find a first picture other than the last one
// set; with two files each try succeeds with even odds.
constexpr int kSeedTries = 32;

}  // namespace

// The permutation covers at most four times `fileCount` numbers; one that lands
// beyond the list is permuted again until it lies within (cycle walking), which
// keeps the result a permutation of the list.
unsigned ShuffledIndex(uint32_t seed, unsigned fileCount, unsigned position) {
  if (position >= fileCount) return 0;
  int halfBits = 1;
  while ((1ull << (2 * halfBits)) < fileCount) ++halfBits;
  uint32_t value = position;
  do {
    value = Permute(value, seed, halfBits);
  } while (value >= fileCount);
  return value;
}

unsigned NextShuffledIndex(ShuffleState* shuffle, unsigned fileCount, unsigned lastIndex,
                           uint32_t freshSeed) {
  if (fileCount == 0) return 0;
  if (shuffle->position == 0 || shuffle->position >= fileCount) {
    shuffle->seed = Mix(freshSeed ^ shuffle->seed);
    for (int tries = 1; tries < kSeedTries && fileCount > 1 &&
                        ShuffledIndex(shuffle->seed, fileCount, 0) == lastIndex;
         ++tries) {
      shuffle->seed = Mix(shuffle->seed + 1);
    }
    shuffle->position = 0;
  }
  return ShuffledIndex(shuffle->seed, fileCount, shuffle->position++);
}
