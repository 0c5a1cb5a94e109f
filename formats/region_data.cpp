#include "formats/region_data.h"

#include <algorithm>

#include "base/little_endian.h"

namespace {

constexpr uint32_t kRdhRectangles = 1;
constexpr uint16_t kFormatNumber = 100;
constexpr size_t kMaxRectangleBytes = 0x7fff;

// high - low without overflow: a damaged bound gives the nearest value that fits.
int32_t Span(int32_t low, int32_t high) {
  const int64_t span = int64_t{high} - low;
  if (span > INT32_MAX) return INT32_MAX;
  if (span < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(span);
}

void AppendRect(std::vector<uint8_t>& out, const RegionRect& r) {
  for (int32_t v : {r.left, r.top, r.right, r.bottom}) AppendUint32(out, static_cast<uint32_t>(v));
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

std::vector<uint8_t> RegionFileBytes(const std::vector<RegionRect>& rects) {
  const size_t rectBytes = kRegionRectBytes * rects.size();
  if (rects.empty() || rectBytes > kMaxRectangleBytes) return {};
  RegionRect bound = rects.front();
  for (const RegionRect& r : rects) {
    bound = {std::min(bound.left, r.left), std::min(bound.top, r.top),
             std::max(bound.right, r.right), std::max(bound.bottom, r.bottom)};
  }
  std::vector<uint8_t> out = {'R', 'G', 'N', 0};
  AppendUint16(out, kFormatNumber);
  AppendUint16(out, static_cast<uint32_t>(rectBytes));
  AppendUint16(out, static_cast<uint32_t>(bound.right - bound.left));
  AppendUint16(out, static_cast<uint32_t>(bound.bottom - bound.top));
  AppendUint32(out, 0);
  AppendUint32(out, kRegionDataHeaderBytes);
  AppendUint32(out, kRdhRectangles);
  AppendUint32(out, static_cast<uint32_t>(rects.size()));
  AppendUint32(out, static_cast<uint32_t>(rectBytes));
  AppendRect(out, bound);
  for (const RegionRect& r : rects) AppendRect(out, r);
  return out;
}
