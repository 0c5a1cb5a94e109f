#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/bgra_picture.h"
#include "plugins/wallpaper/preview_geometry.h"

// The settings dialog's preview: a one-pixel black frame around a 192 x 144 area
// that stands for the whole screen, 194 x 146 pixels with its top left corner at
// (2, 1) of the dialog's client area. The area has the desktop colour. A picture's
// file is read once when it is chosen; each style decodes it through WIC once,
// upright and scaled with an averaging filter, and repainting draws what that gave.
class WallpaperPreview {
 public:
  // Shows `path` in the dialog's title bar and reads that file for the following
  // draws. A missing or unreadable file or an empty path gives the empty frame, and
  // so does one that does not decode.
  void Load(HWND dialog, const char* path);
  // Draws the picture as `style` places it, or the empty frame. Returns 1 when a
  // picture was drawn, 0 otherwise.
  int Draw(HWND dialog, int style);

 private:
  // The picture decoded and placed for one style: `tile` is drawn at each target.
  struct View {
    bool decoded = false;
    std::vector<PreviewRect> targets;
    BgraPicture tile;
  };

  const View& ViewFor(int style);

  std::vector<uint8_t> file_;
  View views_[kStyleCount];
};
