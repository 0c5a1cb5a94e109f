#pragma once

#include <windows.h>

#include "raster/pixel_buffer.h"

// Finds the pixels of the DIB section selected into a device context, so that the
// rasteriser can write them directly. GetObject does not tell a top-down DIB
// from a bottom-up one, so the row order is found once per bitmap by setting one
// pixel through GDI and seeing which row it lands in; both rows are put back.
class DibPixels {
 public:
  // After GdiFlush has carried out the drawing queued on `dc`: its DIB section's
  // pixels. False when `dc` holds no DIB section, or one whose pixel layout the
  // rasteriser does not write (palettes, 16 bits other than 5-5-5, 32 bits other
  // than 8-8-8).
  bool Find(HDC dc, PixelBuffer* pixels);

 private:
  bool TopRowFirst(HDC dc, const DIBSECTION& dib);

  HGDIOBJ bitmap_ = nullptr;
  void* bits_ = nullptr;
  bool topRowFirst_ = true;
};
