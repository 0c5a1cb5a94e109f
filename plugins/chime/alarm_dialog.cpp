#include "plugins/chime/alarm_dialog.h"

#include "plugins/chime/chime_controls.h"
#include "plugins/chime/chime_ids.h"

namespace {

constexpr SoundChoice kSound{IDC_ALARM_SOUND, IDC_ALARM_FILE, IDC_ALARM_BROWSE};

}  // namespace

bool AlarmDialog::Edit(HMODULE module, HWND owner) {
  return RunModal(module, IDD_ALARM_EDIT, owner) == IDOK;
}

INT_PTR AlarmDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
  }
  return FALSE;
}

INT_PTR AlarmDialog::OnInitDialog() {
  HWND dialog = dialogWindow();
  InitTimePicker(dialog, IDC_ALARM_TIME, alarm_.minute);
  CheckRadioButton(dialog, IDC_WEEKLY, IDC_ONCE, alarm_.days != 0 ? IDC_WEEKLY : IDC_ONCE);
  // The kind not in use shows every day ticked, or today, ready for a switch.
  const unsigned days = alarm_.days != 0 ? alarm_.days : kEveryDay;
  for (int day = 0; day < 7; ++day) {
    CheckDlgButton(dialog, IDC_FIRST_DAY + day,
                   (days >> day & 1) != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  SetDatePicker(dialog, IDC_ALARM_DATE, alarm_.days == 0 ? alarm_.date : today_);
  SendDlgItemMessageA(dialog, IDC_ALARM_LABEL, EM_LIMITTEXT, kLabelSize - 1, 0);
  SetDlgItemTextA(dialog, IDC_ALARM_LABEL, alarm_.label);
  kSound.Init(dialog, alarm_.sound);
  EnableDays();
  return TRUE;
}

INT_PTR AlarmDialog::OnCommand(WORD id, WORD code) {
  switch (id) {
    case IDOK:
    case IDCANCEL: Close(id); return TRUE;
    case IDC_WEEKLY:
    case IDC_ONCE: EnableDays(); return TRUE;
  }
  return kSound.OnCommand(dialogWindow(), id, code) ? TRUE : FALSE;
}

void AlarmDialog::EnableDays() {
  HWND dialog = dialogWindow();
  const bool weekly = IsDlgButtonChecked(dialog, IDC_WEEKLY) == BST_CHECKED;
  for (int day = 0; day < 7; ++day) EnableWindow(GetDlgItem(dialog, IDC_FIRST_DAY + day), weekly);
  EnableWindow(GetDlgItem(dialog, IDC_ALARM_DATE), !weekly);
}

// Weekly with no day ticked rings on none: that is taken as once, on the date.
void AlarmDialog::Close(int result) {
  HWND dialog = dialogWindow();
  if (result == IDOK) {
    alarm_.minute = ReadTimePicker(dialog, IDC_ALARM_TIME);
    alarm_.days = 0;
    if (IsDlgButtonChecked(dialog, IDC_WEEKLY) == BST_CHECKED) {
      for (int day = 0; day < 7; ++day) {
        if (IsDlgButtonChecked(dialog, IDC_FIRST_DAY + day) == BST_CHECKED)
          alarm_.days |= 1u << day;
      }
    }
    if (alarm_.days == 0) alarm_.date = ReadDatePicker(dialog, IDC_ALARM_DATE);
    GetDlgItemTextA(dialog, IDC_ALARM_LABEL, alarm_.label, sizeof alarm_.label);
    alarm_.sound = kSound.Read(dialog);
  }
  EndDialog(dialog, result);
}
