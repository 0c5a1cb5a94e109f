#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <vfw.h>

// Owns a DrawDib handle (Video for Windows) for the length of one draw. Video for
// Windows is loaded when the first handle is opened, not with the program.
class DrawDibHandle {
 public:
  DrawDibHandle();
  ~DrawDibHandle();
  DrawDibHandle(const DrawDibHandle&) = delete;
  DrawDibHandle& operator=(const DrawDibHandle&) = delete;

  // DrawDibDraw with this handle; false when nothing could be drawn.
  bool Draw(HDC dc, int x, int y, int width, int height, BITMAPINFOHEADER* header, const void* bits,
            int sourceX, int sourceY, int sourceWidth, int sourceHeight, UINT flags) const;

  HDRAWDIB get() const { return handle_; }

 private:
  HDRAWDIB handle_;
};
