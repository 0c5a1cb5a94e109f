#pragma once

#include <windows.h>

// An off-screen surface: a memory device context with a top-down DIB section of
// fixed width, height and depth selected into it for the surface's whole life.
// It is either empty (everything zero) or ready; no state in between survives a call.
class DrawSurface {
 public:
  DrawSurface();
  virtual ~DrawSurface();
  DrawSurface(const DrawSurface&) = delete;
  DrawSurface& operator=(const DrawSurface&) = delete;

  // Makes the surface compatible with `window`'s device context, releasing what
  // it held before. Depth is 16, 24
  // or 32; width and height at most 65535. Returns 1 when ready, 0 when left empty.
  int Create(HWND window, unsigned width, unsigned height, int depth);
  // Returns the surface to empty; safe on an empty surface.
  void Destroy();

  const BITMAPINFO& bitmapInfo() const { return bitmapInfo_; }
  HDC memoryDc() const { return memoryDc_; }
  unsigned char* bits() const { return bits_; }
  int stride() const { return stride_; }
  unsigned width() const { return width_; }
  unsigned height() const { return height_; }

 private:
  BITMAPINFO bitmapInfo_;
  HDC memoryDc_;
  HBITMAP bitmap_;
  HGDIOBJ previousBitmap_;
  unsigned char* bits_;
  int stride_;
  unsigned width_;
  unsigned height_;
};
