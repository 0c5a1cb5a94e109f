#pragma once

#include <windows.h>

// The settings dialog's preview: a one-pixel black frame around a 192 x 144 area
// that stands for the whole screen, 194 x 146 pixels with its top left corner at
// (2, 1) of the dialog's client area. The area has the desktop colour.

// Shows `path` in the dialog's title bar and draws the preview of that BMP file as
// `style` (0 centred, 1 tiled, 2 stretched) places it. A missing, unreadable or
// damaged file, or an empty path, leaves the empty frame. Returns 1 when a picture
// was drawn, 0 otherwise; when no memory is left for the file the preview stays as
// it was.
int DrawPreview(HWND dialog, const char* path, int style);

// Draws the empty frame.
void ClearPreview(HWND dialog);
