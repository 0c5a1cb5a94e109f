// libFuzzer target: the BMP checks on untrusted bytes. When CheckBmpFile approves a file,
// what the preview hands DrawDib is built the way it builds it, and the parts DrawDib reads
// are taken as DrawDib takes them from that header: the colour table or masks after the 40
// bytes, and the pixel block the header describes. Every range is copied exactly, so ASan
// stops any approved part that lies outside the input.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/little_endian.h"
#include "formats/bmp_file.h"
#include "tests/fuzz/exact_copy.h"

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

// The bytes DrawDib reads after a 40-byte header: the table of biClrUsed entries (2^bits
// when 0 below 16 bits) or the three masks.
uint64_t TableBytesToRead(const uint8_t* info) {
  const uint16_t bits = ReadUint16(info + 14);
  if (ReadUint32(info + 16) == kBiBitfields) return 12;
  const uint32_t used = ReadUint32(info + 32);
  if (used != 0) return 4ull * used;
  return bits < 16 ? 4ull << bits : 0;
}

// The bytes DrawDib reads from the pixel block: padded rows, or an RLE picture's image size.
uint64_t PixelBytesToRead(const uint8_t* info) {
  const auto width = static_cast<int32_t>(ReadUint32(info + 4));
  const auto height = static_cast<int32_t>(ReadUint32(info + 8));
  const uint32_t compression = ReadUint32(info + 16);
  if (compression != kBiRgb && compression != kBiBitfields) return ReadUint32(info + 20);
  const uint64_t stride = (static_cast<uint64_t>(width) * ReadUint16(info + 14) + 31) / 32 * 4;
  return stride * static_cast<uint64_t>(height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BmpLayout layout{};
  if (!CheckBmpFile(data, size, &layout)) return 0;
  const std::vector<uint8_t> info = BmpDrawingInfo(data, layout);
  const auto header = CopyExactly(info.data(), kBmpInfoHeaderBytes);
  // A bottom-up 40-byte header that names no more than what follows it.
  if (ReadUint32(header.get()) != kBmpInfoHeaderBytes ||
      static_cast<int32_t>(ReadUint32(header.get() + 4)) <= 0 ||
      static_cast<int32_t>(ReadUint32(header.get() + 8)) <= 0 ||
      kBmpInfoHeaderBytes + TableBytesToRead(header.get()) > info.size()) {
    std::abort();
  }
  CopyExactly(info.data() + kBmpInfoHeaderBytes, info.size() - kBmpInfoHeaderBytes);
  const uint64_t pixelBytes = PixelBytesToRead(header.get());
  if (pixelBytes > layout.pixelBytes) std::abort();
  if (layout.height < 0) {
    const std::vector<uint8_t> turned = BottomUpRows(data, layout);
    if (turned.size() < pixelBytes) std::abort();
    CopyExactly(turned.data(), turned.size());
  } else {
    CopyExactly(data + layout.pixelOffset, pixelBytes);
  }
  return 0;
}
