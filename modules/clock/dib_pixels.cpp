#include "modules/clock/dib_pixels.h"

#include <cstring>

namespace {

// BI_BITFIELDS is fine where its masks are the plain layout's.
bool HasPlainLayout(const DIBSECTION& dib) {
  const DWORD compression = dib.dsBmih.biCompression;
  if (compression == BI_RGB) return true;
  if (compression != BI_BITFIELDS) return false;
  const DWORD* masks = dib.dsBitfields;
  if (dib.dsBmih.biBitCount == 16) {
    return masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F;
  }
  return dib.dsBmih.biBitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 &&
         masks[2] == 0xFF;
}

}  // namespace

bool DibPixels::Find(HDC dc, PixelBuffer* pixels) {
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  DIBSECTION dib{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib) return false;
  if (dib.dsBm.bmBits == nullptr || !IsBlendableDepth(dib.dsBmih.biBitCount) ||
      !HasPlainLayout(dib) || dib.dsBm.bmWidth <= 0 || dib.dsBm.bmHeight <= 0) {
    return false;
  }
  GdiFlush();
  if (bitmap != bitmap_ || dib.dsBm.bmBits != bits_) {
    topRowFirst_ = TopRowFirst(dc, dib);
    bitmap_ = bitmap;
    bits_ = dib.dsBm.bmBits;
  }
  auto* bits = static_cast<uint8_t*>(dib.dsBm.bmBits);
  const int stride = dib.dsBm.bmWidthBytes;
  const int height = dib.dsBm.bmHeight;
  *pixels = {topRowFirst_ ? bits : bits + static_cast<ptrdiff_t>(height - 1) * stride,
             dib.dsBm.bmWidth, height, topRowFirst_ ? stride : -stride, dib.dsBmih.biBitCount};
  return true;
}

bool DibPixels::TopRowFirst(HDC dc, const DIBSECTION& dib) {
  if (dib.dsBmih.biHeight < 0) return true;
  auto* first = static_cast<uint8_t*>(dib.dsBm.bmBits);
  uint8_t* last = first + static_cast<ptrdiff_t>(dib.dsBm.bmHeight - 1) * dib.dsBm.bmWidthBytes;
  const size_t size = dib.dsBmih.biBitCount / 8;
  uint8_t savedFirst[4], savedLast[4];
  std::memcpy(savedFirst, first, size);
  std::memcpy(savedLast, last, size);
  // Every bit of the colour turned round differs in any pixel layout.
  SetPixelV(dc, 0, 0, GetPixel(dc, 0, 0) ^ 0xFFFFFF);
  GdiFlush();
  const bool topFirst = std::memcmp(savedFirst, first, size) != 0;
  std::memcpy(first, savedFirst, size);
  std::memcpy(last, savedLast, size);
  return topFirst;
}
