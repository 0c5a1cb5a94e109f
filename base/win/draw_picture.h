#pragma once

#include <windows.h>

#include "base/bgra_picture.h"

// Copies `picture` into `dc` with its top left corner at (x, y), one pixel to one
// pixel, converted to the DC's format. The colours are premultiplied, so the
// picture shows over black where it is transparent. False when nothing was drawn.
bool DrawPicture(HDC dc, int x, int y, const BgraPicture& picture);
