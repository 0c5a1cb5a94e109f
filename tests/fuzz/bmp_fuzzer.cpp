// libFuzzer target: the BMP checks on untrusted bytes. When CheckBmpFile approves a file,
// the colour table (or masks) and the pixel block it measured are copied exactly, so ASan
// stops any approved part that lies outside the input.
#include <cstdint>
#include <cstdlib>

#include "formats/bmp_file.h"
#include "tests/fuzz/exact_copy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BmpLayout layout{};
  if (!CheckBmpFile(data, size, &layout)) return 0;
  // The parts follow the headers in order: table, then pixels.
  if (layout.tableOffset < kBmpFileHeaderBytes + kBmpInfoHeaderBytes ||
      layout.pixelOffset < layout.tableOffset + layout.tableBytes) {
    std::abort();
  }
  CopyExactly(data + layout.tableOffset, layout.tableBytes);
  CopyExactly(data + layout.pixelOffset, layout.pixelBytes);
  return 0;
}
