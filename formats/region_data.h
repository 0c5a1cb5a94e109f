#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The region data format: a 16-byte header ("RGN", 0, format number, rectangle
// bytes, width, height, reserved) followed by the block that GetRegionData
// produces and ExtCreateRegion takes (a 32-byte RGNDATAHEADER and the rectangles).

// The window size a region calls for.
struct RegionInfo {
  int32_t width;
  int32_t height;
};

// One rectangle of a region as RGNDATA holds it: columns left to right - 1, rows
// top to bottom - 1.
struct RegionRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

constexpr size_t kRegionFileHeaderBytes = 16;
constexpr size_t kRegionDataHeaderBytes = 32;
constexpr size_t kRegionRectBytes = 16;

enum class RegionFileResult {
  kOk,
  kWrongMagic,  // the first four bytes are not "RGN", 0
  kBadHeader,   // zero size, fewer bytes than announced, or a block that does not add up
  kBadLength,   // a negative rectangle-byte count: no buffer can be made for it
};

// Checks a whole region file held in memory. `info` receives the header's width
// and height as soon as they are read, also when a later check fails. On kOk,
// `regionDataBytes` is the length of the region-data block at offset 16, and the
// block is known to lie within `length` and to hold its rectangles.
RegionFileResult CheckRegionFile(const uint8_t* data, size_t length, RegionInfo* info,
                                 size_t* regionDataBytes);

// True when `data` holds a region-data block ExtCreateRegion can take without
// reading past `length`: header size 32, rectangle type, and all its rectangles.
bool CheckRegionData(const uint8_t* data, size_t length);

// The width and height of a checked block's bounding rectangle.
RegionInfo RegionBoundSize(const uint8_t* data);

// The region file of `rects`, given as GetRegionData gives them (bands of rows top
// to bottom, each band's rectangles left to right); its size is their bounding
// box's. Empty when there are none or when they need more rectangle bytes than
// the header's 16-bit field counts (2047 rectangles).
std::vector<uint8_t> RegionFileBytes(const std::vector<RegionRect>& rects);
