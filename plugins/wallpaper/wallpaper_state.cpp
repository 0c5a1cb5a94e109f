#include "plugins/wallpaper/wallpaper_state.h"

#include <cstdio>

#include "base/win/find_handle.h"
#include "plugins/wallpaper/desktop.h"
#include "plugins/wallpaper/wallpaper_ids.h"
#include "plugins/wallpaper/wallpaper_rotation.h"
#include "plugins/wallpaper/wallpaper_settings.h"

namespace {

constexpr char kNoPicture[] = "無し";

// The dialog's file list; nothing happens while no dialog is open.
void ResetFileList(HWND dialog) {
  if (dialog != nullptr) SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_RESETCONTENT, 0, 0);
}

// Adds an entry tied to index `index` of `files` (the file count for "無し"), since
// the sorted list puts the entry at a position of its own.
void AddToFileList(HWND dialog, const char* text, unsigned index) {
  if (dialog == nullptr) return;
  const LRESULT entry =
      SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (entry < 0) return;
  SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_SETITEMDATA, static_cast<WPARAM>(entry), index);
}

}  // namespace

WallpaperState::WallpaperState() {
  LoadSettings();
  BuildFileList();
}

void WallpaperState::LoadSettings() {
  ReadString(kFolderPathValue, folder, sizeof folder);
  autoClose = static_cast<int>(ReadNumber(kAutoCloseValue));
  transparentText = static_cast<int>(ReadNumber(kTransparentTextValue));
  autoChange = static_cast<int>(ReadNumber(kAutoChangeValue));
  changeMinutes = static_cast<int>(ReadNumber(kChangeTimeValue));
  ReadString(kLastFileValue, currentFile, sizeof currentFile);
  lastIndex = ReadNumber(kLastNumValue);
}

// A folder of 259 characters leaves no room for "\*.bmp"; a cut pattern would list
// another folder, so then nothing is listed. Likewise a file whose full path does not
// fit a path buffer is left out: cut, the path would name another file.
void WallpaperState::BuildFileList() {
  char pattern[MAX_PATH];
  const int length = std::snprintf(pattern, sizeof pattern, "%s\\*.bmp", folder);
  ResetFileList(dialog);
  fileCount = 0;
  files.Clear();
  if (length >= 0 && length < MAX_PATH) {
    WIN32_FIND_DATAA found;
    const FindHandle find(pattern, &found);
    for (bool more = find.valid(); more; more = find.Next(&found)) {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      if (!PathFits(folder, found.cFileName) || !files.Add(folder, found.cFileName)) continue;
      char name[MAX_PATH];
      PictureName(found.cFileName, name, sizeof name);
      AddToFileList(dialog, name, fileCount);
      ++fileCount;
    }
  }
  AddToFileList(dialog, kNoPicture, fileCount);
}

void WallpaperState::AdvanceWallpaper() {
  if (!CountMinute(autoChange, changeMinutes, &minuteCount)) return;
  if (fileCount < 2) return;
  lastIndex = NextWallpaperIndex(lastIndex, fileCount);
  const char* path = files.At(lastIndex);
  if (path == nullptr) return;
  WriteNumber(kLastNumValue, lastIndex);
  WriteString(kLastFileValue, path);
  SetWallpaper(path);
}
