#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An "orb" background picture before it is written: the parts are stored as given.
struct OrbPicture {
  std::vector<uint8_t> infoHeader;  // 40-byte BITMAPINFOHEADER, little-endian
  std::vector<uint8_t> colorTable;  // 2^bits RGBQUADs below 16 bits per pixel, else empty
  std::vector<uint8_t> pixels;      // the pixel block as the header describes it
  std::string title;                // stored bytes (code page 932), at most 255
  std::string author;               // stored bytes (code page 932), at most 255
};

// Lays out the file: "OR", two zero bytes, uint32 trailer offset, uint32 pixel offset, the 40-byte
// header at 12, the colour table at 52, the pixels right after it (pixel offset = 52 + table size),
// then the trailer: title length byte, title, author length byte, author. Texts longer than 255
// bytes are cut to 255; a header of another length is cut or padded with zeros to 40 bytes.
std::vector<uint8_t> BuildOrbFile(const OrbPicture& picture);

// Takes an uncompressed (BI_RGB) BMP file of 1, 4, 8 or 24 bits per pixel and fills picture's
// header, colour table (always padded/cut to 2^bits entries for < 16 bits) and pixels; false for
// anything else or a truncated file. Larger (V4, V5) headers are taken as their first 40 bytes;
// top-down files are refused. The stored header then describes exactly what is stored: size 40,
// image size of the pixel block, colours used and colours important 0 (the full table).
bool OrbPictureFromBmp(const std::vector<uint8_t>& bmpFile, OrbPicture* picture);
