#include "modules/clock/analog_dialog.h"

#include "modules/clock/analog_ids.h"
#include "modules/clock/hand_schemes.h"

bool AnalogDialog::Show(HMODULE module, HWND owner) {
  return RunModal(module, IDD_ANALOG, owner) == IDOK;
}

INT_PTR AnalogDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
  }
  return FALSE;
}

INT_PTR AnalogDialog::OnInitDialog() {
  HWND dialog = dialogWindow();
  CheckRadioButton(dialog, IDC_SECOND_OFF, IDC_SECOND_SWEEP,
                   IDC_SECOND_OFF + static_cast<int>(settings_.secondHand));
  for (const HandScheme& scheme : kHandSchemes) {
    SendDlgItemMessageA(dialog, IDC_SCHEME, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(scheme.name));
  }
  SendDlgItemMessageA(dialog, IDC_SCHEME, CB_SETCURSEL, static_cast<WPARAM>(settings_.scheme), 0);
  CheckDlgButton(dialog, IDC_SHADOW, settings_.shadow ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

INT_PTR AnalogDialog::OnCommand(WORD id) {
  if (id != IDOK && id != IDCANCEL) return FALSE;
  if (id == IDOK) ReadControls();
  EndDialog(dialogWindow(), id);
  return TRUE;
}

void AnalogDialog::ReadControls() {
  HWND dialog = dialogWindow();
  for (int mode = 0; mode < 3; ++mode) {
    if (IsDlgButtonChecked(dialog, IDC_SECOND_OFF + mode) == BST_CHECKED) {
      settings_.secondHand = static_cast<SecondHand>(mode);
    }
  }
  const LRESULT scheme = SendDlgItemMessageA(dialog, IDC_SCHEME, CB_GETCURSEL, 0, 0);
  if (scheme >= 0 && scheme < kHandSchemeCount) settings_.scheme = static_cast<int>(scheme);
  settings_.shadow = IsDlgButtonChecked(dialog, IDC_SHADOW) == BST_CHECKED;
}
