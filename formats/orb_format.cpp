#include "formats/orb_format.h"

#include <cstdlib>
#include <cstring>

#include "base/little_endian.h"

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;

bool IsKnownDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The bytes the pixel block must hold for the header to be drawn without reading past it.
bool NeededPixelBytes(const OrbLayout& layout, uint32_t imageSize, uint64_t* needed) {
  if (layout.compression == kBiRgb) {
    const uint64_t stride = (static_cast<uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
    *needed = stride * static_cast<uint64_t>(std::llabs(static_cast<long long>(layout.height)));
    return true;
  }
  const bool rle = (layout.compression == kBiRle8 && layout.bitCount == 8) ||
                   (layout.compression == kBiRle4 && layout.bitCount == 4);
  if (!rle || imageSize == 0) return false;
  *needed = imageSize;
  return true;
}

}  // namespace

namespace {

// Checks the parts a header names against a file of `length` bytes; only the first
// kOrbColorTableOffset bytes of `data` are read.
OrbCheck CheckOrbHeader(const uint8_t* data, uint64_t length, OrbLayout* layout,
                        uint64_t* tableEnd) {
  const uint8_t* header = data + kOrbInfoHeaderOffset;
  layout->trailerOffset = ReadUint32(data + 4);
  layout->pixelOffset = ReadUint32(data + 8);
  layout->width = static_cast<int32_t>(ReadUint32(header + 4));
  layout->height = static_cast<int32_t>(ReadUint32(header + 8));
  layout->bitCount = ReadUint16(header + 14);
  layout->compression = ReadUint32(header + 16);
  const uint32_t colorsUsed = ReadUint32(header + 32);

  if (ReadUint32(header) != kOrbInfoHeaderBytes || ReadUint16(header + 12) != 1) {
    return OrbCheck::kDamaged;
  }
  // Sizes beyond 65535 are no background picture and would only invite overflow.
  const long long rows = std::llabs(static_cast<long long>(layout->height));
  if (!IsKnownDepth(layout->bitCount) || layout->width <= 0 || layout->width > 65535 || rows == 0 ||
      rows > 65535) {
    return OrbCheck::kDamaged;
  }
  // DIB readers take the table's length from biClrUsed (2^bits when 0 below 16 bits); below 16
  // bits a count beyond what the depth can index describes no DIB.
  if (layout->bitCount < 16) {
    const uint32_t fullTable = 1u << layout->bitCount;
    if (colorsUsed > fullTable) return OrbCheck::kDamaged;
    layout->colorCount = colorsUsed != 0 ? colorsUsed : fullTable;
  } else {
    layout->colorCount = colorsUsed;
  }
  // A top-down DIB is always uncompressed.
  if (layout->height < 0 && layout->compression != kBiRgb) return OrbCheck::kDamaged;
  *tableEnd = kOrbColorTableOffset + 4ull * layout->colorCount;
  if (*tableEnd > length || layout->pixelOffset > layout->trailerOffset ||
      layout->trailerOffset > length) {
    return OrbCheck::kDamaged;
  }
  uint64_t needed = 0;
  if (!NeededPixelBytes(*layout, ReadUint32(header + 20), &needed)) return OrbCheck::kDamaged;
  if (needed > layout->trailerOffset - layout->pixelOffset) return OrbCheck::kDamaged;
  return OrbCheck::kOk;
}

}  // namespace

OrbCheck CheckOrbFile(const uint8_t* data, size_t length, OrbLayout* layout) {
  if (length < 2 || data[0] != 'O' || data[1] != 'R') return OrbCheck::kNotOrb;
  if (length < kOrbColorTableOffset) return OrbCheck::kDamaged;
  uint64_t tableEnd = 0;
  return CheckOrbHeader(data, length, layout, &tableEnd);
}

std::vector<uint8_t> OrbAsBmpFile(const uint8_t* data, const OrbLayout& layout) {
  constexpr size_t kFileHeaderBytes = 14;
  const size_t headerAndTable = kOrbInfoHeaderBytes + 4 * static_cast<size_t>(layout.colorCount);
  const size_t pixelBytes = layout.trailerOffset - layout.pixelOffset;
  std::vector<uint8_t> bmp(kFileHeaderBytes + headerAndTable + pixelBytes);
  bmp[0] = 'B';
  bmp[1] = 'M';
  WriteUint32(&bmp[2], static_cast<uint32_t>(bmp.size()));
  WriteUint32(&bmp[10], static_cast<uint32_t>(kFileHeaderBytes + headerAndTable));
  std::memcpy(&bmp[kFileHeaderBytes], data + kOrbInfoHeaderOffset, headerAndTable);
  std::memcpy(&bmp[kFileHeaderBytes + headerAndTable], data + layout.pixelOffset, pixelBytes);
  return bmp;
}

uint32_t LocateOrbTrailer(const uint8_t* head, uint64_t fileLength) {
  if (fileLength < kOrbColorTableOffset || head[0] != 'O' || head[1] != 'R') return 0;
  OrbLayout layout{};
  uint64_t tableEnd = 0;
  if (CheckOrbHeader(head, fileLength, &layout, &tableEnd) != OrbCheck::kOk) return 0;
  if (layout.trailerOffset < tableEnd || layout.trailerOffset >= fileLength) return 0;
  return layout.trailerOffset;
}

int ReadOrbTexts(const uint8_t* trailer, size_t length, std::string* title, std::string* author) {
  title->clear();
  author->clear();
  size_t at = 0;
  int read = 0;
  for (std::string* text : {title, author}) {
    if (at >= length) return read;
    const size_t size = trailer[at++];
    if (size > length - at) return read;
    text->assign(reinterpret_cast<const char*>(trailer + at), size);
    at += size;
    ++read;
  }
  return read;
}
