#pragma once

#include <windows.h>

struct WallpaperState;

// Shows the settings dialog (template 101 of `module`) modally over `owner`,
// working on `state`; returns when it has closed with OK or Esc.
void ShowWallpaperDialog(HMODULE module, HWND owner, WallpaperState* state);
