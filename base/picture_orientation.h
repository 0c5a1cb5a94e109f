#pragma once

#include <cstdint>

#include "base/bgra_picture.h"
#include "base/picture_geometry.h"

// The orientations of EXIF tag 274: how a picture's stored rows must be turned
// to stand upright. Stored row 0 is the upright picture's top (1: as stored, 2:
// mirrored left to right), bottom (3: turned half round, 4: mirrored top to
// bottom), left side (5: mirrored along the diagonal, 8: turned a quarter
// anticlockwise) or right side (6: turned a quarter clockwise, 7: mirrored along
// the other diagonal). Any other value is taken as 1.

// The upright size of a picture stored with `stored` size: 5 to 8 swap the
// sides. Swapping is its own inverse, so an upright size gives the stored one.
PictureSize UprightSize(int orientation, PictureSize stored);

// The stored pixels that the part `upright` of the upright picture shows.
PictureRect StoredRect(int orientation, PictureSize stored, const PictureRect& upright);

// Copies `rowCount` stored rows that begin at stored row `firstRow`, `rows`
// holding them top-down without padding, to their upright places in `picture`,
// which has the upright size of a picture of `stored` size. Decoding a band of
// rows at a time keeps a single whole picture in memory.
void PlaceStoredRows(int orientation, PictureSize stored, const uint32_t* rows, int firstRow,
                     int rowCount, BgraPicture* picture);
