#pragma once

#include <cstdint>
#include <vector>

#include "tools/mag_encoder.h"

// Reads an uncompressed BMP file of 4 or 8 bits per pixel, bottom-up or top-down,
// into `image`: 16 colours for 4 bits, 256 for 8 (a shorter colour table is filled
// up with black). False for anything else or a truncated file.
bool ReadIndexedBmp(const std::vector<uint8_t>& file, IndexedImage* image);
