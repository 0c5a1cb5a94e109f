#include "app/window/tray_icon.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "base/win/dpi_awareness.h"
#include "base/win/gdi_handles.h"
#include "base/win/system_function.h"

namespace {

// The record in its first, 88-byte form, understood by every shell.
constexpr DWORD kIconRecordSize = 88;
constexpr char kTip[] = "Kelvane Vesk";

NOTIFYICONDATAA IconRecord(HWND window, UINT id) {
  NOTIFYICONDATAA record;
  std::memset(&record, 0, sizeof record);
  record.cbSize = kIconRecordSize;
  record.hWnd = window;
  record.uID = id;
  return record;
}

// Shell_NotifyIconA, with the shell loaded when the icon is first shown rather
// than with the program.
void NotifyShell(DWORD action, NOTIFYICONDATAA* record) {
  static const auto notify =
      SystemFunction<decltype(&Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
  if (notify != nullptr) notify(action, record);
}

void ShowClock(HWND window) {
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
}

// The second popup of menu `menuId` at the cursor; the choice arrives as WM_COMMAND.
void ShowTrayMenu(HWND window, int menuId) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  TrackPopupMenu(GetSubMenu(menu, 1), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
  SendMessageA(window, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

}  // namespace

void TrayIcon::Toggle(HWND window, int iconResourceId, int menuId, UINT callbackMessage) {
  if (present_) {
    Remove(window);
    menuId_ = 0;
    return;
  }
  iconResourceId_ = iconResourceId;
  callbackMessage_ = callbackMessage;
  menuId_ = menuId;
  Add(window);
}

void TrayIcon::Add(HWND window) {
  present_ = 1;
  NOTIFYICONDATAA record = IconRecord(window, 0);
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = callbackMessage_;
  // The image of the resource's sizes that the notification area shows at the
  // clock's DPI; the shell keeps a copy of it.
  const int size = SmallIconSize(WindowDpi(window));
  const IconHandle icon(static_cast<HICON>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconResourceId_), IMAGE_ICON, size, size, 0)));
  record.hIcon = icon.get();
  std::strncpy(record.szTip, tip_, sizeof record.szTip - 1);
  // The shell's answer is not looked at: a refused icon leaves the clock hidden,
  // and a second start of the program shows it again.
  NotifyShell(NIM_ADD, &record);
  iconId_ = record.uID;
}

void TrayIcon::Remove(HWND window) {
  if (!present_) return;
  present_ = 0;
  NOTIFYICONDATAA record = IconRecord(window, iconId_);
  NotifyShell(NIM_DELETE, &record);
}

void TrayIcon::SetTip(HWND window, const char* detail) {
  std::snprintf(tip_, sizeof tip_, "%s\n%s", kTip, detail);
  if (!present_) return;
  NOTIFYICONDATAA record = IconRecord(window, iconId_);
  record.uFlags = NIF_TIP;
  std::strncpy(record.szTip, tip_, sizeof record.szTip - 1);
  NotifyShell(NIM_MODIFY, &record);
}

void TrayIcon::Restore(HWND window) {
  if (present_) Add(window);
}

int TrayIcon::HandleNotify(HWND window, WPARAM, LPARAM lParam) {
  switch (lParam) {
    case WM_LBUTTONUP: ShowClock(window); return 1;
    case WM_RBUTTONUP:
      if (menuId_ == 0) {
        ShowClock(window);
      } else {
        ShowTrayMenu(window, menuId_);
      }
      return 1;
  }
  return 0;
}
