#include "plugins/wallpaper/wallpaper_preview.h"

#include <algorithm>
#include <new>
#include <vector>

#include "base/win/draw_dib.h"
#include "base/win/file_bytes.h"
#include "base/win/gdi_handles.h"
#include "formats/bmp_file.h"
#include "plugins/wallpaper/preview_geometry.h"

namespace {

constexpr int kFrameLeft = 2;
constexpr int kFrameTop = 1;
constexpr int kFrameWidth = kPreviewWidth + 2;
constexpr int kFrameHeight = kPreviewHeight + 2;
// Larger files are read only this far, which leaves their pixel block short: refused.
constexpr size_t kMaxPictureBytes = 128u << 20;

// The frame in the stock black pen around the area in the desktop colour, with its
// top left corner at (left, top) of `dc`.
void DrawEmptyFrame(HDC dc, int left, int top) {
  const GdiObject<HBRUSH> desktop(CreateSolidBrush(GetSysColor(COLOR_BACKGROUND)));
  const ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
  const ScopedSelect brush(dc, desktop.get());
  Rectangle(dc, left, top, left + kFrameWidth, top + kFrameHeight);
}

// Draws the checked picture in `file` onto the frame in `canvas`.
void DrawPicture(HDC canvas, const std::vector<unsigned char>& file, const BmpLayout& layout,
                 int style) {
  // BITMAPINFO declares one colour entry, so a header without a table keeps zeros behind it.
  std::vector<uint8_t> info = BmpDrawingInfo(file.data(), layout);
  info.resize(std::max(info.size(), sizeof(BITMAPINFO)));
  std::vector<uint8_t> turned;
  const uint8_t* pixels = file.data() + layout.pixelOffset;
  if (layout.height < 0) {
    turned = BottomUpRows(file.data(), layout);
    pixels = turned.data();
  }

  RECT screen{};
  GetWindowRect(GetDesktopWindow(), &screen);
  const int height = layout.height < 0 ? -layout.height : layout.height;
  const PreviewPlacement placement = PlacePreview(
      screen.right - screen.left, screen.bottom - screen.top, layout.width, height, style);
  const PreviewRect& source = placement.source;
  DrawDibHandle drawDib;
  for (const PreviewRect& target : placement.targets) {
    DrawDibDraw(drawDib.get(), canvas, target.x + 1, target.y + 1, target.width, target.height,
                reinterpret_cast<BITMAPINFOHEADER*>(info.data()), const_cast<uint8_t*>(pixels),
                source.x, source.y, source.width, source.height, DDF_HALFTONE);
  }
  if (style != kStyleTiled) return;
  // The tiles reach over the frame's right and lower sides: draw it again.
  const ScopedSelect pen(canvas, GetStockObject(BLACK_PEN));
  MoveToEx(canvas, 0, 0, nullptr);
  LineTo(canvas, kFrameWidth - 1, 0);
  LineTo(canvas, kFrameWidth - 1, kFrameHeight - 1);
  LineTo(canvas, 0, kFrameHeight - 1);
  LineTo(canvas, 0, 0);
}

}  // namespace

void WallpaperPreview::Load(HWND dialog, const char* path) {
  SetWindowTextA(dialog, path);
  file_.clear();
  try {
    if (path[0] == '\0' || !ReadFileBytes(path, kMaxPictureBytes, &file_) ||
        !CheckBmpFile(file_.data(), file_.size(), &layout_)) {
      file_.clear();
    }
  } catch (const std::bad_alloc&) {
    file_.clear();
  }
  file_.shrink_to_fit();
}

int WallpaperPreview::Draw(HWND dialog, int style) const {
  const WindowDc dc(dialog);
  if (file_.empty()) {
    DrawEmptyFrame(dc.get(), kFrameLeft, kFrameTop);
    return 0;
  }
  try {
    const MemoryDc canvas(dc.get());
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc.get(), kFrameWidth, kFrameHeight));
    const ScopedSelect select(canvas.get(), bitmap.get());
    DrawEmptyFrame(canvas.get(), 0, 0);
    DrawPicture(canvas.get(), file_, layout_, style);
    BitBlt(dc.get(), kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight, canvas.get(), 0, 0, SRCCOPY);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}
