/*
 * A sample clock module (slot 1): a red dot that walks round the dial once a
 * minute, on the second. Put sample_module.dll into the clock folder and choose
 * it on the customize dialog's module page. Built from the SDK header alone.
 */
#include <math.h>

#include "kelvane_module.h"

static HBRUSH dot_brush;

int __cdecl Initialize(HWND clock) {
  (void)clock;
  dot_brush = CreateSolidBrush(RGB(255, 0, 0));
  return 1;
}

int __cdecl Uninitialize(void) {
  DeleteObject(dot_brush);
  dot_brush = NULL;
  return 1;
}

int __cdecl DrawClock(HDC dc, const SYSTEMTIME *now, int reserved) {
  const double angle = now->wSecond * 6.0 * 3.14159265358979 / 180.0;
  const int centre = KELVANE_FACE_SIZE / 2;
  const int x = centre + (int)lround(60.0 * sin(angle));
  const int y = centre - (int)lround(60.0 * cos(angle));
  HGDIOBJ previous_brush = SelectObject(dc, dot_brush);
  HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  (void)reserved;
  Ellipse(dc, x - 5, y - 5, x + 6, y + 6);
  SelectObject(dc, previous_pen);
  SelectObject(dc, previous_brush);
  return 1;
}
