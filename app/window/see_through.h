#pragma once

#include <windows.h>

// The clock's see-through look: a layered window (together with its outline) at
// `opacityPercent`, and with `clickThrough` one that clicks, drags and the wheel
// pass through to what lies beneath.
void ApplySeeThrough(HWND window, int opacityPercent, bool clickThrough);

// A saved opacity as one of the menu's percentages; anything else is 100.
int OpacityFromSetting(int value);
