#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture of palette indices, one byte a pixel.
struct IndexedImage {
  int width = 0;
  int height = 0;
  int colors = 256;              // 16 or 256
  std::vector<uint8_t> palette;  // `colors` entries of red, green, blue
  std::vector<uint8_t> indices;  // width x height, the top row first; each below `colors`
};

// Where the picture says it lies, and the comment written before its header.
struct MagOptions {
  uint16_t left = 0;
  uint16_t top = 0;
  std::string comment;  // must not hold the end-of-comment byte 0x1A
};

// Writes `image` as a MAG picture of 16 or 256 colours. Each unit (2 bytes of pixel
// data) that equals one of the 15 earlier units a copy position reaches is stored
// as that position, preferring the one the row above chose so that the flag XOR
// stays 0 and flag A needs no flag B byte. Columns that widening to whole flag
// groups adds are written as index 0. False when the image or options cannot be
// written (empty, beyond 65535, wrong palette size, index too large, 0x1A in the comment).
bool EncodeMag(const IndexedImage& image, const MagOptions& options, std::vector<uint8_t>* file);
