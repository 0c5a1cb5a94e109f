#pragma once

#include <cstdint>

// The parts of the MAG picture format that its reader and its writer must agree on.

constexpr char kMagMagic[8] = {'M', 'A', 'K', 'I', '0', '2', ' ', ' '};
// Ends the comment; the 32-byte header follows it.
constexpr uint8_t kMagEndOfComment = 0x1A;
constexpr uint32_t kMagHeaderBytes = 32;
// Bit 7 of the header's screen mode byte: 256 colours, else 16.
constexpr uint8_t kMag256Colors = 0x80;

// Where copy position n (1-15) takes a two-byte unit from: dx units to the left,
// dy rows up. Entry 0 stands for "take the next unit of pixel data".
struct MagCopyPosition {
  uint32_t dx;
  uint32_t dy;
};
constexpr MagCopyPosition kMagCopyPositions[16] = {
    {0, 0}, {1, 0}, {2, 0}, {4, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2},
    {2, 2}, {0, 4}, {1, 4}, {2, 4}, {0, 8}, {1, 8}, {2, 8}, {0, 16},
};
