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
void SendToFileList(HWND dialog, UINT message, const char* text) {
  if (dialog == nullptr) return;
  SendDlgItemMessageA(dialog, IDC_FILE_LIST, message, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

WallpaperState::WallpaperState() {
  LoadSettings();
  BuildFileList();
}

void WallpaperState::LoadSettings() {
  ReadString(kFolderPathValue, folder, sizeof folder);
  autoClose = static_cast<int>(ReadNumber(kAutoCloseValue));
  transparentText = static_cast<int>(ReadNumber(kTranslateValue));
  autoChange = static_cast<int>(ReadNumber(kAutoChangeValue));
  changeMinutes = static_cast<int>(ReadNumber(kChangeTimeValue));
  ReadString(kLastFileValue, currentFile, sizeof currentFile);
  lastIndex = ReadNumber(kLastNumValue);
}

// A folder of 259 characters leaves no room for "\*.bmp"; a cut pattern would list
// another folder, so then nothing is listed.
void WallpaperState::BuildFileList() {
  char pattern[MAX_PATH];
  const int length = std::snprintf(pattern, sizeof pattern, "%s\\*.bmp", folder);
  SendToFileList(dialog, LB_RESETCONTENT, nullptr);
  fileCount = 0;
  files.Clear();
  if (length >= 0 && length < MAX_PATH) {
    WIN32_FIND_DATAA found;
    const FindHandle find(pattern, &found);
    for (bool more = find.valid(); more; more = find.Next(&found)) {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      if (!files.Add(folder, found.cFileName)) break;
      ++fileCount;
      char name[MAX_PATH];
      PictureName(found.cFileName, name, sizeof name);
      SendToFileList(dialog, LB_ADDSTRING, name);
    }
  }
  SendToFileList(dialog, LB_ADDSTRING, kNoPicture);
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
