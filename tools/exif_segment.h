#pragma once

#include <cstdint>
#include <vector>

// `jpeg` with an Exif segment (APP1) put right after its start-of-image marker,
// holding one directory with one entry: the orientation, EXIF tag 274, as a
// SHORT. The TIFF structure inside is little-endian ("II"), or big-endian ("MM")
// when asked, as cameras write either.
std::vector<uint8_t> WithExifOrientation(const std::vector<uint8_t>& jpeg, uint16_t orientation,
                                         bool bigEndian = false);
