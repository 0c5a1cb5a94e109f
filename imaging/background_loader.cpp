#include "imaging/background_loader.h"

#include <vfw.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "base/win/draw_dib.h"
#include "base/win/draw_picture.h"
#include "base/win/file_bytes.h"
#include "base/win/gdi_handles.h"
#include "base/win/wic_picture.h"
#include "formats/bmp_file.h"
#include "formats/orb_format.h"

namespace {

// Larger files are read only this far, which leaves their pixel block short: refused.
constexpr size_t kMaxPictureBytes = 64u << 20;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// Draws the whole of `picture` at (x, y), scaled to `width` x `height`; a 0 keeps
// the picture's own width or height.
bool DrawDecoded(const WicPicture& picture, HDC dc, int x, int y, int width, int height) {
  const PictureSize size = picture.size();
  const PictureSize target{width != 0 ? width : size.width, height != 0 ? height : size.height};
  return DrawPicture(dc, x, y, picture.Decode({0, 0, size.width, size.height}, target));
}

// Copies the top-left part of the BMP file at `path`, as the system's loader reads
// it, onto `face`; false when the loader refuses the file.
bool DrawLoadedBitmap(const char* path, HDC dc, PictureSize face) {
  GdiObject<HBITMAP> picture(
      static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (picture.get() == nullptr) return false;
  MemoryDc source(dc);
  ScopedSelect select(source.get(), picture.get());
  BitBlt(dc, 0, 0, face.width, face.height, source.get(), 0, 0, SRCCOPY);
  return true;
}

// Draws the picture file in `file` through WIC: a BMP file's top-left part at its
// own size, any other picture covering `face`.
FacePicture DrawDecodedFile(std::vector<unsigned char> file, HDC dc, PictureSize face) {
  const bool bmp = file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
  const WicPicture picture(std::move(file));
  const PictureSize size = picture.size();
  if (bmp) {
    const PictureSize part{std::min(size.width, face.width), std::min(size.height, face.height)};
    return DrawPicture(dc, 0, 0, picture.Decode({0, 0, part.width, part.height}, part))
               ? FacePicture::kBitmap
               : FacePicture::kNothing;
  }
  return DrawPicture(dc, 0, 0, picture.Decode(CoverSource(size, face), face))
             ? FacePicture::kPhotograph
             : FacePicture::kNothing;
}

}  // namespace

int DrawBackgroundPicture(const char* path, HDC dc, int x, int y, int width, int height) {
  if (path == nullptr || path[0] == '\0') return 0;
  std::vector<unsigned char> file;
  if (!ReadFileBytes(path, kMaxPictureBytes, &file)) return 0;
  OrbLayout layout{};
  if (CheckOrbFile(file.data(), file.size(), &layout) != OrbCheck::kOk) return 0;

  // The header and exactly the colour table it announces, which follow each other in the file.
  // BITMAPINFO declares one colour entry, so a header without a table keeps zeros behind it.
  const size_t infoBytes = kOrbInfoHeaderBytes + layout.colorCount * sizeof(RGBQUAD);
  std::vector<unsigned char> info(std::max(infoBytes, sizeof(BITMAPINFO)), 0);
  std::memcpy(info.data(), file.data() + kOrbInfoHeaderOffset, infoBytes);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  const int sourceWidth = layout.width;
  const int sourceHeight = layout.height < 0 ? -layout.height : layout.height;

  unsigned char* pixels = file.data() + layout.pixelOffset;
  std::vector<unsigned char> bottomUp;
  if (layout.height < 0) {
    // Not every DrawDib takes a top-down picture (Wine's draws none), so it is handed over with its
    // rows turned.
    const size_t rows = static_cast<size_t>(sourceHeight);
    const size_t stride = (static_cast<size_t>(sourceWidth) * layout.bitCount + 31) / 32 * 4;
    bottomUp.resize(stride * rows);
    for (size_t row = 0; row < rows; ++row) {
      std::memcpy(bottomUp.data() + (rows - 1 - row) * stride, pixels + row * stride, stride);
    }
    header->biHeight = sourceHeight;
    pixels = bottomUp.data();
  }

  const DrawDibHandle drawDib;
  if (drawDib.Draw(dc, x, y, width != 0 ? width : sourceWidth, height != 0 ? height : sourceHeight,
                   header, pixels, 0, 0, sourceWidth, sourceHeight, DDF_BACKGROUNDPAL)) {
    return 1;
  }
  return DrawDecoded(WicPicture(OrbAsBmpFile(file.data(), layout)), dc, x, y, width, height) ? 1
                                                                                             : 0;
}

// Wine's loader draws a top-down BMP file black, so such a file goes to WIC at
// once; any other BMP file goes to the system's loader first, as ever.
FacePicture DrawFacePicture(const char* path, HDC dc, PictureSize face) {
  const RECT all{0, 0, face.width, face.height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  std::vector<unsigned char> file;
  if (path == nullptr || path[0] == '\0' || !ReadFileBytes(path, kMaxPictureFileBytes + 1, &file)) {
    return FacePicture::kNothing;
  }
  BmpLayout layout{};
  const bool topDown = CheckBmpFile(file.data(), file.size(), &layout) && layout.height < 0;
  if (!topDown && DrawLoadedBitmap(path, dc, face)) return FacePicture::kBitmap;
  return DrawDecodedFile(std::move(file), dc, face);
}

void DrawDialOverlay(HDC dc, int dialResource) {
  GdiObject<HBITMAP> dial(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialResource)));
  if (dial.get() == nullptr) return;
  BITMAP size{};
  GetObjectA(dial.get(), sizeof size, &size);

  MemoryDc image(nullptr);
  ScopedSelect imageSelect(image.get(), dial.get());
  GdiObject<HBITMAP> maskBitmap(CreateBitmap(size.bmWidth, size.bmHeight, 1, 1, nullptr));
  MemoryDc mask(nullptr);
  ScopedSelect maskSelect(mask.get(), maskBitmap.get());

  // The mask is white where the dial is transparent and black where it is opaque.
  SetBkColor(image.get(), kTransparent);
  SetBkColor(mask.get(), kTransparent);
  BitBlt(mask.get(), 0, 0, size.bmWidth, size.bmHeight, image.get(), 0, 0, SRCCOPY);
  // Black out the dial's transparent pixels, punch black holes into `dc` where the
  // dial is opaque, and OR the dial into the holes. `dc` is the caller's: its
  // colours are given back.
  SetBkColor(image.get(), RGB(0, 0, 0));
  SetTextColor(image.get(), RGB(255, 255, 255));
  BitBlt(image.get(), 0, 0, size.bmWidth, size.bmHeight, mask.get(), 0, 0, SRCAND);
  const ScopedColors monochrome(dc, RGB(255, 255, 255), RGB(0, 0, 0));
  BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, mask.get(), 0, 0, SRCAND);
  BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, image.get(), 0, 0, SRCPAINT);
}

int DrawBitmapWithDial(const char* path, HDC dc, PictureSize face, int dialResource) {
  DrawFacePicture(path, dc, face);
  DrawDialOverlay(dc, dialResource);
  return 1;
}
