#include "formats/bmp_file.h"

#include <cstdlib>

#include "base/little_endian.h"

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr size_t kMaskBytes = 12;
constexpr size_t kPixelOffsetAt = 10;

// BITMAPINFOHEADER and its later versions V2 to V5; all begin with the same 40 bytes.
bool IsKnownHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsKnownDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool IsKnownCompression(uint32_t compression, uint16_t bits) {
  switch (compression) {
    case kBiRgb: return true;
    case kBiRle8: return bits == 8;
    case kBiRle4: return bits == 4;
    case kBiBitfields: return bits == 16 || bits == 32;
  }
  return false;
}

// The bytes of the pixel block that drawing reads; false when the header gives no
// size to read (an RLE picture without its image size).
bool PixelBytes(const BmpLayout& layout, uint32_t imageSize, uint64_t* bytes) {
  if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
    *bytes = imageSize;
    return imageSize != 0;
  }
  const uint64_t stride = (static_cast<uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
  *bytes = stride * static_cast<uint64_t>(std::llabs(static_cast<long long>(layout.height)));
  return true;
}

}  // namespace

bool CheckBmpFile(const uint8_t* data, size_t length, BmpLayout* layout) {
  if (length < kBmpFileHeaderBytes + kBmpInfoHeaderBytes) return false;
  const uint8_t* header = data + kBmpFileHeaderBytes;
  const uint32_t headerSize = ReadUint32(header);
  layout->width = ReadInt32(header + 4);
  layout->height = ReadInt32(header + 8);
  layout->bitCount = ReadUint16(header + 14);
  layout->compression = ReadUint32(header + 16);
  const uint32_t colorsUsed = ReadUint32(header + 32);
  if (!IsKnownHeaderSize(headerSize) || ReadUint16(header + 12) != 1 ||
      !IsKnownDepth(layout->bitCount) ||
      !IsKnownCompression(layout->compression, layout->bitCount)) {
    return false;
  }
  // Sizes beyond 65535 are no wallpaper and would only invite overflow.
  const long long rows = std::llabs(static_cast<long long>(layout->height));
  if (layout->width <= 0 || layout->width > 65535 || rows == 0 || rows > 65535) return false;
  if (layout->height < 0 && layout->compression != kBiRgb && layout->compression != kBiBitfields) {
    return false;
  }

  const size_t headerEnd = kBmpFileHeaderBytes + headerSize;
  if (layout->compression == kBiBitfields) {
    // The masks follow a 40-byte header and are part of every longer one.
    layout->colorCount = 0;
    layout->tableOffset = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;
    layout->tableBytes = kMaskBytes;
  } else if (layout->bitCount < 16) {
    const uint32_t fullTable = 1u << layout->bitCount;
    if (colorsUsed > fullTable) return false;
    layout->colorCount = colorsUsed != 0 ? colorsUsed : fullTable;
    layout->tableOffset = headerEnd;
    layout->tableBytes = 4u * layout->colorCount;
  } else {
    layout->colorCount = 0;
    layout->tableOffset = headerEnd;
    layout->tableBytes = 0;
  }
  const uint64_t tableEnd = static_cast<uint64_t>(layout->tableOffset) + layout->tableBytes;
  const uint64_t partsEnd = tableEnd > headerEnd ? tableEnd : headerEnd;
  layout->pixelOffset = ReadUint32(data + kPixelOffsetAt);
  uint64_t pixelBytes = 0;
  if (!PixelBytes(*layout, ReadUint32(header + 20), &pixelBytes)) return false;
  if (partsEnd > length || layout->pixelOffset < partsEnd || layout->pixelOffset > length ||
      pixelBytes > length - layout->pixelOffset) {
    return false;
  }
  layout->pixelBytes = static_cast<size_t>(pixelBytes);
  return true;
}
