#include "tests/win32/decoded_picture.h"

#include "base/win/resource_data.h"
#include "formats/mag_decoder.h"
#include "resources/resource_ids.h"

std::vector<unsigned char> SkinResource(int id) {
  const unsigned char* data = nullptr;
  DWORD size = 0;
  if (!LoadResourceData(id, kSkinResourceType, &data, &size)) return {};
  return std::vector<unsigned char>(data, data + size);
}

DecodedPicture::DecodedPicture(const std::vector<unsigned char>& mag) {
  const MagDecoder decoder;
  const auto length = static_cast<uint32_t>(mag.size());
  const uint32_t size = decoder.GetBitmapFileSize(nullptr, mag.data(), length);
  if (size == 0) return;
  bmp_.resize(size);
  if (decoder.DecodeToBitmapFile(nullptr, bmp_.data(), mag.data(), length, size) != 0) bmp_.clear();
}

uint32_t DecodedPicture::Field(size_t at) const {
  return static_cast<uint32_t>(bmp_[at] | bmp_[at + 1] << 8 | bmp_[at + 2] << 16 |
                               bmp_[at + 3] << 24);
}

COLORREF DecodedPicture::At(int x, int y) const {
  const int width = static_cast<int>(Field(18));
  const int height = static_cast<int>(Field(22));
  const bool eightBits = bmp_[28] == 8;
  const size_t rowBytes = eightBits ? width : width / 2;
  const uint8_t* row = &bmp_[Field(10) + (height - 1 - y) * rowBytes];
  const int index = eightBits ? row[x] : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
  const uint8_t* entry = &bmp_[54 + 4 * index];
  return RGB(entry[2], entry[1], entry[0]);
}
