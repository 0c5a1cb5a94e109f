// A bare window with a 100 ms timer and nothing else: the yardstick for what the
// clock costs while it idles between seconds.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "IdleWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "IdleWindow", "IdleWindow", WS_POPUP, 500, 100,
                                200, 200, nullptr, nullptr, instance, nullptr);
  SetTimer(window, 0, 100, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
