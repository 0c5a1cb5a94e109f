#include "plugins/chime/chime_controls.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

namespace {

constexpr const char* kSoundNames[] = {"チャイム", "アラーム音", "WAV ファイル"};
constexpr char kWavFilter[] = "WAV ファイル (*.wav)\0*.wav\0すべてのファイル (*.*)\0*.*\0";
constexpr char kTimeFormat[] = "HH':'mm";

void EnableFile(HWND dialog, const SoundChoice& choice, bool enable) {
  EnableWindow(GetDlgItem(dialog, choice.file), enable);
  EnableWindow(GetDlgItem(dialog, choice.browse), enable);
}

void BrowseForWav(HWND dialog, int fileId) {
  char path[kSoundPathSize] = {};
  GetDlgItemTextA(dialog, fileId, path, sizeof path);
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = dialog;
  open.lpstrFilter = kWavFilter;
  open.lpstrFile = path;
  open.nMaxFile = sizeof path;
  open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameA(&open)) SetDlgItemTextA(dialog, fileId, path);
}

SYSTEMTIME PickerTime(HWND dialog, int id) {
  SYSTEMTIME time{};
  SendDlgItemMessageA(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return time;
}

void SetPickerTime(HWND dialog, int id, const SYSTEMTIME& time) {
  SendDlgItemMessageA(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

}  // namespace

void SoundChoice::Init(HWND dialog, const Sound& sound) const {
  for (const char* name : kSoundNames) {
    SendDlgItemMessageA(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendDlgItemMessageA(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(sound.kind), 0);
  SendDlgItemMessageA(dialog, file, EM_LIMITTEXT, kSoundPathSize - 1, 0);
  SetDlgItemTextA(dialog, file, sound.file);
  EnableFile(dialog, *this, sound.kind == SoundKind::kFile);
}

Sound SoundChoice::Read(HWND dialog) const {
  Sound sound;
  sound.kind = static_cast<SoundKind>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
  GetDlgItemTextA(dialog, file, sound.file, sizeof sound.file);
  return sound;
}

bool SoundChoice::OnCommand(HWND dialog, WORD id, WORD code) const {
  if (id == list && code == CBN_SELCHANGE) {
    EnableFile(dialog, *this, Read(dialog).kind == SoundKind::kFile);
  } else if (id == browse) {
    BrowseForWav(dialog, file);
  }
  return id == list || id == file || id == browse;
}

void InitTimePicker(HWND dialog, int id, int minute) {
  SendDlgItemMessageA(dialog, id, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(kTimeFormat));
  SYSTEMTIME time = PickerTime(dialog, id);
  time.wHour = static_cast<WORD>(minute / 60);
  time.wMinute = static_cast<WORD>(minute % 60);
  time.wSecond = 0;
  time.wMilliseconds = 0;
  SetPickerTime(dialog, id, time);
}

int ReadTimePicker(HWND dialog, int id) {
  const SYSTEMTIME time = PickerTime(dialog, id);
  return time.wHour * 60 + time.wMinute;
}

void SetDatePicker(HWND dialog, int id, int64_t day) {
  const Date date = DateOf(day);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  time.wDayOfWeek = static_cast<WORD>(Weekday(day));
  SetPickerTime(dialog, id, time);
}

int64_t ReadDatePicker(HWND dialog, int id) {
  const SYSTEMTIME time = PickerTime(dialog, id);
  return DayNumber(time.wYear, time.wMonth, time.wDay);
}
