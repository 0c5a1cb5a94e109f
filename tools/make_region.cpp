// Writes the clock window's outline at the 200 x 200 face as a region file: a 16-byte "RGN"
// header followed by the block that GetRegionData would return for the outline (RGNDATAHEADER
// and rectangles).
// Usage: make_region OUT.rgn

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "formats/clock_outline.h"

namespace {

constexpr int kSize = 200;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_region OUT.rgn\n");
    return 2;
  }
  const std::vector<uint8_t> file = ClockOutlineRegionFile(kSize);
  RegionInfo info{};
  size_t blockBytes = 0;
  if (CheckRegionFile(file.data(), file.size(), &info, &blockBytes) != RegionFileResult::kOk ||
      info.width != kSize || info.height != kSize) {
    std::fprintf(stderr, "make_region: the outline does not fill a %dx%d box\n", kSize, kSize);
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "make_region: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %zu rectangles\n", argv[1],
              (blockBytes - kRegionDataHeaderBytes) / kRegionRectBytes);
  return 0;
}
