#pragma once

#include <windows.h>

// Draws a MAG picture into `dc` at (0, 0) in its own size: the file `path` when
// `data` is null, else the `length` bytes at `data`. Returns 1 when drawn, 0 when
// nothing was drawn (the picture cannot be read or decoded, or memory ran out).
// `dc` stays the caller's; nothing stays allocated.
int DrawPicture(HDC dc, const char* path, const unsigned char* data, DWORD length);
