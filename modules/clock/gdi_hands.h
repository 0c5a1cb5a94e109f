#pragma once

#include <windows.h>

#include "raster/clock_hands.h"

// Draws the hands as plain GDI lines around `centre`, their lengths and widths
// those of the 200 x 200 face times `scale`: for a device context whose bitmap
// the rasteriser cannot write, so that the hands show there too. Leaves the
// device context's pen and current position as it found them.
void DrawHandsWithLines(HDC dc, Point centre, float scale, const HandTime& time,
                        const HandStyle& style);
