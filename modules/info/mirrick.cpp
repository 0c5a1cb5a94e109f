// Mirrick, the info module: draws the time, or the date, in a small rounded white
// box in the lower middle of the clock face. The host calls these exports by their
// plain names with the C calling convention, as the SDK header declares them.
#include "sdk/kelvane_module.h"

namespace {

// The font of a face of another size than 200 x 200, made for the first draw at
// that size and kept while it stays.
struct ScaledFont {
  int faceSize;
  HFONT font;
};

HBRUSH g_boxBrush = nullptr;
HPEN g_boxPen = nullptr;
HBRUSH g_borderBrush = nullptr;
ScaledFont g_scaled = {};
// 1 shows the time, 0 the date; a fresh load always starts with the time.
int g_displayMode = 1;

constexpr COLORREF kBoxColour = RGB(255, 255, 255);
constexpr COLORREF kBorderColour = RGB(10, 10, 10);
constexpr RECT kBox = {65, 145, 135, 163};
constexpr int kCornerSize = 10;
constexpr POINT kTextOrigin = {70, 145};

int Scaled(int value, int faceSize) { return MulDiv(value, faceSize, KELVANE_FACE_SIZE); }

void FreeScaledFont() {
  DeleteObject(g_scaled.font);
  g_scaled = {};
}

// The device context's own font (the one the 200 x 200 face is written in) with
// the letters' height and width scaled.
void MakeScaledFont(HDC dc, int faceSize) {
  if (g_scaled.faceSize == faceSize) return;
  FreeScaledFont();
  LOGFONTA font{};
  TEXTMETRICA metrics{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font) == sizeof font &&
      GetTextMetricsA(dc, &metrics) && GetTextFaceA(dc, LF_FACESIZE, font.lfFaceName) > 0) {
    font.lfHeight = Scaled(metrics.tmHeight, faceSize);
    font.lfWidth = Scaled(metrics.tmAveCharWidth, faceSize);
    font.lfOutPrecision = OUT_TT_PRECIS;
    g_scaled.font = CreateFontIndirectA(&font);
  }
  g_scaled.faceSize = faceSize;
}

// The rounded box with its border; at 200 drawn with the pen made in Initialize.
// A pen wider than a pixel is slow to draw with, so on other faces the border is
// the box filled in its colour, with the white box inset by the line's width.
void DrawBox(HDC dc, int faceSize) {
  const RECT box = {Scaled(kBox.left, faceSize), Scaled(kBox.top, faceSize),
                    Scaled(kBox.right, faceSize), Scaled(kBox.bottom, faceSize)};
  const int corner = Scaled(kCornerSize, faceSize);
  if (faceSize == KELVANE_FACE_SIZE) {
    HGDIOBJ previousPen = SelectObject(dc, g_boxPen);
    HGDIOBJ previousBrush = SelectObject(dc, g_boxBrush);
    RoundRect(dc, box.left, box.top, box.right, box.bottom, corner, corner);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    return;
  }
  // Without a pen RoundRect leaves out the right column and the bottom row.
  const int line = Scaled(1, faceSize);
  HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
  HGDIOBJ previousBrush = SelectObject(dc, g_borderBrush);
  RoundRect(dc, box.left, box.top, box.right + 1, box.bottom + 1, corner, corner);
  SelectObject(dc, g_boxBrush);
  RoundRect(dc, box.left + line, box.top + line, box.right + 1 - line, box.bottom + 1 - line,
            corner - 2 * line, corner - 2 * line);
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);
}

// The box and the text with every measure scaled by faceSize / 200; at 200 in
// the device context's font.
void Draw(HDC dc, const SYSTEMTIME* now, int faceSize) {
  const bool designSize = faceSize == KELVANE_FACE_SIZE;
  if (!designSize) MakeScaledFont(dc, faceSize);
  DrawBox(dc, faceSize);

  HGDIOBJ previousFont = designSize ? nullptr : SelectObject(dc, g_scaled.font);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  char text[32];
  const int length = g_displayMode == 1
                         ? wsprintfA(text, "%02d:%02d:%02d", now->wHour, now->wMinute, now->wSecond)
                         : wsprintfA(text, "%2d月%2d日", now->wMonth, now->wDay);
  TextOutA(dc, Scaled(kTextOrigin.x, faceSize), Scaled(kTextOrigin.y, faceSize), text, length);
  SetBkMode(dc, previousMode);
  if (previousFont != nullptr) SelectObject(dc, previousFont);
}

}  // namespace

extern "C" {

int __cdecl Initialize(HWND) {
  g_boxBrush = CreateSolidBrush(kBoxColour);
  g_boxPen = CreatePen(PS_SOLID, 1, kBorderColour);
  g_borderBrush = CreateSolidBrush(kBorderColour);
  return 1;
}

int __cdecl Uninitialize(void) {
  DeleteObject(g_boxBrush);
  DeleteObject(g_boxPen);
  DeleteObject(g_borderBrush);
  g_boxBrush = nullptr;
  g_boxPen = nullptr;
  g_borderBrush = nullptr;
  FreeScaledFont();
  return 1;
}

int __cdecl DrawInfo(HDC dc, const SYSTEMTIME* now, int) {
  Draw(dc, now, KELVANE_FACE_SIZE);
  return 1;
}

int __cdecl DrawInfoScaled(HDC dc, const SYSTEMTIME* now, int faceSize) {
  if (now == nullptr || faceSize < 1) return 0;
  Draw(dc, now, faceSize);
  return 1;
}

int __cdecl OpenConfig(HWND, int) {
  g_displayMode = g_displayMode + 1 > 1 ? 0 : g_displayMode + 1;
  return 0;
}

int __cdecl Reset(void) { return 1; }

}  // extern "C"
