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
// The widest text and the width it takes at 200, from the origin to the box's
// right side less a margin.
constexpr char kWidestText[] = "00:00:00";
constexpr int kTextRoom = 61;

int Scaled(int value, int faceSize) { return MulDiv(value, faceSize, KELVANE_FACE_SIZE); }

void FreeScaledFont() {
  DeleteObject(g_scaled.font);
  g_scaled = {};
}

// The device context's own font (the one the 200 x 200 face is written in) with
// the letters' height scaled. The font the system gives a device context is made
// for the screen's DPI, already larger on a high-DPI screen: it is taken back to
// 96 DPI first, the size of the face's design. A font of that name made anew may
// be wider than the design's: it is then narrowed until the time fits the box as
// it does at 200.
void MakeScaledFont(HDC dc, int faceSize) {
  if (g_scaled.faceSize == faceSize) return;
  FreeScaledFont();
  g_scaled.faceSize = faceSize;
  LOGFONTA font{};
  TEXTMETRICA metrics{};
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  if (dpi <= 0 || GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font) != sizeof font ||
      !GetTextMetricsA(dc, &metrics) || GetTextFaceA(dc, LF_FACESIZE, font.lfFaceName) <= 0) {
    return;
  }
  font.lfHeight =
      MulDiv(metrics.tmHeight, faceSize * USER_DEFAULT_SCREEN_DPI, KELVANE_FACE_SIZE * dpi);
  font.lfWidth = 0;
  font.lfOutPrecision = OUT_TT_PRECIS;
  g_scaled.font = CreateFontIndirectA(&font);
  HGDIOBJ previous = SelectObject(dc, g_scaled.font);
  SIZE extent{};
  const bool measured = GetTextExtentPoint32A(dc, kWidestText, sizeof kWidestText - 1, &extent) &&
                        GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  const int room = Scaled(kTextRoom, faceSize);
  if (!measured || extent.cx <= room) return;
  font.lfWidth = MulDiv(metrics.tmAveCharWidth, room, extent.cx);
  DeleteObject(g_scaled.font);
  g_scaled.font = CreateFontIndirectA(&font);
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
