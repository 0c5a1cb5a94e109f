#include "plugins/wallpaper/wallpaper_preview.h"

#include <new>

#include "base/win/draw_picture.h"
#include "base/win/file_bytes.h"
#include "base/win/gdi_handles.h"
#include "base/win/wic_picture.h"

namespace {

constexpr int kFrameLeft = 2;
constexpr int kFrameTop = 1;
constexpr int kFrameWidth = kPreviewWidth + 2;
constexpr int kFrameHeight = kPreviewHeight + 2;

// The frame in the stock black pen around the area in the desktop colour, with its
// top left corner at (left, top) of `dc`.
void DrawEmptyFrame(HDC dc, int left, int top) {
  const GdiObject<HBRUSH> desktop(CreateSolidBrush(GetSysColor(COLOR_BACKGROUND)));
  const ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
  const ScopedSelect brush(dc, desktop.get());
  Rectangle(dc, left, top, left + kFrameWidth, top + kFrameHeight);
}

// The area filled with `tile` repeated from its top left corner, so that a tiled
// picture is drawn once rather than tile by tile.
BgraPicture Tiled(const BgraPicture& tile) {
  BgraPicture area{kPreviewWidth, kPreviewHeight,
                   std::vector<uint32_t>(static_cast<size_t>(kPreviewWidth) * kPreviewHeight)};
  for (int y = 0; y < kPreviewHeight; ++y) {
    const uint32_t* row = tile.pixels.data() + static_cast<size_t>(y % tile.height) * tile.width;
    for (int x = 0; x < kPreviewWidth; ++x) {
      area.pixels[static_cast<size_t>(y) * kPreviewWidth + x] = row[x % tile.width];
    }
  }
  return area;
}

}  // namespace

void WallpaperPreview::Load(HWND dialog, const char* path) {
  SetWindowTextA(dialog, path);
  file_.clear();
  for (View& view : views_) view = View();
  try {
    if (path[0] == '\0' || !ReadFileBytes(path, kMaxPictureFileBytes + 1, &file_)) file_.clear();
  } catch (const std::bad_alloc&) {
    file_.clear();
  }
  file_.shrink_to_fit();
}

// The file's bytes are handed to WIC as a copy: they stay for the other styles.
const WallpaperPreview::View& WallpaperPreview::ViewFor(int style) {
  View& view = views_[style];
  if (view.decoded || file_.empty()) return view;
  view.decoded = true;
  const WicPicture picture(file_);
  const PictureSize size = picture.size();
  if (!picture.valid()) return view;
  RECT screen{};
  GetWindowRect(GetDesktopWindow(), &screen);
  const PreviewPlacement placement = PlacePreview(
      screen.right - screen.left, screen.bottom - screen.top, size.width, size.height, style);
  const PreviewRect& source = placement.source;
  const PreviewRect& target = placement.targets.front();
  view.tile = picture.Decode({source.x, source.y, source.width, source.height},
                             {target.width, target.height});
  if (view.tile.empty()) return view;
  if (style == kStyleTiled) {
    view.tile = Tiled(view.tile);
    view.targets = {{0, 0, kPreviewWidth, kPreviewHeight}};
  } else {
    view.targets = placement.targets;
  }
  return view;
}

int WallpaperPreview::Draw(HWND dialog, int style) {
  const WindowDc dc(dialog);
  try {
    const View& view = ViewFor(style >= 0 && style < kStyleCount ? style : kStyleCentred);
    const MemoryDc canvas(dc.get());
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc.get(), kFrameWidth, kFrameHeight));
    const ScopedSelect select(canvas.get(), bitmap.get());
    DrawEmptyFrame(canvas.get(), 0, 0);
    bool drawn = false;
    for (const PreviewRect& target : view.targets) {
      drawn = DrawPicture(canvas.get(), target.x + 1, target.y + 1, view.tile) || drawn;
    }
    BitBlt(dc.get(), kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight, canvas.get(), 0, 0, SRCCOPY);
    return drawn ? 1 : 0;
  } catch (const std::bad_alloc&) {
    DrawEmptyFrame(dc.get(), kFrameLeft, kFrameTop);
    return 0;
  }
}
