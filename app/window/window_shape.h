#pragma once

#include <windows.h>

#include "formats/region_data.h"

// A region from resource `id` of `type` in the program's own executable, or null.
// `info` receives the size of the region's bounding rectangle. Fails silently.
HRGN LoadRegionResource(RegionInfo* info, int id, const char* type);

// A region from a region file, or null. Failures are shown in message boxes
// captioned "ERROR". `info` receives the header's size once it has been read.
HRGN LoadRegionFile(RegionInfo* info, const char* path);

// Shapes `window` with a region (from the resource `typeOrPath`/`id`, or from the
// file `typeOrPath` when `id` is 0) and sizes it to the region, keeping its
// top-left corner. Returns 1, or 0 when no region could be had or set.
int ApplyRegion(RegionInfo* info, HWND window, const char* typeOrPath, int id);

// Shapes `window` with the clock's outline worked out at face size `size` (for a
// face larger than the 200 of the region resource) and sizes it; 1, or 0.
int ApplyClockOutline(HWND window, int size);
