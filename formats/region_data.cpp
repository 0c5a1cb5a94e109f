#include "formats/region_data.h"

#include "base/little_endian.h"

namespace {

constexpr uint32_t kRdhRectangles = 1;

// high - low without overflow: a damaged bound gives the nearest value that fits.
int32_t Span(int32_t low, int32_t high) {
  const int64_t span = int64_t{high} - low;
  if (span > INT32_MAX) return INT32_MAX;
  if (span < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(span);
}

}  // namespace

RegionFileResult CheckRegionFile(const uint8_t* data, size_t length, RegionInfo* info,
                                 size_t* regionDataBytes) {
  if (length < 4 || data[0] != 'R' || data[1] != 'G' || data[2] != 'N' || data[3] != 0) {
    return RegionFileResult::kWrongMagic;
  }
  if (length < 12) return RegionFileResult::kBadHeader;
  const int16_t rectangleBytes = ReadInt16(data + 6);
  info->width = ReadInt16(data + 8);
  info->height = ReadInt16(data + 10);
  if (info->width == 0 || info->height == 0 || rectangleBytes == 0) {
    return RegionFileResult::kBadHeader;
  }
  if (rectangleBytes < 0) return RegionFileResult::kBadLength;
  const size_t blockBytes = kRegionDataHeaderBytes + static_cast<size_t>(rectangleBytes);
  if (length < kRegionFileHeaderBytes + blockBytes) return RegionFileResult::kBadHeader;
  if (!CheckRegionData(data + kRegionFileHeaderBytes, blockBytes)) {
    return RegionFileResult::kBadHeader;
  }
  *regionDataBytes = blockBytes;
  return RegionFileResult::kOk;
}

bool CheckRegionData(const uint8_t* data, size_t length) {
  if (length < kRegionDataHeaderBytes) return false;
  if (ReadUint32(data) != kRegionDataHeaderBytes || ReadUint32(data + 4) != kRdhRectangles) {
    return false;
  }
  const uint64_t count = ReadUint32(data + 8);
  return count * kRegionRectBytes <= length - kRegionDataHeaderBytes;
}

RegionInfo RegionBoundSize(const uint8_t* data) {
  const uint8_t* bound = data + 16;
  return RegionInfo{Span(ReadInt32(bound), ReadInt32(bound + 8)),
                    Span(ReadInt32(bound + 4), ReadInt32(bound + 12))};
}
