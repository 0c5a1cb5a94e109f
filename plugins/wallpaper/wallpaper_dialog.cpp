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
constexpr const char* kStyleNames[kStyleCount] = {"中央に表示", "並べて表示", "拡大",
                                                  "ページ全体に表示", "ページ幅に合わせる"};
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
  preview_.Draw(dialogWindow(), state_->style);
  return FALSE;
}

INT_PTR WallpaperDialog::OnCommand(WORD id, WORD code) {
  switch (id) {
    case IDOK:
    case IDCANCEL: CloseDialog(id); return TRUE;
    case IDC_FILE_LIST: return OnFileList(code);
    case IDC_CHOOSE_FOLDER: ChooseFolder(); return TRUE;
    case IDC_AUTO_CHANGE: return OnAutoChange();
    case IDC_INTERVAL: return OnInterval(code);
    case IDC_STYLE_LIST: return code == CBN_SELCHANGE ? OnStyle() : FALSE;
    case IDC_INCLUDE_SUBFOLDERS: return OnIncludeSubfolders();
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

// Only a new number restarts the minute count. An empty field or 0 stays while the
// user types (correcting it at once would put the 1 before the caret) and becomes 1
// when the field is left.
INT_PTR WallpaperDialog::OnInterval(WORD code) {
  if (code == EN_KILLFOCUS) {
    CorrectInterval();
    return TRUE;
  }
  if (code != EN_CHANGE) return FALSE;
  const int minutes = static_cast<int>(GetDlgItemInt(dialogWindow(), IDC_INTERVAL, nullptr, FALSE));
  if (minutes < 1 || minutes == state_->changeMinutes) return TRUE;
  state_->changeMinutes = minutes;
  state_->minuteCount = 0;
  return TRUE;
}

// Puts 1 into a field left empty or at 0; its change notification then takes it.
void WallpaperDialog::CorrectInterval() {
  if (GetDlgItemInt(dialogWindow(), IDC_INTERVAL, nullptr, FALSE) < 1) {
    SetDlgItemInt(dialogWindow(), IDC_INTERVAL, 1, FALSE);
  }
}

// The list shows at once what the folder holds with or without its subfolders.
INT_PTR WallpaperDialog::OnIncludeSubfolders() {
  state_->includeSubfolders = IsChecked(IDC_INCLUDE_SUBFOLDERS);
  state_->BuildFileList();
  return TRUE;
}

INT_PTR WallpaperDialog::OnStyle() {
  state_->style = static_cast<int>(SendItem(dialogWindow(), IDC_STYLE_LIST, CB_GETCURSEL));
  preview_.Draw(dialogWindow(), state_->style);
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
  // A stored interval below 1 shows, and becomes, 1.
  SetDlgItemInt(dialog, IDC_INTERVAL, static_cast<UINT>(state_->changeMinutes), FALSE);
  CorrectInterval();

  CheckDlgButton(dialog, IDC_INCLUDE_SUBFOLDERS,
                 state_->includeSubfolders ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_SHUFFLE, state_->shuffle ? BST_CHECKED : BST_UNCHECKED);

  // A value Windows does not write shows as centred and stays until a style is picked.
  const int desktopStyle = StyleOfDesktop(ReadDesktopStyle());
  state_->style = desktopStyle >= 0 ? desktopStyle : kStyleCentred;
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
  preview_.Load(dialog, state_->currentFile);
}

// Each entry carries the index of its file, so the file shown is the file set, however
// the sorted list orders the names and wherever "無し" stands among them.
void WallpaperDialog::ApplySelection(Selection mode) {
  HWND dialog = dialogWindow();
  const LRESULT entry = SendItem(dialog, IDC_FILE_LIST, LB_GETCURSEL);
  if (entry == LB_ERR) return;
  const auto index = static_cast<unsigned>(SendItem(dialog, IDC_FILE_LIST, LB_GETITEMDATA, entry));
  char path[MAX_PATH] = {};
  const bool file = state_->files.FullPath(index, path);
  preview_.Load(dialog, path);
  preview_.Draw(dialog, state_->style);
  std::strncpy(state_->currentFile, path, sizeof state_->currentFile - 1);
  if (mode == Selection::kPreview) return;

  if (state_->style != state_->appliedStyle) {
    state_->appliedStyle = state_->style;
    const DesktopStyle desktop = DesktopStyleFor(state_->style);
    WriteDesktopStyle(desktop.tile, desktop.wallpaperStyle);
  }
  WriteNumber(kLastNumValue, file ? index : state_->fileCount);
  WriteString(kLastFileValue, path);
  SetPictureAsWallpaper(path);
  if (IsChecked(IDC_AUTO_CLOSE)) CloseDialog(IDOK);
}

// After a change of style the wallpaper last set is set again, as "LAST_FILE" holds it
// now (a photograph stored turned through its upright copy): the automatic change may
// have set one while the dialog was open, and a picture that was only previewed must
// not become the wallpaper. Without one the plug-in set, the desktop keeps the user's
// own wallpaper; only the style is written.
void WallpaperDialog::CloseDialog(int result) {
  HWND dialog = dialogWindow();
  state_->autoClose = IsChecked(IDC_AUTO_CLOSE);
  WriteNumber(kAutoCloseValue, static_cast<DWORD>(state_->autoClose));
  state_->autoChange = IsChecked(IDC_AUTO_CHANGE);
  WriteNumber(kAutoChangeValue, static_cast<DWORD>(state_->autoChange));
  state_->includeSubfolders = IsChecked(IDC_INCLUDE_SUBFOLDERS);
  WriteNumber(kIncludeSubfoldersValue, static_cast<DWORD>(state_->includeSubfolders));
  state_->shuffle = IsChecked(IDC_SHUFFLE);
  WriteNumber(kShuffleValue, static_cast<DWORD>(state_->shuffle));
  state_->transparentText = IsChecked(IDC_TRANSPARENT_TEXT);
  WriteNumber(kTransparentTextValue, static_cast<DWORD>(state_->transparentText));
  if (state_->transparentText) MakeIconTextTransparent();
  if (state_->style != state_->appliedStyle) {
    const DesktopStyle desktop = DesktopStyleFor(state_->style);
    WriteDesktopStyle(desktop.tile, desktop.wallpaperStyle);
    char lastFile[sizeof state_->currentFile];
    ReadString(kLastFileValue, lastFile, sizeof lastFile);
    if (lastFile[0] != '\0') {
      WriteString(kLastFileValue, lastFile);
      SetPictureAsWallpaper(lastFile);
    }
  }
  CorrectInterval();
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
  EnableWindow(GetDlgItem(dialogWindow(), IDC_INTERVAL), enable ? TRUE : FALSE);
  SendItem(dialogWindow(), IDC_INTERVAL, EM_SETREADONLY, enable ? FALSE : TRUE);
}

bool WallpaperDialog::IsChecked(int id) const {
  return IsDlgButtonChecked(dialogWindow(), id) == BST_CHECKED;
}
