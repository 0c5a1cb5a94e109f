#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The "orb" background picture: "OR", two bytes, trailer offset, pixel offset,
// a 40-byte BITMAPINFOHEADER at 12, a colour table at 52 (below 16 bits per pixel
// 2^bits entries or the fewer that biClrUsed names; at 16 bits and more as many as
// biClrUsed names, usually none), the pixel block from the pixel offset to the
// trailer offset, and a trailer of two length-prefixed texts (title, author).

constexpr size_t kOrbTrailerOffsetAt = 4;
constexpr size_t kOrbInfoHeaderOffset = 12;
constexpr size_t kOrbInfoHeaderBytes = 40;
constexpr size_t kOrbColorTableOffset = 52;
// The most a trailer holds: two length bytes and up to 255 bytes of text after each.
constexpr size_t kOrbTrailerMaxBytes = 2 * (1 + 255);

// Where the parts of a checked picture lie, and what its header says.
struct OrbLayout {
  uint32_t trailerOffset;
  uint32_t pixelOffset;
  int32_t width;
  int32_t height;  // negative for a top-down picture
  uint16_t bitCount;
  uint32_t compression;
  uint32_t colorCount;  // entries of the table at 52: biClrUsed, or 2^bits when that is 0
                        // below 16 bits
};

enum class OrbCheck {
  kOk,
  kNotOrb,   // does not start with "OR"
  kDamaged,  // a part lies outside the data, the pixel block is smaller than the picture, or the
             // header describes no DIB (more colours than its depth indexes, top-down RLE)
};

// Checks a whole picture file held in memory before anything draws from it: every
// part must lie within `length` (the colour table as long as biClrUsed says), and
// the pixel block must hold the picture the header describes (uncompressed), or at
// least the header's image size (RLE, which is never top-down).
OrbCheck CheckOrbFile(const uint8_t* data, size_t length, OrbLayout* layout);

// A checked picture as a BMP file, for a decoder that reads those: a 14-byte file
// header, the picture's header and colour table, and its pixel block up to the
// trailer.
std::vector<uint8_t> OrbAsBmpFile(const uint8_t* data, const OrbLayout& layout);

// Where the trailer of a file of `fileLength` bytes lies, from its first
// kOrbColorTableOffset bytes in `head`: after the header, its colour table and the
// pixel block the header describes, and before the end of the file. 0 when the
// header is damaged or the trailer offset points anywhere else (into the pixels,
// the header, or past the end): such a file has no title or author to show.
uint32_t LocateOrbTrailer(const uint8_t* head, uint64_t fileLength);

// Reads the title and author from `trailer`, the `length` bytes of a file from its
// trailer offset on (fewer than kOrbTrailerMaxBytes where the file ends sooner).
// Returns how many texts could be read: 2, 1 when the author's length byte or
// bytes lie past the end, 0 when the title's do. A text not read is empty.
int ReadOrbTexts(const uint8_t* trailer, size_t length, std::string* title, std::string* author);
