#include "imaging/mag_picture.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "base/little_endian.h"
#include "base/win/draw_dib.h"
#include "formats/mag_decoder.h"

namespace {

constexpr size_t kInfoHeaderOffset = 14;
constexpr size_t kColorTableOffset = 54;

}  // namespace

int DrawPicture(HDC dc, const char* path, const unsigned char* data, DWORD length) {
  const MagDecoder decoder;
  const uint32_t size = decoder.GetBitmapFileSize(path, data, length);
  if (size == 0) return 0;
  std::unique_ptr<uint8_t[]> image(new (std::nothrow) uint8_t[size]);
  if (image == nullptr) return 0;
  if (decoder.DecodeToBitmapFile(path, image.get(), data, length, size) != 0) return 0;

  // The decoded header followed by its whole colour table: 16 or 256 entries.
  BITMAPINFOHEADER header;
  std::memcpy(&header, image.get() + kInfoHeaderOffset, sizeof header);
  const size_t colors = size_t{1} << header.biBitCount;
  std::unique_ptr<uint8_t[]> info(new (std::nothrow)
                                      uint8_t[sizeof header + colors * sizeof(RGBQUAD)]);
  if (info == nullptr) return 0;
  std::memcpy(info.get(), &header, sizeof header);
  std::memcpy(info.get() + sizeof header, image.get() + kColorTableOffset,
              colors * sizeof(RGBQUAD));

  DrawDibHandle drawDib;
  drawDib.Draw(dc, 0, 0, header.biWidth, header.biHeight,
               reinterpret_cast<BITMAPINFOHEADER*>(info.get()),
               image.get() + ReadUint32(image.get() + 10), 0, 0, header.biWidth, header.biHeight,
               DDF_BACKGROUNDPAL);
  return 1;
}
