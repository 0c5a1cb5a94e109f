#include "tools/indexed_bmp.h"

#include <cstdlib>

#include "base/little_endian.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;

}  // namespace

bool ReadIndexedBmp(const std::vector<uint8_t>& file, IndexedImage* image) {
  if (file.size() < kFileHeaderBytes + 40 || file[0] != 'B' || file[1] != 'M') return false;
  const uint32_t pixelOffset = ReadUint32(file.data() + 10);
  const uint32_t infoBytes = ReadUint32(file.data() + kFileHeaderBytes);
  const int32_t width = static_cast<int32_t>(ReadUint32(file.data() + kFileHeaderBytes + 4));
  const int32_t height = static_cast<int32_t>(ReadUint32(file.data() + kFileHeaderBytes + 8));
  const uint16_t bits = ReadUint16(file.data() + kFileHeaderBytes + 14);
  const uint32_t compression = ReadUint32(file.data() + kFileHeaderBytes + 16);
  uint32_t tableEntries = ReadUint32(file.data() + kFileHeaderBytes + 32);
  if ((bits != 4 && bits != 8) || compression != 0 || width <= 0 || width > 65536 || height == 0 ||
      std::abs(height) > 65536 || infoBytes < 40) {
    return false;
  }
  const int colors = 1 << bits;
  if (tableEntries == 0 || tableEntries > static_cast<uint32_t>(colors)) tableEntries = colors;
  const size_t tableOffset = kFileHeaderBytes + infoBytes;
  const int rows = std::abs(height);
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  if (tableOffset + 4 * tableEntries > file.size() || pixelOffset > file.size() ||
      stride * rows > file.size() - pixelOffset) {
    return false;
  }

  image->width = width;
  image->height = rows;
  image->colors = colors;
  image->palette.assign(3 * colors, 0);
  for (uint32_t i = 0; i < tableEntries; ++i) {
    const uint8_t* quad = &file[tableOffset + 4 * i];
    image->palette[3 * i] = quad[2];
    image->palette[3 * i + 1] = quad[1];
    image->palette[3 * i + 2] = quad[0];
  }
  image->indices.resize(static_cast<size_t>(width) * rows);
  for (int y = 0; y < rows; ++y) {
    const int stored = height > 0 ? rows - 1 - y : y;
    const uint8_t* row = &file[pixelOffset + stride * stored];
    for (int x = 0; x < width; ++x) {
      const uint8_t index = bits == 8 ? row[x] : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
      image->indices[static_cast<size_t>(y) * width + x] = index;
    }
  }
  return true;
}
