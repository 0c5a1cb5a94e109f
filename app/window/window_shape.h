#pragma once

#include <windows.h>

#include "formats/region_data.h"

// A region from resource `id` of `type` in the program's own executable, or null;
// with a `scaledSize`, enlarged to a square of that many pixels. `info` receives
// the size of the region's bounding rectangle. Fails silently.
HRGN LoadRegionResource(RegionInfo* info, int id, const char* type, int scaledSize = 0);

// A region from a region file, or null. Failures are shown in message boxes
// captioned "ERROR". `info` receives the header's size once it has been read.
HRGN LoadRegionFile(RegionInfo* info, const char* path);

// Shapes `window` with a region (from the resource `typeOrPath`/`id`, enlarged to
// `scaledSize` when given, or from the file `typeOrPath` when `id` is 0) and sizes
// it to the region, keeping its top-left corner. Returns 1, or 0 when no region
// could be had or set.
int ApplyRegion(RegionInfo* info, HWND window, const char* typeOrPath, int id, int scaledSize = 0);
