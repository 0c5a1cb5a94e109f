#pragma once

#include <windows.h>

#include <cstdint>

#include "plugins/chime/chime_schedule.h"

// The controls both settings dialogs share.

// A sound picked from a drop-down list (チャイム, アラーム音, WAV ファイル) with a
// file field and a browse button, which are enabled only for a file.
struct SoundChoice {
  int list;
  int file;
  int browse;

  void Init(HWND dialog, const Sound& sound) const;
  Sound Read(HWND dialog) const;
  // A command of one of the three controls; false for another control's.
  bool OnCommand(HWND dialog, WORD id, WORD code) const;
};

// A date and time picker showing the time of day as hh:mm, in minutes of the day.
void InitTimePicker(HWND dialog, int id, int minute);
int ReadTimePicker(HWND dialog, int id);
// A date picker, in day numbers.
void SetDatePicker(HWND dialog, int id, int64_t day);
int64_t ReadDatePicker(HWND dialog, int id);
