#pragma once

#include <cstdint>

// What the header of a MAG picture says, as ParseHeader reads it.
struct MagHeaderInfo {
  uint8_t headerStart;
  uint8_t machine;
  uint8_t machineFlags;
  uint8_t screenMode;  // bit 7: 256 colours, else 16
  uint16_t left;
  uint16_t right;
  uint16_t top;
  uint16_t bottom;
  // The horizontal range widened to whole flag groups (8 pixels at 16 colours, 4 at 256).
  uint16_t alignedLeft;
  uint16_t alignedRight;
  uint16_t rowBytes;  // pixel bytes per row, always a multiple of 4
  uint16_t rowCount;
  uint32_t flagAOffset;  // this and the following offsets count from the header
  uint32_t flagBOffset;
  uint32_t flagBSize;
  uint32_t pixelOffset;
  uint32_t pixelSize;
  uint32_t headerOffset;  // one past the first 0x1A byte of the data
};

// Decodes MAG pictures of 16 and 256 colours into a complete BMP image in memory:
// file header, info header, colour table and bottom-up pixel rows. The picture is
// a file (`path`, with `data` null) or a block of memory (`data` and `length`).
// Stateless: make one on the stack for a call.
class MagDecoder {
 public:
  // 0 valid; 1 a section extends past `length`; 2 no 0x1A mark or the header is
  // incomplete; 3 wrong magic; 4 unsupported header. Fills `info` as far as it gets.
  int ParseHeader(const uint8_t* data, uint32_t length, MagHeaderInfo* info) const;
  // Writes 16 or 256 entries of blue, green, red, 0 to `palette`; 1 when the colour
  // table extends past `length`, else 0.
  int ReadPalette(const uint8_t* data, uint8_t* palette, uint32_t length,
                  const MagHeaderInfo& info) const;
  // Writes rowBytes x rowCount bytes of bottom-up rows to `pixels`. `info` must come
  // from a ParseHeader that returned 0 for the same `data`.
  void DecodePixels(const uint8_t* data, uint8_t* pixels, const MagHeaderInfo& info) const;
  // The byte size of the BMP image the picture decodes to; 0 when it cannot be read
  // or parsed.
  uint32_t GetBitmapFileSize(const char* path, const uint8_t* data, uint32_t length) const;
  // Decodes into `image`, which holds `imageSize` bytes: at least what
  // GetBitmapFileSize gave. 0 on success, -1 on failure (`image` is then unfinished).
  int DecodeToBitmapFile(const char* path, uint8_t* image, const uint8_t* data, uint32_t length,
                         uint32_t imageSize) const;
};
