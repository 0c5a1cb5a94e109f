// A bare window with a timer and nothing else (100 ms unless an interval is
// given): the yardstick for what the clock costs while it idles. Given an
// interval and "copy" on the command line, it also copies a 200 x 200 16-bit
// picture onto itself at every tick: the least any clock that shows a new face
// that often must do (1000 copy for the ticking clock, 50 copy for a sweeping
// second hand).
//   idle_window.exe [INTERVAL_MS [copy]]
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "base/win/gdi_handles.h"
#include "imaging/draw_surface.h"

namespace {

DrawSurface* g_picture = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && g_picture != nullptr) {
    WindowDc dc(window);
    BitBlt(dc.get(), 0, 0, 200, 200, g_picture->memoryDc(), 0, 0, SRCCOPY);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "IdleWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "IdleWindow", "IdleWindow", WS_POPUP, 500, 100,
                                200, 200, nullptr, nullptr, instance, nullptr);
  const int interval = std::atoi(commandLine);
  DrawSurface picture;
  if (std::strstr(commandLine, "copy") != nullptr && picture.Create(window, 200, 200, 16)) {
    g_picture = &picture;
  }
  SetTimer(window, 0, interval > 0 ? static_cast<UINT>(interval) : 100, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  g_picture = nullptr;
  return 0;
}
