#include "plugins/wallpaper/wallpaper_dialog.h"

#include <cstring>

#include "plugins/wallpaper/desktop.h"
#include "plugins/wallpaper/folder_browser.h"
#include "plugins/wallpaper/wallpaper_ids.h"
#include "plugins/wallpaper/wallpaper_preview.h"
#include "plugins/wallpaper/wallpaper_settings.h"
#include "plugins/wallpaper/wallpaper_state.h"

namespace {

constexpr char kBrowseTitle[] = "壁紙データフォルダの選択...";
constexpr const char* kStyleNames[] = {"中央に表示", "並べて表示", "拡大"};
constexpr int kIntervalDigits = 3;

// Paints between BeginPaint and EndPaint for the length of one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

 private:
  HWND window_;
  PAINTSTRUCT paint_;
};

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

// The file list's entry tied to index `index` of the state's files; the entry "無し"
// is tied to the file count. -1 when no entry is.
int FileListEntry(HWND dialog, unsigned index) {
  const int count = static_cast<int>(SendItem(dialog, IDC_FILE_LIST, LB_GETCOUNT));
  for (int entry = 0; entry < count; ++entry) {
    if (static_cast<unsigned>(SendItem(dialog, IDC_FILE_LIST, LB_GETITEMDATA, entry)) == index) {
      return entry;
    }
  }
  return -1;
}

}  // namespace

// The handle is forgotten once the dialog is gone, so that no later list update
// can reach a window that reuses it.
void WallpaperDialog::Show(HMODULE module, HWND owner) {
  RunModal(module, IDD_WALLPAPER, owner);
  state_->dialog = nullptr;
}

INT_PTR WallpaperDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_PAINT: return OnPaint();
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
  }
  return FALSE;
}

INT_PTR WallpaperDialog::OnInitDialog() {
  state_->dialog = dialogWindow();
  InitDialog();
  return TRUE;
}

INT_PTR WallpaperDialog::OnPaint() {
  const PaintScope paint(dialogWindow());
  DrawPreview(dialogWindow(), state_->currentFile, state_->style);
  return FALSE;
}

INT_PTR WallpaperDialog::OnCommand(WORD id, WORD code) {
  switch (id) {
    case IDOK:
    case IDCANCEL: CloseDialog(id); return TRUE;
    case IDC_FILE_LIST: return OnFileList(code);
    case IDC_CHOOSE_FOLDER: ChooseFolder(); return TRUE;
    case IDC_AUTO_CHANGE: return OnAutoChange();
    case IDC_INTERVAL: return code != 0 ? OnInterval() : FALSE;
    case IDC_STYLE_LIST: return code == CBN_SELCHANGE ? OnStyle() : FALSE;
  }
  return FALSE;
}

INT_PTR WallpaperDialog::OnFileList(WORD code) {
  switch (code) {
    case LBN_SELCHANGE: ApplySelection(Selection::kPreview); return TRUE;
    case LBN_DBLCLK: ApplySelection(Selection::kApply); return TRUE;
  }
  return FALSE;
}

INT_PTR WallpaperDialog::OnAutoChange() {
  EnableInterval(IsChecked(IDC_AUTO_CHANGE));
  state_->minuteCount = 0;
  return TRUE;
}

// Setting the field to 1 reports a change again, which then finds 1 and stops.
INT_PTR WallpaperDialog::OnInterval() {
  state_->changeMinutes =
      static_cast<int>(GetDlgItemInt(dialogWindow(), IDC_INTERVAL, nullptr, FALSE));
  if (state_->changeMinutes < 1) {
    state_->changeMinutes = 1;
    SetDlgItemInt(dialogWindow(), IDC_INTERVAL, 1, FALSE);
  }
  state_->minuteCount = 0;
  return TRUE;
}

INT_PTR WallpaperDialog::OnStyle() {
  state_->style = static_cast<int>(SendItem(dialogWindow(), IDC_STYLE_LIST, CB_GETCURSEL));
  DrawPreview(dialogWindow(), state_->currentFile, state_->style);
  return TRUE;
}

void WallpaperDialog::InitDialog() {
  HWND dialog = dialogWindow();
  state_->LoadSettings();
  state_->minuteCount = 0;
  CheckDlgButton(dialog, IDC_AUTO_CLOSE, state_->autoClose ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_TRANSPARENT_TEXT,
                 state_->transparentText ? BST_CHECKED : BST_UNCHECKED);
  if (state_->autoChange) {
    CheckDlgButton(dialog, IDC_AUTO_CHANGE, BST_CHECKED);
  } else {
    EnableInterval(false);
  }
  SendItem(dialog, IDC_INTERVAL, EM_LIMITTEXT, kIntervalDigits);
  SetDlgItemInt(dialog, IDC_INTERVAL, static_cast<UINT>(state_->changeMinutes), FALSE);

  const DesktopStyle desktop = ReadDesktopStyle();
  state_->style = desktop.tile == 1 ? 1 : desktop.wallpaperStyle;
  state_->appliedStyle = state_->style;
  for (const char* name : kStyleNames) {
    SendItem(dialog, IDC_STYLE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendItem(dialog, IDC_STYLE_LIST, CB_SETCURSEL, static_cast<WPARAM>(state_->style));

  state_->BuildFileList();
  // An index equal to the file count stands for "無し" and stays.
  if (state_->fileCount < state_->lastIndex) state_->lastIndex = 0;
  // Selecting sends no notification: the preview keeps showing currentFile.
  SendItem(dialog, IDC_FILE_LIST, LB_SETCURSEL,
           static_cast<WPARAM>(FileListEntry(dialog, state_->lastIndex)));
}

// Each entry carries the index of its file, so the file shown is the file set, however
// the sorted list orders the names and wherever "無し" stands among them.
void WallpaperDialog::ApplySelection(Selection mode) {
  HWND dialog = dialogWindow();
  const LRESULT entry = SendItem(dialog, IDC_FILE_LIST, LB_GETCURSEL);
  if (entry == LB_ERR) return;
  const auto index = static_cast<unsigned>(SendItem(dialog, IDC_FILE_LIST, LB_GETITEMDATA, entry));
  const char* file = index < state_->fileCount ? state_->files.At(index) : nullptr;
  const char* path = file != nullptr ? file : "";
  DrawPreview(dialog, path, state_->style);
  std::strncpy(state_->currentFile, path, sizeof state_->currentFile - 1);
  if (mode == Selection::kPreview) return;

  if (state_->style != state_->appliedStyle) {
    state_->appliedStyle = state_->style;
    const DesktopStyle desktop = DesktopStyleFor(state_->style);
    WriteDesktopStyle(desktop.tile, desktop.wallpaperStyle);
  }
  WriteNumber(kLastNumValue, file != nullptr ? index : state_->fileCount);
  WriteString(kLastFileValue, path);
  SetWallpaper(path);
  if (IsChecked(IDC_AUTO_CLOSE)) CloseDialog(IDOK);
}

// After a change of style the wallpaper last set is set again, as "LAST_FILE" holds it
// now: the automatic change may have set one while the dialog was open, and a picture
// that was only previewed must not become the wallpaper.
void WallpaperDialog::CloseDialog(int result) {
  HWND dialog = dialogWindow();
  state_->autoClose = IsChecked(IDC_AUTO_CLOSE);
  WriteNumber(kAutoCloseValue, static_cast<DWORD>(state_->autoClose));
  state_->autoChange = IsChecked(IDC_AUTO_CHANGE);
  WriteNumber(kAutoChangeValue, static_cast<DWORD>(state_->autoChange));
  state_->transparentText = IsChecked(IDC_TRANSPARENT_TEXT);
  WriteNumber(kTranslateValue, static_cast<DWORD>(state_->transparentText));
  if (state_->transparentText) MakeIconTextTransparent();
  if (state_->style != state_->appliedStyle) {
    const DesktopStyle desktop = DesktopStyleFor(state_->style);
    WriteDesktopStyle(desktop.tile, desktop.wallpaperStyle);
    char lastFile[sizeof state_->currentFile];
    ReadString(kLastFileValue, lastFile, sizeof lastFile);
    WriteString(kLastFileValue, lastFile);
    SetWallpaper(lastFile);
  }
  state_->changeMinutes = static_cast<int>(GetDlgItemInt(dialog, IDC_INTERVAL, nullptr, FALSE));
  WriteNumber(kChangeTimeValue, static_cast<DWORD>(state_->changeMinutes));
  state_->minuteCount = 0;
  EndDialog(dialog, result);
}

void WallpaperDialog::ChooseFolder() {
  if (!BrowseForFolder(dialogWindow(), kBrowseTitle, state_->folder)) return;
  WriteString(kFolderPathValue, state_->folder);
  state_->BuildFileList();
}

void WallpaperDialog::EnableInterval(bool enable) {
  SendItem(dialogWindow(), IDC_INTERVAL, WM_ENABLE, enable ? TRUE : FALSE);
  SendItem(dialogWindow(), IDC_INTERVAL, EM_SETREADONLY, enable ? FALSE : TRUE);
}

bool WallpaperDialog::IsChecked(int id) const {
  return IsDlgButtonChecked(dialogWindow(), id) == BST_CHECKED;
}
