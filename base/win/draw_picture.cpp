#include "base/win/draw_picture.h"

bool DrawPicture(HDC dc, int x, int y, const BgraPicture& picture) {
  if (!IsWhole(picture)) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int lines =
      StretchDIBits(dc, x, y, picture.width, picture.height, 0, 0, picture.width, picture.height,
                    picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  return lines > 0;
}
