// Mirrick, the info module: draws the time, or the date, in a small rounded white
// box in the lower middle of the clock face. The host calls these exports by their
// plain names with the C calling convention, as the SDK header declares them.
#include "sdk/kelvane_module.h"

namespace {

// The pen and font of a face larger than 200 x 200, made for the first draw at
// that size and kept while it stays.
struct ScaledTools {
  int faceSize;
  HPEN pen;
  HFONT font;
};

HBRUSH g_boxBrush = nullptr;
HPEN g_boxPen = nullptr;
ScaledTools g_scaled = {};
// 1 shows the time, 0 the date; a fresh load always starts with the time.
int g_displayMode = 1;

constexpr COLORREF kBoxColour = RGB(255, 255, 255);
constexpr COLORREF kBorderColour = RGB(10, 10, 10);
constexpr RECT kBox = {65, 145, 135, 163};
constexpr int kCornerSize = 10;
constexpr POINT kTextOrigin = {70, 145};

int Scaled(int value, int faceSize) { return MulDiv(value, faceSize, KELVANE_FACE_SIZE); }

void FreeScaledTools() {
  DeleteObject(g_scaled.pen);
  DeleteObject(g_scaled.font);
  g_scaled = {};
}

// The border pen and the device context's own font (the one the 200 x 200 face is
// written in) with the line width and the letters' height and width scaled.
void MakeScaledTools(HDC dc, int faceSize) {
  if (g_scaled.faceSize == faceSize) return;
  FreeScaledTools();
  LOGFONTA font{};
  TEXTMETRICA metrics{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font) == sizeof font &&
      GetTextMetricsA(dc, &metrics) && GetTextFaceA(dc, LF_FACESIZE, font.lfFaceName) > 0) {
    font.lfHeight = Scaled(metrics.tmHeight, faceSize);
    font.lfWidth = Scaled(metrics.tmAveCharWidth, faceSize);
    font.lfOutPrecision = OUT_TT_PRECIS;
    g_scaled.font = CreateFontIndirectA(&font);
  }
  g_scaled.pen = CreatePen(PS_SOLID, Scaled(1, faceSize), kBorderColour);
  g_scaled.faceSize = faceSize;
}

// The box and the text with every measure scaled by faceSize / 200; at 200 with the
// pen made in Initialize and the device context's font.
void Draw(HDC dc, const SYSTEMTIME* now, int faceSize) {
  const bool designSize = faceSize == KELVANE_FACE_SIZE;
  if (!designSize) MakeScaledTools(dc, faceSize);
  HGDIOBJ previousPen = SelectObject(dc, designSize ? g_boxPen : g_scaled.pen);
  HGDIOBJ previousBrush = SelectObject(dc, g_boxBrush);
  const int corner = Scaled(kCornerSize, faceSize);
  RoundRect(dc, Scaled(kBox.left, faceSize), Scaled(kBox.top, faceSize),
            Scaled(kBox.right, faceSize), Scaled(kBox.bottom, faceSize), corner, corner);
  SelectObject(dc, previousPen);
  SelectObject(dc, previousBrush);

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
  return 1;
}

int __cdecl Uninitialize(void) {
  DeleteObject(g_boxBrush);
  DeleteObject(g_boxPen);
  g_boxBrush = nullptr;
  g_boxPen = nullptr;
  FreeScaledTools();
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
