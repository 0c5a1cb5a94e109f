#include "imaging/ui_font.h"

HFONT CreateUiFont(int height) {
  // "ＭＳ ゴシック", the fixed-pitch Gothic face of Japanese Windows.
  static const char kFaceName[] = "ＭＳ ゴシック";
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, kFaceName);
}
