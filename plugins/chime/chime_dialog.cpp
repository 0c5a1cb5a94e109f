#include "plugins/chime/chime_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "plugins/chime/alarm_dialog.h"
#include "plugins/chime/chime_controls.h"
#include "plugins/chime/chime_ids.h"
#include "plugins/chime/sound_player.h"

namespace {

constexpr const char* kModeNames[] = {"鳴らさない", "毎正時", "毎正時と30分"};
constexpr SoundChoice kChimeSound{IDC_CHIME_SOUND, IDC_CHIME_FILE, IDC_CHIME_BROWSE};
// The list's columns and their widths in dialog units.
constexpr struct {
  const char* title;
  int width;
} kColumns[] = {{"時刻", 42}, {"曜日・日付", 54}, {"ラベル", 68}};

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

int DialogUnitsToPixels(HWND dialog, int units) {
  RECT rect{0, 0, units, 0};
  MapDialogRect(dialog, &rect);
  return rect.right;
}

}  // namespace

// The date pickers and the list view exist only once their classes are registered.
bool ChimeDialog::Show(HMODULE module, HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  module_ = module;
  settings_ = schedule_.settings();
  return RunModal(module, IDD_CHIME, owner) == IDOK;
}

INT_PTR ChimeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
  }
  return FALSE;
}

INT_PTR ChimeDialog::OnInitDialog() {
  HWND dialog = dialogWindow();
  for (const char* name : kModeNames) {
    SendItem(dialog, IDC_CHIME_MODE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendItem(dialog, IDC_CHIME_MODE, CB_SETCURSEL, static_cast<WPARAM>(settings_.mode));
  CheckDlgButton(dialog, IDC_QUIET, settings_.quiet ? BST_CHECKED : BST_UNCHECKED);
  InitTimePicker(dialog, IDC_QUIET_FROM, settings_.quietFrom);
  InitTimePicker(dialog, IDC_QUIET_TO, settings_.quietTo);
  kChimeSound.Init(dialog, settings_.chimeSound);

  HWND list = GetDlgItem(dialog, IDC_ALARM_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  for (int i = 0; i < static_cast<int>(sizeof kColumns / sizeof kColumns[0]); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(kColumns[i].title);
    column.cx = DialogUnitsToPixels(dialog, kColumns[i].width);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
  FillList(0);
  return TRUE;
}

INT_PTR ChimeDialog::OnCommand(WORD id, WORD code) {
  switch (id) {
    case IDOK:
      ReadChime();
      EndDialog(dialogWindow(), IDOK);
      return TRUE;
    case IDCANCEL: EndDialog(dialogWindow(), IDCANCEL); return TRUE;
    case IDC_CHIME_TEST: player_.Play(kChimeSound.Read(dialogWindow()), false); return TRUE;
    case IDC_ADD_ALARM: EditAlarm(true); return TRUE;
    case IDC_EDIT_ALARM: EditAlarm(false); return TRUE;
    case IDC_DELETE_ALARM: DeleteAlarm(); return TRUE;
  }
  return kChimeSound.OnCommand(dialogWindow(), id, code) ? TRUE : FALSE;
}

// A tick of the list switches its alarm on or off; a double click edits it.
INT_PTR ChimeDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_ALARM_LIST) return FALSE;
  if (header.code == NM_DBLCLK) {
    EditAlarm(false);
    return TRUE;
  }
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if (header.code != LVN_ITEMCHANGED || filling_ || (change.uChanged & LVIF_STATE) == 0)
    return FALSE;
  if (change.iItem < 0 || change.iItem >= static_cast<int>(settings_.alarms.size())) return FALSE;
  const UINT state = static_cast<UINT>(SendItem(dialogWindow(), IDC_ALARM_LIST, LVM_GETITEMSTATE,
                                                change.iItem, LVIS_STATEIMAGEMASK));
  settings_.alarms[change.iItem].enabled = state == INDEXTOSTATEIMAGEMASK(2);
  ShowNextAlarm();
  return TRUE;
}

void ChimeDialog::FillList(int selected) {
  HWND dialog = dialogWindow();
  filling_ = true;
  SendItem(dialog, IDC_ALARM_LIST, LVM_DELETEALLITEMS);
  for (int i = 0; i < static_cast<int>(settings_.alarms.size()); ++i) {
    const Alarm& alarm = settings_.alarms[i];
    char time[8];
    FormatTimeOfDay(alarm.minute, time, sizeof time);
    char days[32];
    DescribeDays(alarm, days, sizeof days);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = time;
    SendItem(dialog, IDC_ALARM_LIST, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const char* texts[] = {days, alarm.label};
    for (int column = 1; column <= 2; ++column) {
      item.iSubItem = column;
      item.pszText = const_cast<char*>(texts[column - 1]);
      SendItem(dialog, IDC_ALARM_LIST, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(alarm.enabled ? 2 : 1);
    SendItem(dialog, IDC_ALARM_LIST, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
  }
  if (selected >= 0 && selected < static_cast<int>(settings_.alarms.size())) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendItem(dialog, IDC_ALARM_LIST, LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&item));
  }
  filling_ = false;
  EnableWindow(GetDlgItem(dialog, IDC_ADD_ALARM), settings_.alarms.size() < kMaxAlarms);
  ShowNextAlarm();
}

// A new alarm starts at the next full hour, every day, with our alarm sound.
void ChimeDialog::EditAlarm(bool add) {
  const int selected = SelectedAlarm();
  if (!add && selected < 0) return;
  if (add && settings_.alarms.size() >= kMaxAlarms) return;
  Alarm fresh;
  const int hour = static_cast<int>(Now() / 3600 % 24);
  fresh.minute = (hour + 1) % 24 * 60;
  AlarmDialog dialog(add ? fresh : settings_.alarms[selected], DayOf(Now()));
  if (!dialog.Edit(module_, dialogWindow())) return;
  if (add) {
    settings_.alarms.push_back(dialog.alarm());
  } else {
    settings_.alarms[selected] = dialog.alarm();
  }
  FillList(add ? static_cast<int>(settings_.alarms.size()) - 1 : selected);
}

void ChimeDialog::DeleteAlarm() {
  const int selected = SelectedAlarm();
  if (selected < 0) return;
  settings_.alarms.erase(settings_.alarms.begin() + selected);
  FillList(selected < static_cast<int>(settings_.alarms.size()) ? selected : selected - 1);
}

void ChimeDialog::ShowNextAlarm() {
  char text[128] = "次のアラーム: なし";
  const LocalSeconds now = Now();
  if (const Alarm* next = NextAlarm(settings_, now)) {
    const LocalSeconds at = NextRing(*next, now);
    const Date date = DateOf(DayOf(at));
    char time[8];
    FormatTimeOfDay(next->minute, time, sizeof time);
    std::snprintf(text, sizeof text, "次のアラーム: %d月%d日(%s) %s %s", date.month, date.day,
                  WeekdayName(Weekday(DayOf(at))), time, next->label);
  }
  SetDlgItemTextA(dialogWindow(), IDC_NEXT_ALARM, text);
}

void ChimeDialog::ReadChime() {
  HWND dialog = dialogWindow();
  settings_.mode = static_cast<ChimeMode>(SendItem(dialog, IDC_CHIME_MODE, CB_GETCURSEL));
  settings_.quiet = IsDlgButtonChecked(dialog, IDC_QUIET) == BST_CHECKED;
  settings_.quietFrom = ReadTimePicker(dialog, IDC_QUIET_FROM);
  settings_.quietTo = ReadTimePicker(dialog, IDC_QUIET_TO);
  settings_.chimeSound = kChimeSound.Read(dialog);
}

int ChimeDialog::SelectedAlarm() const {
  return static_cast<int>(SendItem(dialogWindow(), IDC_ALARM_LIST, LVM_GETNEXTITEM,
                                   static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// The schedule's time, which the tests choose; the system's before the first second.
LocalSeconds ChimeDialog::Now() const {
  if (schedule_.now() != kNever) return schedule_.now();
  SYSTEMTIME now;
  GetLocalTime(&now);
  return ToLocalSeconds(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}
