#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/mag_decoder.h"

// A MAG picture laid out by hand: magic, comment, mark, header, colour table and
// the three sections in that order, with offsets and sizes that match them unless
// a test overrides them.
struct MagParts {
  uint8_t headerStart = 0;
  uint8_t screenMode = 0x80;
  uint16_t left = 0;
  uint16_t top = 0;
  uint16_t right = 3;
  uint16_t bottom = 0;
  std::string comment = "test";
  std::vector<uint8_t> palette;  // stored bytes (green, red, blue); default: a full table
  std::vector<uint8_t> flagA;
  std::vector<uint8_t> flagB;
  std::vector<uint8_t> pixels;
  int64_t flagBSize = -1;  // -1: the real size
  int64_t pixelSize = -1;
};

std::vector<uint8_t> BuildMag(const MagParts& parts);

// The BMP image of a picture in memory, or an empty vector when it does not decode.
std::vector<uint8_t> DecodeMag(const std::vector<uint8_t>& mag);

// Fields of a decoded BMP image.
int BmpWidth(const std::vector<uint8_t>& bmp);
int BmpHeight(const std::vector<uint8_t>& bmp);
// Pixel row `y` counted from the top, as stored.
std::vector<uint8_t> BmpRow(const std::vector<uint8_t>& bmp, int y);
// The palette index of pixel (x, y), counted from the top left.
int BmpIndex(const std::vector<uint8_t>& bmp, int x, int y);
