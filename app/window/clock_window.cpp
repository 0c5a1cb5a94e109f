#include "app/window/clock_window.h"

#include <algorithm>
#include <utility>

#include "app/customize/customize_dialog.h"
#include "app/customize/message_dialog.h"
#include "app/window/clock_accessible.h"
#include "app/window/clock_program.h"
#include "app/window/second_tick.h"
#include "app/window/see_through.h"
#include "app/window/settings.h"
#include "app/window/shell_windows.h"
#include "app/window/time_text.h"
#include "app/window/window_shape.h"
#include "app/window/work_area.h"
#include "base/win/dpi_awareness.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT kWatchIntervalMs = 333;
constexpr UINT kReshowIntervalMs = 1000;
// Asks the clock to go back to the bottom after something raised it in mode Bottom.
constexpr UINT kStayBehindMessage = WM_APP + 0x100;
// The cursor is near when it lies strictly inside this radius around the centre.
constexpr int kDodgeRadius = 80;

ClockProgram* ProgramOf(HWND window) {
  return reinterpret_cast<ClockProgram*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

// True when no visible top-level window lies below `window`. The desktop's and the
// shell's own windows do not count: the desktop's are visible and always lowest.
bool IsLowestVisible(HWND window) {
  for (HWND below = GetWindow(window, GW_HWNDNEXT); below != nullptr;
       below = GetWindow(below, GW_HWNDNEXT)) {
    if (IsWindowVisible(below) && !IsDesktopOrShellWindow(below)) return false;
  }
  return true;
}

// Sends the clock in mode Bottom back to the bottom when a window lies below it.
// Besides answering its own moves, the clock checks once a second: a window
// that another program sends to the bottom, or an order Wine changed without
// telling the clock, would otherwise leave it above that window for good.
void StayBehind(HWND window, ClockProgram& program) {
  if (program.stackingMode != StackingMode::Bottom || IsLowestVisible(window)) return;
  program.restacking = true;
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  program.restacking = false;
}

// A new minute for screen readers, which read the clock's name, and for the tray
// icon's tip.
void AnnounceMinute(HWND window, ClockProgram& program, const SYSTEMTIME& now) {
  program.lastMinute = now.wMinute;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  program.tray.SetTip(
      window,
      JapaneseTimeText(now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute).c_str());
}

// Hides the clock while a full-screen program is in front on its monitor, and shows
// it again once that program has gone: only a clock this hid comes back. Always
// behind, the clock is never in front of anything, and stays.
void FollowFullScreen(HWND window, ClockProgram& program) {
  const bool covered = program.hideFullScreen && program.stackingMode != StackingMode::Bottom &&
                       IsFullScreenInFront(window);
  if (covered && IsWindowVisible(window)) {
    program.hiddenForFullScreen = true;
    ShowWindow(window, SW_HIDE);
  } else if (!covered && program.hiddenForFullScreen) {
    program.hiddenForFullScreen = false;
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
}

void OnPaint(HWND window, ClockProgram& program) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  program.face.Draw(nullptr);
}

void OnTimer(HWND window, ClockProgram& program, UINT_PTR id) {
  switch (id) {
    case kTickTimer: Tick(window, program); return;
    case kRedrawTimer: {
      SYSTEMTIME now;
      program.readTime(&now);
      program.face.Draw(&now);
      return;
    }
    case kWatchTimer: AutoHideStep(window, 2); return;
    case kReshowTimer: AutoHideStep(window, 1); return;
  }
}

// After the system's time was set or the computer woke, the face follows at once
// and the tick timer is set afresh for the new time's seconds.
void Realign(HWND window, ClockProgram& program) {
  program.tickIntervalMs = 0;
  Tick(window, program);
}

// After the monitors or their work areas changed, or a wake: back at the saved
// place when its monitor is there again, otherwise where it is but reachable;
// either way inside the work area. The saved place stays as the user left it.
void FollowDisplays(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  char text[16];
  const bool hasSaved = ReadSetting("WINDOW", "POS_X", text, sizeof text) > 0 &&
                        ReadSetting("WINDOW", "POS_Y", text, sizeof text) > 0;
  const Area saved = ToArea(RectAt(ReadSetting("WINDOW", "POS_X", nullptr, 0),
                                   ReadSetting("WINDOW", "POS_Y", nullptr, 0),
                                   rect.right - rect.left, rect.bottom - rect.top));
  const RECT place =
      ToRect(AfterDisplayChange(hasSaved ? &saved : nullptr, ToArea(rect), CurrentMonitors()));
  if (place.left == rect.left && place.top == rect.top) return;
  SetWindowPos(window, nullptr, place.left, place.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnSettingChange(HWND window, WPARAM action) {
  if (action == SPI_SETWORKAREA) FollowDisplays(window);
}

// Rebuilds the clock for the DPI last announced: window and outline at the new
// face size around the same centre, the surfaces, and one face.
void ApplyPendingDpi(HWND window, ClockProgram& program) {
  const UINT dpi = std::exchange(program.pendingDpi, 0u);
  if (dpi == 0) return;
  const int size = FaceSizeAt(dpi);
  if (size == program.face.size()) return;
  RECT rect{};
  GetWindowRect(window, &rect);
  const long long centreX = (static_cast<long long>(rect.left) + rect.right) / 2;
  const long long centreY = (static_cast<long long>(rect.top) + rect.bottom) / 2;
  SetWindowPos(window, nullptr, static_cast<int>(centreX - size / 2),
               static_cast<int>(centreY - size / 2), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShapeClockWindow(window, size);
  program.face.Resize(size);
  SYSTEMTIME now;
  program.readTime(&now);
  program.face.Draw(&now);
}

// A monitor of another DPI. Within a drag only the last one counts, applied when
// the drag ends, so that a clock dragged along the border between two monitors
// is not rebuilt at every step.
void OnDpiChanged(HWND window, ClockProgram& program, WPARAM wParam) {
  program.pendingDpi = LOWORD(wParam);
  if (!program.moving) ApplyPendingDpi(window, program);
}

void OnExitSizeMove(HWND window, ClockProgram& program) {
  program.moving = false;
  ApplyPendingDpi(window, program);
}

void OnPowerBroadcast(HWND window, ClockProgram& program, WPARAM event) {
  if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND) return;
  FollowDisplays(window);
  Realign(window, program);
}

void OnSetCursor(HWND window, const ClockProgram& program, LPARAM lParam) {
  if (LOWORD(lParam) == HTCLIENT && program.autoHide) AutoHideStep(window, 0);
}

// In mode Bottom every z-order change, activation by a click included, goes to the
// bottom; only the step that drops the topmost state on the way there passes.
void OnWindowPosChanging(const ClockProgram& program, WINDOWPOS* position) {
  if (program.stackingMode != StackingMode::Bottom) return;
  if (position->hwndInsertAfter != HWND_NOTOPMOST) position->hwndInsertAfter = HWND_BOTTOM;
}

// Wine ignores the redirection above (and any z-order change of a hidden window);
// when the clock still ended up above another window, it goes down once the
// current change is done. Its own move down does not ask again, so a bottom that
// cannot be reached never loops.
void OnWindowPosChanged(HWND window, const ClockProgram& program) {
  if (program.stackingMode != StackingMode::Bottom || program.restacking) return;
  if (!IsLowestVisible(window)) PostMessageA(window, kStayBehindMessage, 0, 0);
}

// A modal loop (moving, a menu, a dialog) that takes the quit message which
// WM_DESTROY posted ends without passing it on. After each such loop the clock
// asks again when its window is gone, so the program always ends with its window.
bool OutlivedByWindow(HWND window) {
  if (IsWindow(window)) return true;
  PostQuitMessage(0);
  return false;
}

void OnLeftButtonDown(HWND window, const ClockProgram& program) {
  if (program.positionLock) return;
  // The system's move loop runs until the button is released.
  SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  if (!OutlivedByWindow(window)) return;
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return;
  WriteSetting("WINDOW", "POS_X", nullptr, rect.left);
  WriteSetting("WINDOW", "POS_Y", nullptr, rect.top);
}

void OnContextMenu(HWND window, ClockProgram& program) {
  const int stacking =
      static_cast<int>(StackingModeFromSetting(ReadSetting("WINDOW", "POS_Z", nullptr, 0)));
  POINT cursor{};
  GetCursorPos(&cursor);
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENU));
  HMENU popup = GetSubMenu(menu, 0);
  CheckMenuRadioItem(popup, IDM_NORMAL, IDM_NORMAL + stacking, IDM_NORMAL + stacking, MF_BYCOMMAND);
  if (program.autoHide) CheckMenuItem(popup, IDM_AUTOHIDE, MF_BYCOMMAND | MF_CHECKED);
  if (program.positionLock) CheckMenuItem(popup, IDM_LOCK, MF_BYCOMMAND | MF_CHECKED);
  if (program.hideFullScreen) CheckMenuItem(popup, IDM_HIDE_FULLSCREEN, MF_BYCOMMAND | MF_CHECKED);
  if (program.clickThrough) CheckMenuItem(popup, IDM_CLICK_THROUGH, MF_BYCOMMAND | MF_CHECKED);
  for (int i = 0; i < static_cast<int>(sizeof kOpacities / sizeof kOpacities[0]); ++i) {
    if (kOpacities[i] != program.opacity) continue;
    CheckMenuRadioItem(popup, IDM_OPACITY_100, IDM_OPACITY_50, IDM_OPACITY_100 + i, MF_BYCOMMAND);
  }
  program.plugins.AddMenuItems(popup);
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
  DestroyMenu(menu);
  if (OutlivedByWindow(window)) PostMessageA(window, WM_NULL, 0, 0);
}

void SetStacking(HWND window, ClockProgram& program, StackingMode mode) {
  program.stackingMode = mode;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE;
  switch (mode) {
    case StackingMode::Normal:
      SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, flags);
      SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
      break;
    case StackingMode::Topmost: SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags); break;
    case StackingMode::Bottom:
      // Windows drops the topmost state on the way to the bottom, Wine does not:
      // dropping it first gives the same result on both.
      SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
      SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, flags);
      break;
  }
  WriteSetting("WINDOW", "POS_Z", nullptr, static_cast<int>(mode));
}

void Toggle(int& flag, const char* key) {
  flag = !flag;
  WriteSetting("WINDOW", key, nullptr, flag);
}

void ShowTrayIcon(HWND window, ClockProgram& program) {
  if (!program.tray.present()) program.tray.Toggle(window, IDI_CLOCK, 0, kTrayCallbackMessage);
}

void HideToTray(HWND window, ClockProgram& program) {
  ShowTrayIcon(window, program);
  ShowWindow(window, SW_HIDE);
}

void SetOpacity(HWND window, ClockProgram& program, int opacity) {
  program.opacity = opacity;
  ApplySeeThrough(window, program.opacity, program.clickThrough != 0);
  WriteSetting("WINDOW", "OPACITY", nullptr, opacity);
}

void ToggleClickThrough(HWND window, ClockProgram& program) {
  Toggle(program.clickThrough, "CLICK_THROUGH");
  ApplySeeThrough(window, program.opacity, program.clickThrough != 0);
  FollowSeeThrough(window, program);
}

// The dialog acts on the running face and plug-ins and returns once it is closed.
void Customize(HWND window, ClockProgram& program) {
  if (program.customizing) return;
  program.customizing = true;
  const DpiAwarenessScope unaware(DpiAwarenessScope::Awareness::kUnaware);
  CustomizeDialog dialog;
  dialog.Run(window, &program.face, &program.plugins);
  program.customizing = false;
  OutlivedByWindow(window);
}

void OnCommand(HWND window, ClockProgram& program, WPARAM id) {
  switch (id) {
    case IDM_CLOSE: DestroyWindow(window); return;
    case IDM_CUSTOMIZE: Customize(window, program); return;
    case IDM_NORMAL: SetStacking(window, program, StackingMode::Normal); return;
    case IDM_TOPMOST: SetStacking(window, program, StackingMode::Topmost); return;
    case IDM_BOTTOM: SetStacking(window, program, StackingMode::Bottom); return;
    case IDM_AUTOHIDE: Toggle(program.autoHide, "AUTOHIDE"); return;
    case IDM_HIDE: HideToTray(window, program); return;
    case IDM_LOCK: Toggle(program.positionLock, "POSLOCK"); return;
    case IDM_HIDE_FULLSCREEN:
      Toggle(program.hideFullScreen, "HIDE_FULLSCREEN");
      FollowFullScreen(window, program);
      return;
    case IDM_CLICK_THROUGH: ToggleClickThrough(window, program); return;
    case IDM_OPACITY_100:
    case IDM_OPACITY_90:
    case IDM_OPACITY_75:
    case IDM_OPACITY_50: SetOpacity(window, program, kOpacities[id - IDM_OPACITY_100]); return;
  }
  {
    const DpiAwarenessScope unaware(DpiAwarenessScope::Awareness::kUnaware);
    program.plugins.RouteCommand(window, static_cast<UINT>(id));
  }
  OutlivedByWindow(window);
}

void AskToQuit(HWND window, ClockProgram& program) {
  if (program.askingToQuit) return;
  program.askingToQuit = true;
  const DpiAwarenessScope unaware(DpiAwarenessScope::Awareness::kUnaware);
  MessageDialog dialog;
  const int answer = dialog.Show(window, "終了してよろしいですか？");
  program.askingToQuit = false;
  if (!OutlivedByWindow(window)) return;
  if (answer == 1) DestroyWindow(window);
}

void OnKeyDown(HWND window, ClockProgram& program, WPARAM key) {
  if (key == VK_ESCAPE) AskToQuit(window, program);
  if (key == VK_SPACE) Customize(window, program);
}

// However the clock comes back (a second start shows it too), a clock on the
// screen has no icon in the tray, so hiding it again always leaves one; only a
// click-through clock keeps its icon.
void OnShowWindow(HWND window, ClockProgram& program, WPARAM shown) {
  if (shown && !program.clickThrough) program.tray.Remove(window);
}

// A click-through clock cannot be right-clicked: its icon's right button opens its
// menu instead, where click-through can be turned off.
void OnTrayNotify(HWND window, ClockProgram& program, WPARAM wParam, LPARAM lParam) {
  if (program.clickThrough && lParam == WM_RBUTTONUP) {
    SetForegroundWindow(window);
    OnContextMenu(window, program);
    return;
  }
  if (program.tray.HandleNotify(window, wParam, lParam) && !program.clickThrough) {
    program.tray.Remove(window);
  }
}

// Within the face's radius of 80 of 200 pixels around its centre, at any face size.
bool IsCursorNear(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT cursor{};
  GetCursorPos(&cursor);
  const long long size = rect.right - rect.left;
  const long long dx = 2LL * (cursor.x - rect.left) - size;
  const long long dy = 2LL * (cursor.y - rect.top) - size;
  const long long radius = 2LL * kDodgeRadius * size / ClockFace::kFaceSize;
  return dx * dx + dy * dy < radius * radius;
}

}  // namespace

// The tick: a face and the plug-ins' notification when the second changed, then
// the timer set to fire just after the next second; once it fires on the beat it
// runs on at one second without being set again.
void Tick(HWND window, ClockProgram& program) {
  SYSTEMTIME now;
  program.readTime(&now);
  if (const unsigned rest = WaitInPlace(program.lastSecond, now.wSecond, now.wMilliseconds)) {
    Sleep(rest);
    program.readTime(&now);
  }
  if (now.wSecond != program.lastSecond) {
    program.lastSecond = now.wSecond;
    program.face.Draw(&now);
    {
      // What plug-ins show (an alarm, a failure's message box) is scaled by the
      // system, as every window of the program but the clock.
      const DpiAwarenessScope unaware(DpiAwarenessScope::Awareness::kUnaware);
      program.plugins.NotifyTimeChange(&now);
    }
    StayBehind(window, program);
    FollowFullScreen(window, program);
    if (now.wMinute != program.lastMinute) AnnounceMinute(window, program, now);
    // Plug-ins may have taken a while: the next second is measured from now.
    program.readTime(&now);
  }
  const unsigned interval = TickInterval(program.lastSecond, now.wSecond, now.wMilliseconds);
  if (interval == program.tickIntervalMs) return;
  program.tickIntervalMs = interval;
  SetTimer(window, kTickTimer, interval, nullptr);
}

void AutoHideStep(HWND window, int phase) {
  const bool cursorNear = IsCursorNear(window);
  switch (phase) {
    case 0:
      if (!cursorNear) return;
      SetTimer(window, kWatchTimer, kWatchIntervalMs, nullptr);
      ShowWindow(window, SW_HIDE);
      return;
    case 1:
      KillTimer(window, kReshowTimer);
      if (cursorNear) {
        SetTimer(window, kWatchTimer, kWatchIntervalMs, nullptr);
      } else {
        ShowWindow(window, SW_SHOW);
      }
      return;
    case 2:
      if (cursorNear) return;
      KillTimer(window, kWatchTimer);
      SetTimer(window, kReshowTimer, kReshowIntervalMs, nullptr);
      return;
  }
}

int FaceSizeAt(UINT dpi) {
  return std::max(ClockFace::kFaceSize,
                  MulDiv(ClockFace::kFaceSize, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
}

bool ShapeClockWindow(HWND window, int size) {
  if (size != ClockFace::kFaceSize) return ApplyClockOutline(window, size) != 0;
  RegionInfo region{};
  return ApplyRegion(&region, window, kRegionResourceType, IDR_REGION) != 0;
}

void FollowSeeThrough(HWND window, ClockProgram& program) {
  if (program.clickThrough) {
    ShowTrayIcon(window, program);
  } else if (IsWindowVisible(window)) {
    program.tray.Remove(window);
  }
}

bool RegisterClockWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ClockWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClockName;
  return RegisterClassA(&windowClass) != 0;
}

void BindClockWindow(HWND window, ClockProgram* program) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(program));
}

LRESULT CALLBACK ClockWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ClockProgram* program = ProgramOf(window);
  if (program == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == TaskbarCreatedMessage()) program->tray.Restore(window);
  switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_CLOSE: DestroyWindow(window); break;
    case WM_PAINT: OnPaint(window, *program); break;
    case WM_TIMER: OnTimer(window, *program, wParam); break;
    case WM_SETCURSOR: OnSetCursor(window, *program, lParam); break;
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(*program, reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(window, *program); break;
    case WM_LBUTTONDOWN: OnLeftButtonDown(window, *program); break;
    case WM_CONTEXTMENU: OnContextMenu(window, *program); break;
    case WM_COMMAND: OnCommand(window, *program, wParam); break;
    case WM_KEYDOWN: OnKeyDown(window, *program, wParam); break;
    case WM_SHOWWINDOW: OnShowWindow(window, *program, wParam); break;
    case WM_DISPLAYCHANGE: FollowDisplays(window); break;
    case WM_TIMECHANGE: Realign(window, *program); break;
    case WM_DPICHANGED: OnDpiChanged(window, *program, wParam); break;
    case WM_ENTERSIZEMOVE: program->moving = true; break;
    case WM_EXITSIZEMOVE: OnExitSizeMove(window, *program); break;
    case WM_POWERBROADCAST: OnPowerBroadcast(window, *program, wParam); break;
    case WM_SETTINGCHANGE: OnSettingChange(window, wParam); break;
    case kTrayCallbackMessage: OnTrayNotify(window, *program, wParam, lParam); break;
    case kStayBehindMessage: StayBehind(window, *program); break;
    case kForegroundChangedMessage: FollowFullScreen(window, *program); break;
    case WM_GETOBJECT:
      if (LRESULT answer = AnswerGetObject(window, wParam, lParam, program->readTime))
        return answer;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
