#include "app/window/shell_windows.h"

#include <initializer_list>

bool IsDesktopOrShellWindow(HWND window) {
  char name[32] = {};
  if (GetClassNameA(window, name, sizeof name) == 0) return false;
  for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"}) {
    if (lstrcmpA(name, shell) == 0) return true;
  }
  return false;
}
