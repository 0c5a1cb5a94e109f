/*
 * A sample clock module (slot 1): a red dot that walks round the dial once a
 * minute, on the second. Put sample_module.dll into the clock folder and choose
 * it on the customize dialog's module page. Built from the SDK header alone.
 */
#include <math.h>

#include "kelvane_module.h"

static HBRUSH dot_brush;

/* The dot on a face of face_size pixels: its place and size scale with the face. */
static void draw_dot(HDC dc, const SYSTEMTIME *now, int face_size) {
  const double angle = now->wSecond * 6.0 * 3.14159265358979 / 180.0;
  const double scale = face_size / (double)KELVANE_FACE_SIZE;
  const int centre = face_size / 2;
  const int x = centre + (int)lround(60.0 * scale * sin(angle));
  const int y = centre - (int)lround(60.0 * scale * cos(angle));
  const int radius = MulDiv(5, face_size, KELVANE_FACE_SIZE);
  HGDIOBJ previous_brush = SelectObject(dc, dot_brush);
  HGDIOBJ previous_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, x - radius, y - radius, x + radius + 1, y + radius + 1);
  SelectObject(dc, previous_pen);
  SelectObject(dc, previous_brush);
}

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
  (void)reserved;
  draw_dot(dc, now, KELVANE_FACE_SIZE);
  return 1;
}

int __cdecl DrawClockScaled(HDC dc, const SYSTEMTIME *now, int faceSize) {
  draw_dot(dc, now, faceSize);
  return 1;
}
