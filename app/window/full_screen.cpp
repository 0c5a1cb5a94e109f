#include "app/window/full_screen.h"

#include <shellapi.h>

#include "app/window/shell_windows.h"
#include "base/win/system_function.h"

namespace {

// Where the foreground watch posts its message.
HWND g_clock = nullptr;
UINT g_message = 0;

// What the shell says of the user's state: a full-screen program or a game in
// full screen, or a presentation. Asked through a shell loaded when needed.
bool ShellReportsFullScreen() {
  static const auto query = SystemFunction<HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*)>(
      "shell32.dll", "SHQueryUserNotificationState");
  QUERY_USER_NOTIFICATION_STATE state{};
  if (query == nullptr || FAILED(query(&state))) return false;
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN ||
         state == QUNS_PRESENTATION_MODE;
}

}  // namespace

bool IsFullScreenInFront(HWND clock) {
  const HWND front = GetForegroundWindow();
  if (front != nullptr && front != clock && !IsDesktopOrShellWindow(front) &&
      MonitorFromWindow(front, MONITOR_DEFAULTTONULL) ==
          MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT rect{};
    if (GetWindowRect(front, &rect) &&
        GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor) &&
        rect.left <= monitor.rcMonitor.left && rect.top <= monitor.rcMonitor.top &&
        rect.right >= monitor.rcMonitor.right && rect.bottom >= monitor.rcMonitor.bottom) {
      return true;
    }
  }
  return ShellReportsFullScreen();
}

void ForegroundWatch::Start(HWND clock, UINT message) {
  Stop();
  g_clock = clock;
  g_message = message;
  hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnEvent, 0, 0,
                          WINEVENT_OUTOFCONTEXT);
}

void ForegroundWatch::Stop() {
  if (hook_ != nullptr) UnhookWinEvent(hook_);
  hook_ = nullptr;
  g_clock = nullptr;
}

void CALLBACK ForegroundWatch::OnEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  if (g_clock != nullptr) PostMessageA(g_clock, g_message, 0, 0);
}
