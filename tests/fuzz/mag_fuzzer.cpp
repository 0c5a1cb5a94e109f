// libFuzzer target: the MAG decoder on untrusted bytes from memory, the way the
// dialogs call it (size first, then the decode into a block of exactly that size).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/little_endian.h"
#include "formats/mag_decoder.h"

namespace {

// Bigger images need inputs far beyond the fuzzer's lengths to decode at all; their
// size is still asked, just not allocated.
constexpr uint32_t kMaxImageBytes = 32u << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  const auto length = static_cast<uint32_t>(size);
  const MagDecoder decoder;
  const uint32_t imageSize = decoder.GetBitmapFileSize(nullptr, data, length);
  if (imageSize == 0) {
    uint8_t small[64];
    if (decoder.DecodeToBitmapFile(nullptr, small, data, length, sizeof small) != -1) std::abort();
    return 0;
  }
  if (imageSize > kMaxImageBytes) return 0;
  std::vector<uint8_t> image(imageSize);
  if (decoder.DecodeToBitmapFile(nullptr, image.data(), data, length, imageSize) != 0) return 0;
  // A decoded image describes itself consistently.
  if (image[0] != 'B' || image[1] != 'M' || ReadUint32(image.data() + 2) != imageSize) std::abort();
  const uint32_t pixelOffset = ReadUint32(image.data() + 10);
  const uint32_t width = ReadUint32(image.data() + 18);
  const uint32_t height = ReadUint32(image.data() + 22);
  const uint32_t rowBytes = image[28] == 8 ? width : width / 2;
  if (rowBytes % 4 != 0 || pixelOffset + uint64_t{rowBytes} * height != imageSize) std::abort();
  return 0;
}
