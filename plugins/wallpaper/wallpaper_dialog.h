#pragma once

#include <windows.h>

#include "base/win/modal_dialog.h"

struct WallpaperState;

// The plug-in's settings dialog (template 101 of the plug-in's own module),
// working on the plug-in's state. Make one on the stack, call Show once.
class WallpaperDialog : private ModalDialog {
 public:
  explicit WallpaperDialog(WallpaperState* state)
      : ModalDialog(Binding::kUserSlot), state_(state) {}

  // Shows the dialog modally over `owner`; returns when it has closed with OK or Esc.
  void Show(HMODULE module, HWND owner);

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnCommand(WORD id);

  WallpaperState* state_;
};
