#pragma once

#include <windows.h>

#include <functional>

#include "base/win/gdi_handles.h"
#include "base/win/modal_dialog.h"
#include "plugins/chime/chime_schedule.h"

// The small always-on-top window of one alarm (template IDD_ALARM_RING), beside
// the clock: the time in large digits and the label, with "止める" and "5分後に再通知";
// for a missed alarm the date and time, and "閉じる" alone. It is modeless, so the
// clock ticks on. A button (or closing it) hands the window to `onClose`, with
// whether to snooze, which destroys it.
class AlarmWindow : private ModalDialog {
 public:
  using CloseHandler = std::function<void(AlarmWindow& window, bool snooze)>;

  AlarmWindow(const Ringing& ringing, CloseHandler onClose)
      : ModalDialog(Binding::kUserSlot), ringing_(ringing), onClose_(std::move(onClose)) {}
  ~AlarmWindow() override;

  // Makes the window from `module`'s template and shows it, without taking the
  // focus, as the `stacked`th window next to the clock; false when it could not be made.
  bool Show(HMODULE module, int stacked);

  const Ringing& ringing() const { return ringing_; }
  HWND window() const { return dialogWindow(); }

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnCommand(WORD id);
  void PlaceNearClock(int stacked);

  Ringing ringing_;
  CloseHandler onClose_;
  GdiObject<HFONT> timeFont_;
};
