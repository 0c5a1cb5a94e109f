#pragma once

#include <windows.h>

#include "base/win/modal_dialog.h"
#include "modules/clock/analog_settings.h"

// The settings dialog (template IDD_ANALOG of the module): second hand, hand
// colours and shadow. Make one on the stack with the current settings and call
// Show once.
class AnalogDialog : private ModalDialog {
 public:
  explicit AnalogDialog(const AnalogSettings& settings)
      : ModalDialog(Binding::kUserSlot), settings_(settings) {}

  // Shows the dialog modally over `owner`. True when it closed with OK; settings()
  // then holds what the controls showed.
  bool Show(HMODULE module, HWND owner);
  const AnalogSettings& settings() const { return settings_; }

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnCommand(WORD id);
  void ReadControls();

  AnalogSettings settings_;
};
