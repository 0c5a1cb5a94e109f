#pragma once

#include <windows.h>

// Draws an "orb" background picture file into `dc` at (x, y); a width or height
// of 0 means the picture's own. Returns 1 when drawn, 0 when the file is no
// background picture, is damaged, cannot be read, or cannot be drawn (DrawDib
// under Wine draws no RLE picture).
int DrawBackgroundPicture(const char* path, HDC dc, int x, int y, int width, int height);

// Draws the top-left 200 x 200 pixels of a BMP file into `dc` (black when it
// cannot be loaded), then lays the program's bitmap resource `dialResource`, the
// built-in dial, over it; its magenta pixels are transparent. Always 1. `dc` keeps
// its colours.
int DrawBitmapWithDial(const char* path, HDC dc, int dialResource);
