#pragma once

#include <windows.h>

#include "base/win/modal_dialog.h"
#include "plugins/chime/chime_schedule.h"

// Edits one alarm (template IDD_ALARM_EDIT): its time, the weekdays it rings on or
// the one date, its label and its sound. Make one on the stack, call Edit once.
class AlarmDialog : private ModalDialog {
 public:
  // `today` is the date a new once-alarm starts from.
  AlarmDialog(const Alarm& alarm, int64_t today)
      : ModalDialog(Binding::kUserSlot), alarm_(alarm), today_(today) {}

  // Shows the dialog modally over `owner`; true when it closed with OK, and
  // `alarm()` then holds what was set.
  bool Edit(HMODULE module, HWND owner);
  const Alarm& alarm() const { return alarm_; }

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnCommand(WORD id, WORD code);
  void EnableDays();
  void Close(int result);

  Alarm alarm_;
  int64_t today_;
};
