#include "base/win/draw_dib.h"

#include "base/win/system_function.h"

namespace {

constexpr char kVideoForWindows[] = "msvfw32.dll";

}  // namespace

DrawDibHandle::DrawDibHandle() : handle_(nullptr) {
  static const auto open = SystemFunction<decltype(&DrawDibOpen)>(kVideoForWindows, "DrawDibOpen");
  if (open != nullptr) handle_ = open();
}

DrawDibHandle::~DrawDibHandle() {
  static const auto close =
      SystemFunction<decltype(&DrawDibClose)>(kVideoForWindows, "DrawDibClose");
  if (handle_ != nullptr && close != nullptr) close(handle_);
}

bool DrawDibHandle::Draw(HDC dc, int x, int y, int width, int height, BITMAPINFOHEADER* header,
                         const void* bits, int sourceX, int sourceY, int sourceWidth,
                         int sourceHeight, UINT flags) const {
  static const auto draw = SystemFunction<decltype(&DrawDibDraw)>(kVideoForWindows, "DrawDibDraw");
  if (handle_ == nullptr || draw == nullptr) return false;
  return draw(handle_, dc, x, y, width, height, header, const_cast<void*>(bits), sourceX, sourceY,
              sourceWidth, sourceHeight, flags) != FALSE;
}
