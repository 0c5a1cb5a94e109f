#include "app/window/see_through.h"

#include "resources/resource_ids.h"

void ApplySeeThrough(HWND window, int opacityPercent, bool clickThrough) {
  const bool layered = opacityPercent < 100 || clickThrough;
  LONG style = GetWindowLongA(window, GWL_EXSTYLE) & ~(WS_EX_LAYERED | WS_EX_TRANSPARENT);
  if (layered) style |= WS_EX_LAYERED;
  if (clickThrough) style |= WS_EX_TRANSPARENT;
  SetWindowLongA(window, GWL_EXSTYLE, style);
  if (layered) {
    const auto alpha = static_cast<BYTE>((opacityPercent * 255 + 50) / 100);
    SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

int OpacityFromSetting(int value) {
  for (const int opacity : kOpacities) {
    if (value == opacity) return value;
  }
  return 100;
}
