#pragma once

#include <cstddef>
#include <cstdint>

// A BMP file: the 14-byte file header (the pixel offset at 10), an info header of 40
// bytes or one of its longer versions, a colour table below 16 bits per pixel (or the
// three masks of BI_BITFIELDS), and the pixel block. The signature and the file
// size field are not trusted: the check measures everything against the real length.

constexpr size_t kBmpFileHeaderBytes = 14;
constexpr size_t kBmpInfoHeaderBytes = 40;

// Where the parts of a checked file lie, and what its header says.
struct BmpLayout {
  int32_t width;
  int32_t height;  // negative for a top-down picture
  uint16_t bitCount;
  uint32_t compression;
  uint32_t colorCount;  // entries of the colour table: biClrUsed, or 2^bits when that is 0;
                        // none at 16 bits and more
  size_t tableOffset;   // the colour table, or the three masks of BI_BITFIELDS
  size_t tableBytes;
  size_t pixelOffset;
  size_t pixelBytes;  // what a draw reads: the padded rows, or an RLE picture's image size
};

// Checks a whole BMP file held in memory before anything draws from it: the info
// header is one of the known sizes and describes a DIB (known depth and compression,
// no more colours than the depth indexes, no top-down RLE), and the colour table and
// the pixel block the header describes lie within `length`, the block after the table.
bool CheckBmpFile(const uint8_t* data, size_t length, BmpLayout* layout);
