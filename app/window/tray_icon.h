#pragma once

#include <windows.h>

// The clock's icon in the notification area while the clock is hidden there.
class TrayIcon {
 public:
  // Adds the icon (resource `iconResourceId`, tip "Kelvane Vesk"), or removes it
  // when it is present. `menuId` names a menu whose second popup the right button
  // shows; 0 means none.
  void Toggle(HWND window, int iconResourceId, int menuId, UINT callbackMessage);
  // Deletes the icon when it is present.
  void Remove(HWND window);
  bool present() const { return present_ != 0; }
  // "Kelvane Vesk" with `detail` (the date and time) on a second line, shown at
  // once when the icon is there and kept for when it comes.
  void SetTip(HWND window, const char* detail);
  // Reacts to the mouse message `lParam` over the icon. Returns 1 when a button
  // release showed the clock (or the menu), after which the caller removes the icon.
  int HandleNotify(HWND window, WPARAM wParam, LPARAM lParam);
  // Adds the icon again after the shell restarted, when it should be present:
  // otherwise a clock hidden in the notification area could not be brought back.
  void Restore(HWND window);

 private:
  void Add(HWND window);

  int present_ = 0;
  UINT iconId_ = 0;
  int menuId_ = 0;
  int iconResourceId_ = 0;
  UINT callbackMessage_ = 0;
  char tip_[64] = "Kelvane Vesk";
};
