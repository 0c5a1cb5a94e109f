#include "plugins/chime/alarm_window.h"

#include <cstdio>
#include <cstring>

#include "plugins/chime/chime_ids.h"

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kMissedTitle[] = "鳴らなかったアラーム";
constexpr char kUnlabelled[] = "アラーム";
constexpr char kCloseText[] = "閉じる";
constexpr int kGap = 4;

BOOL CALLBACK FindClock(HWND window, LPARAM found) {
  char className[sizeof kDialogClass] = {};
  GetClassNameA(window, className, sizeof className);
  if (!IsWindowVisible(window) || std::strcmp(className, kDialogClass) == 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The clock: the visible top-level window of this thread, every call of a plug-in
// coming on the clock's thread, that is no dialog.
HWND FindClockWindow() {
  HWND clock = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindClock, reinterpret_cast<LPARAM>(&clock));
  return clock;
}

}  // namespace

AlarmWindow::~AlarmWindow() {
  HWND window = dialogWindow();
  Unbind();
  if (window != nullptr) DestroyWindow(window);
}

bool AlarmWindow::Show(HMODULE module, int stacked) {
  if (CreateModeless(module, IDD_ALARM_RING, nullptr) == nullptr) return false;
  PlaceNearClock(stacked);
  ShowWindow(dialogWindow(), SW_SHOWNOACTIVATE);
  return true;
}

INT_PTR AlarmWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
  }
  return FALSE;
}

INT_PTR AlarmWindow::OnInitDialog() {
  HWND dialog = dialogWindow();
  const Alarm& alarm = ringing_.alarm;
  char clock[8];
  FormatTimeOfDay(alarm.minute, clock, sizeof clock);
  char time[32];
  if (ringing_.missed) {
    const Date date = DateOf(DayOf(ringing_.due));
    std::snprintf(time, sizeof time, "%d月%d日 %s", date.month, date.day, clock);
    SetWindowTextA(dialog, kMissedTitle);
    SetDlgItemTextA(dialog, IDC_STOP, kCloseText);
    ShowWindow(GetDlgItem(dialog, IDC_SNOOZE), SW_HIDE);
  } else {
    std::snprintf(time, sizeof time, "%s", clock);
  }
  timeFont_.Reset(CreateFontA(-26, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, "ＭＳ Ｐゴシック"));
  SendDlgItemMessageA(dialog, IDC_RING_TIME, WM_SETFONT, reinterpret_cast<WPARAM>(timeFont_.get()),
                      FALSE);
  SetDlgItemTextA(dialog, IDC_RING_TIME, time);
  SetDlgItemTextA(dialog, IDC_RING_LABEL, alarm.label[0] != '\0' ? alarm.label : kUnlabelled);
  return FALSE;
}

// The handler destroys this object, its own copy among it, so it runs from a copy
// on the stack and nothing of the object is touched after it.
INT_PTR AlarmWindow::OnCommand(WORD id) {
  if (id != IDC_STOP && id != IDC_SNOOZE && id != IDCANCEL) return FALSE;
  const CloseHandler onClose = onClose_;
  onClose(*this, id == IDC_SNOOZE);
  return TRUE;
}

// Below the clock, or above it where the work area ends; the windows of several
// alarms stand one under the other. Without a visible clock, at the work area's
// lower right.
void AlarmWindow::PlaceNearClock(int stacked) {
  HWND window = dialogWindow();
  RECT own;
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  HWND clock = FindClockWindow();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(clock, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  RECT anchor{work.right - width, work.bottom, work.right, work.bottom};
  if (clock != nullptr) GetWindowRect(clock, &anchor);
  const int step = (height + kGap) * stacked;
  int y = anchor.bottom + kGap + step;
  if (y + height > work.bottom) y = anchor.top - kGap - height - step;
  int x = anchor.left;
  if (x + width > work.right) x = work.right - width;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(window, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}
