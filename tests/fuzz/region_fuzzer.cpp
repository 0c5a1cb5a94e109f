// libFuzzer target: the region checks on untrusted bytes, the two ways the clock window
// takes a region. A file goes through CheckRegionFile, and the block it approves is handed
// to ExtCreateRegion; a resource is everything after the file header, checked with
// CheckRegionData, and RegionBoundSize gives the window its size.
#include <cstdint>
#include <cstdlib>

#include "base/little_endian.h"
#include "formats/region_data.h"
#include "tests/fuzz/exact_copy.h"

namespace {

// Reads what ExtCreateRegion reads of an approved block, its header and every rectangle it
// counts, from a copy of exactly `length` bytes, and takes the bounding size from that copy.
void UseApprovedBlock(const uint8_t* block, size_t length) {
  const auto copy = CopyExactly(block, length);
  if (!CheckRegionData(copy.get(), length)) std::abort();
  const uint64_t count = ReadUint32(copy.get() + 8);
  CopyExactly(copy.get(), kRegionDataHeaderBytes + count * kRegionRectBytes);
  static volatile int32_t sink;
  const RegionInfo bound = RegionBoundSize(copy.get());
  sink = bound.width ^ bound.height;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RegionInfo info{};
  size_t blockBytes = 0;
  if (CheckRegionFile(data, size, &info, &blockBytes) == RegionFileResult::kOk) {
    // The window is moved to the header's size, so an approved file has one.
    if (info.width == 0 || info.height == 0) std::abort();
    UseApprovedBlock(data + kRegionFileHeaderBytes, blockBytes);
  }
  if (size >= kRegionFileHeaderBytes) {
    const uint8_t* block = data + kRegionFileHeaderBytes;
    const size_t length = size - kRegionFileHeaderBytes;
    if (CheckRegionData(block, length)) UseApprovedBlock(block, length);
  }
  return 0;
}
