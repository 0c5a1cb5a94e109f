#pragma once

#include <cstdint>
#include <vector>

#include "formats/region_data.h"

// The clock window's outline on a face of `size` x `size` pixels: the dial's disc,
// the stems at twelve and six, and ten round lugs on the rim, their measures
// those of the 200 x 200 face scaled by size / 200 and sampled at the centres of
// the pixels at that size, so that a larger face gets a smoother outline rather
// than the 200 outline's steps enlarged. The rectangles come as GetRegionData
// gives them; none for a size below 1.
std::vector<RegionRect> ClockOutlineRects(int size);

// The region file of that outline (what resources/clock.rgn holds at 200), ready
// for CheckRegionFile and ExtCreateRegion; empty for a size below 1 or one whose
// outline needs more rectangles than a region file holds.
std::vector<uint8_t> ClockOutlineRegionFile(int size);
