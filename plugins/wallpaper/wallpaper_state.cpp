#include "plugins/wallpaper/wallpaper_state.h"

#include <cstring>
#include <new>

#include "base/win/folder_listing.h"
#include "plugins/wallpaper/desktop.h"
#include "plugins/wallpaper/wallpaper_ids.h"
#include "plugins/wallpaper/wallpaper_settings.h"

namespace {

constexpr char kNoPicture[] = "無し";

// Fills the dialog's file list with every entry, each tied to its file by its item
// data, not by its text. The list is not sorted by the control: adding 20,000 names
// in order costs a fifth of what sorted inserts do.
void FillFileList(HWND dialog, const WallpaperFileList& files) {
  HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  try {
    const std::vector<FileEntry> entries = SortedEntries(files, kNoPicture);
    SendMessageA(list, LB_INITSTORAGE, entries.size(), entries.size() * 16);
    for (const FileEntry& entry : entries) {
      char text[WallpaperFileList::kPathBytes];
      std::memcpy(text, entry.text, entry.length);
      text[entry.length] = '\0';
      const LRESULT added = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      if (added >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(added), entry.index);
    }
  } catch (const std::bad_alloc&) {
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
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
  includeSubfolders = static_cast<int>(ReadNumber(kIncludeSubfoldersValue));
  shuffle = static_cast<int>(ReadNumber(kShuffleValue));
  shuffleState = {ReadNumber(kShuffleSeedValue), ReadNumber(kShufflePositionValue)};
  ReadString(kLastFileValue, currentFile, sizeof currentFile);
  lastIndex = ReadNumber(kLastNumValue);
}

// An empty folder lists nothing: its search would list the root of the current drive.
void WallpaperState::BuildFileList() {
  files.Reset(folder);
  if (folder[0] != '\0') {
    const size_t skip = std::strlen(folder) + 1;
    ListFiles(folder, {"bmp", "jpg", "jpeg", "png", "gif"},
              {includeSubfolders ? kSubfolderDepth : 0, kMaxFiles},
              [&](const ListedFile& file) { files.Add(file.path + skip); });
  }
  fileCount = files.size();
  if (dialog != nullptr) FillFileList(dialog, files);
}

void WallpaperState::AdvanceWallpaper() {
  if (!CountMinute(autoChange, changeMinutes, &minuteCount)) return;
  if (fileCount < 2) return;
  if (shuffle) {
    lastIndex = NextShuffledIndex(&shuffleState, fileCount, lastIndex, GetTickCount());
    WriteNumber(kShuffleSeedValue, shuffleState.seed);
    WriteNumber(kShufflePositionValue, shuffleState.position);
  } else {
    lastIndex = NextWallpaperIndex(lastIndex, fileCount);
  }
  char path[MAX_PATH];
  if (!files.FullPath(lastIndex, path)) return;
  WriteNumber(kLastNumValue, lastIndex);
  WriteString(kLastFileValue, path);
  SetPictureAsWallpaper(path);
}
