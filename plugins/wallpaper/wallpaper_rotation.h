#pragma once

#include <cstdint>

// The arithmetic of the automatic wallpaper change, apart from the desktop.

// Counts one minute notification. Returns true when the interval is reached, and
// then starts the count afresh. Nothing is counted while the change is off; an
// interval of 0 or 1 is reached at every minute.
bool CountMinute(int autoChange, int changeMinutes, int* minuteCount);

// The index after `lastIndex` in a list of `fileCount` files, wrapping to 0 at the
// end; an index beyond the list (the folder changed) also starts again at 0.
unsigned NextWallpaperIndex(unsigned lastIndex, unsigned fileCount);

// Where the change in random order stands: the seed that orders the current
// round, and how many pictures of the round have been set.
struct ShuffleState {
  uint32_t seed;
  uint32_t position;
};

// The index at `position` (below `fileCount`) of the order `seed` gives to
// `fileCount` files: each index once in the positions 0 to `fileCount` - 1. Worked
// out for one position alone, so a round of any length needs no memory.
unsigned ShuffledIndex(uint32_t seed, unsigned fileCount, unsigned position);

// The index of the next picture in random order, every picture once before any
// repeats. A round begins when none of it has been set yet (position 0) and when
// it is over (also when the folder lost files); its seed is made from
// `freshSeed`, so that the first picture of a round is not `lastIndex`, the one
// set last.
unsigned NextShuffledIndex(ShuffleState* shuffle, unsigned fileCount, unsigned lastIndex,
                           uint32_t freshSeed);
