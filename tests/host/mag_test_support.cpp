#include "tests/host/mag_test_support.h"

#include "base/little_endian.h"

std::vector<uint8_t> BuildMag(const MagParts& parts) {
  std::vector<uint8_t> palette = parts.palette;
  if (palette.empty()) {
    const int entries = (parts.screenMode & 0x80) != 0 ? 256 : 16;
    for (int i = 0; i < entries; ++i) {
      palette.insert(palette.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                     static_cast<uint8_t>(i / 2)});
    }
  }
  const std::string head = "MAKI02  " + parts.comment + '\x1A';
  std::vector<uint8_t> out(head.begin(), head.end());
  const uint32_t flagAOffset = 32 + static_cast<uint32_t>(palette.size());
  const uint32_t flagBOffset = flagAOffset + static_cast<uint32_t>(parts.flagA.size());
  const uint32_t pixelOffset = flagBOffset + static_cast<uint32_t>(parts.flagB.size());
  out.insert(out.end(), {parts.headerStart, 0, 0, parts.screenMode});
  AppendUint16(out, parts.left);
  AppendUint16(out, parts.top);
  AppendUint16(out, parts.right);
  AppendUint16(out, parts.bottom);
  AppendUint32(out, flagAOffset);
  AppendUint32(out, flagBOffset);
  AppendUint32(out,
               static_cast<uint32_t>(parts.flagBSize >= 0 ? parts.flagBSize : parts.flagB.size()));
  AppendUint32(out, pixelOffset);
  AppendUint32(out,
               static_cast<uint32_t>(parts.pixelSize >= 0 ? parts.pixelSize : parts.pixels.size()));
  out.insert(out.end(), palette.begin(), palette.end());
  out.insert(out.end(), parts.flagA.begin(), parts.flagA.end());
  out.insert(out.end(), parts.flagB.begin(), parts.flagB.end());
  out.insert(out.end(), parts.pixels.begin(), parts.pixels.end());
  return out;
}

std::vector<uint8_t> DecodeMag(const std::vector<uint8_t>& mag) {
  const MagDecoder decoder;
  const auto length = static_cast<uint32_t>(mag.size());
  const uint32_t size = decoder.GetBitmapFileSize(nullptr, mag.data(), length);
  if (size == 0) return {};
  std::vector<uint8_t> image(size);
  if (decoder.DecodeToBitmapFile(nullptr, image.data(), mag.data(), length, size) != 0) return {};
  return image;
}

int BmpWidth(const std::vector<uint8_t>& bmp) {
  return static_cast<int>(ReadUint32(bmp.data() + 18));
}

int BmpHeight(const std::vector<uint8_t>& bmp) {
  return static_cast<int>(ReadUint32(bmp.data() + 22));
}

namespace {

size_t RowBytes(const std::vector<uint8_t>& bmp) {
  return bmp[28] == 8 ? BmpWidth(bmp) : BmpWidth(bmp) / 2;
}

}  // namespace

std::vector<uint8_t> BmpRow(const std::vector<uint8_t>& bmp, int y) {
  const size_t start = ReadUint32(bmp.data() + 10) + (BmpHeight(bmp) - 1 - y) * RowBytes(bmp);
  return std::vector<uint8_t>(bmp.begin() + start, bmp.begin() + start + RowBytes(bmp));
}

int BmpIndex(const std::vector<uint8_t>& bmp, int x, int y) {
  const uint8_t* row = &bmp[ReadUint32(bmp.data() + 10) + (BmpHeight(bmp) - 1 - y) * RowBytes(bmp)];
  if (bmp[28] == 8) return row[x];
  return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
}
