#pragma once

#include <cstddef>
#include <cstdint>

// What the bytes of a picture file say before a decoder reads it: the stored
// size and the EXIF orientation. A decoder may decode the whole picture as soon
// as it opens the file (Wine's PNG, JPEG and GIF decoders do), so the size limits
// are checked on these numbers first.
struct PictureHeader {
  bool sizeKnown = false;
  uint32_t width = 0;
  uint32_t height = 0;
  int orientation = 1;  // EXIF tag 274, 1 to 8; 1 when the file gives none that is valid
};

// Reads a PNG, JPEG, GIF or TIFF file held whole in memory. The size comes from
// PNG's IHDR, JPEG's frame header, GIF's logical screen or TIFF's first image
// directory; the orientation from a JPEG's Exif segment (APP1, at most 64 KiB)
// or a TIFF's first directory. Returns false for such a file that is damaged in
// a way seen without decoding: a PNG chunk cut short or failing its CRC, IHDR
// not first, no IEND; a JPEG whose segments run out before the frame header, or
// with no end marker after it (cut short); a GIF shorter than its screen
// descriptor; a TIFF whose first directory lies outside the file. Any other kind
// of file passes with no size: the decoder decides.
bool ReadPictureHeader(const uint8_t* data, size_t length, PictureHeader* header);
