#pragma once

#include <windows.h>

// True for a window of the desktop (Progman, WorkerW) or of the shell's taskbars:
// windows that are always there, lowest or on top, and that the clock neither
// stays below nor treats as another program's.
bool IsDesktopOrShellWindow(HWND window);
