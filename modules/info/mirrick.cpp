// Mirrick, the info module: draws the time, or the date, in a small rounded white
// box in the lower middle of the clock face. The host calls these exports by their
// plain names with the C calling convention, as the SDK header declares them.
#include "sdk/kelvane_module.h"

namespace {

HBRUSH g_boxBrush = nullptr;
HPEN g_boxPen = nullptr;
// 1 shows the time, 0 the date; a fresh load always starts with the time.
int g_displayMode = 1;

constexpr COLORREF kBoxColour = RGB(255, 255, 255);
constexpr COLORREF kBorderColour = RGB(10, 10, 10);
constexpr RECT kBox = {65, 145, 135, 163};
constexpr int kCornerSize = 10;
constexpr POINT kTextOrigin = {70, 145};

}  // namespace

extern "C" {

int __cdecl Initialize(HWND) {
  g_boxBrush = CreateSolidBrush(kBoxColour);
  g_boxPen = CreatePen(PS_SOLID, 1, kBorderColour);
  return 1;
}

int __cdecl Uninitialize(void) {
  DeleteObject(g_boxBrush);
  DeleteObject(g_boxPen);
  g_boxBrush = nullptr;
  g_boxPen = nullptr;
  return 1;
}

int __cdecl DrawInfo(HDC dc, const SYSTEMTIME* now, int) {
  HGDIOBJ previousPen = SelectObject(dc, g_boxPen);
  HGDIOBJ previousBrush = SelectObject(dc, g_boxBrush);
  RoundRect(dc, kBox.left, kBox.top, kBox.right, kBox.bottom, kCornerSize, kCornerSize);
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);

  const int previousMode = SetBkMode(dc, TRANSPARENT);
  char text[32];
  const int length = g_displayMode == 1
                         ? wsprintfA(text, "%02d:%02d:%02d", now->wHour, now->wMinute, now->wSecond)
                         : wsprintfA(text, "%2d月%2d日", now->wMonth, now->wDay);
  TextOutA(dc, kTextOrigin.x, kTextOrigin.y, text, length);
  SetBkMode(dc, previousMode);
  return 1;
}

int __cdecl OpenConfig(HWND, int) {
  g_displayMode = g_displayMode + 1 > 1 ? 0 : g_displayMode + 1;
  return 0;
}

int __cdecl Reset(void) { return 1; }

}  // extern "C"
