#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <vfw.h>

// Owns a DrawDib handle (Video for Windows) for the length of one draw.
class DrawDibHandle {
 public:
  DrawDibHandle() : handle_(DrawDibOpen()) {}
  ~DrawDibHandle() {
    if (handle_ != nullptr) DrawDibClose(handle_);
  }
  DrawDibHandle(const DrawDibHandle&) = delete;
  DrawDibHandle& operator=(const DrawDibHandle&) = delete;

  HDRAWDIB get() const { return handle_; }

 private:
  HDRAWDIB handle_;
};
