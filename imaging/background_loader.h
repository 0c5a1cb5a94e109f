#pragma once

#include <windows.h>

#include "base/picture_geometry.h"

// Draws an "orb" background picture file into `dc` at (x, y); a width or height
// of 0 means the picture's own. A picture that DrawDib does not draw (Wine's draws
// no RLE picture) is decoded through WIC instead. Returns 1 when drawn, 0 when the
// file is no background picture, is damaged, cannot be read, or cannot be drawn.
int DrawBackgroundPicture(const char* path, HDC dc, int x, int y, int width, int height);

// What DrawFacePicture drew.
enum class FacePicture {
  kNothing,     // no picture, or one that could not be drawn: black
  kBitmap,      // a BMP file's top-left part, one pixel to one pixel
  kPhotograph,  // a picture scaled to cover the face, the same at any face size
};

// Draws the picture file at `path` onto the `face` of `dc` from its top left
// corner, black where the picture does not reach or cannot be drawn. A BMP file
// shows its top-left part one pixel to one pixel. Any other picture WIC decodes
// (JPEG, PNG, GIF) stands upright by its EXIF orientation and is scaled with an
// averaging filter to cover the face, keeping its aspect, the parts beyond it on
// two sides cut off alike; transparent parts show black.
FacePicture DrawFacePicture(const char* path, HDC dc, PictureSize face);

// Lays the program's bitmap resource `dialResource`, a dial, over `dc` from (0, 0);
// its magenta pixels are transparent. `dc` keeps its colours.
void DrawDialOverlay(HDC dc, int dialResource);

// DrawFacePicture, then DrawDialOverlay. Always 1.
int DrawBitmapWithDial(const char* path, HDC dc, PictureSize face, int dialResource);
