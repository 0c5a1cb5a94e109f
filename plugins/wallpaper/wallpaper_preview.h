#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "formats/bmp_file.h"

// The settings dialog's preview: a one-pixel black frame around a 192 x 144 area
// that stands for the whole screen, 194 x 146 pixels with its top left corner at
// (2, 1) of the dialog's client area. The area has the desktop colour. A picture is
// read once when it is chosen; repainting and a change of style draw it from memory.
class WallpaperPreview {
 public:
  // Shows `path` in the dialog's title bar and reads that BMP file for the
  // following draws. A missing, unreadable or damaged file, an empty path, or a
  // file too large for the memory left, gives the empty frame.
  void Load(HWND dialog, const char* path);
  // Draws the picture as `style` (0 centred, 1 tiled, 2 stretched) places it, or
  // the empty frame. Returns 1 when a picture was drawn, 0 otherwise.
  int Draw(HWND dialog, int style) const;

 private:
  std::vector<unsigned char> file_;
  BmpLayout layout_{};
};
