#pragma once

#include <windows.h>

#include "base/win/modal_dialog.h"
#include "plugins/chime/chime_schedule.h"

class SoundPlayer;

// The plug-in's settings dialog (template IDD_CHIME): the time signal (off, every
// hour, every half hour), its quiet hours and sound with "テスト再生", and the list
// of alarms with their enable ticks, to add, edit and delete. It works on a copy
// of the schedule's settings, so the alarms ring on as they were until OK. Make
// one on the stack, call Show once.
class ChimeDialog : private ModalDialog {
 public:
  ChimeDialog(const Schedule& schedule, SoundPlayer& player)
      : ModalDialog(Binding::kUserSlot), schedule_(schedule), player_(player) {}

  // Shows the dialog modally over `owner`; true when it closed with OK, and
  // `settings()` then holds what was set.
  bool Show(HMODULE module, HWND owner);
  const ChimeSettings& settings() const { return settings_; }

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnCommand(WORD id, WORD code);
  INT_PTR OnNotify(const NMHDR& header);

  void FillList(int selected);
  void EditAlarm(bool add);
  void DeleteAlarm();
  void ShowNextAlarm();
  void ReadChime();
  int SelectedAlarm() const;
  LocalSeconds Now() const;

  const Schedule& schedule_;
  SoundPlayer& player_;
  HMODULE module_ = nullptr;
  ChimeSettings settings_;
  // While the list is filled, its tick notifications say nothing new.
  bool filling_ = false;
};
