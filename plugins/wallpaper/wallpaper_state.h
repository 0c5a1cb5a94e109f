#pragma once

#include <windows.h>

#include "plugins/wallpaper/wallpaper_files.h"
#include "plugins/wallpaper/wallpaper_rotation.h"

// Everything the wallpaper plug-in knows, one instance per loaded DLL. Building it
// reads the settings and lists the folder, so the file list is ready before the
// first minute notification.
struct WallpaperState {
  // How deep and how many files the folder is listed with subfolders included.
  static constexpr int kSubfolderDepth = 10;
  static constexpr size_t kMaxFiles = 100000;

  WallpaperState();
  WallpaperState(const WallpaperState&) = delete;
  WallpaperState& operator=(const WallpaperState&) = delete;

  // Reads every setting from the registry; values that cannot be read give 0 or "".
  void LoadSettings();
  // Lists the BMP, JPEG, PNG and GIF files of `folder` (and of its subfolders
  // when asked) into `files` and, while the dialog is open, into its file list,
  // sorted by text, which always holds the entry "無し" (none). Each entry's item
  // data is the index of its file in `files`; that of "無し" is `fileCount`.
  void BuildFileList();
  // One minute notification: every `changeMinutes` minutes, with the automatic
  // change on and at least two files, sets the next file in listing order (or in
  // random order) as the wallpaper and stores it as the last one set.
  void AdvanceWallpaper();

  // The settings dialog while it is open, otherwise null.
  HWND dialog = nullptr;
  char folder[MAX_PATH] = {};
  unsigned fileCount = 0;
  int autoClose = 0;
  // The display style chosen in the dialog and the one the desktop is known to have.
  int style = 0;
  int appliedStyle = 0;
  int transparentText = 0;
  int autoChange = 0;
  int changeMinutes = 0;
  int minuteCount = 0;
  int includeSubfolders = 0;
  int shuffle = 0;
  ShuffleState shuffleState{0, 0};
  WallpaperFileList files;
  // The index in `files` of the wallpaper last set; `fileCount` stands for none.
  unsigned lastIndex = 0;
  // The wallpaper last set, as stored; while the dialog is open the previewed file.
  char currentFile[MAX_PATH + 1] = {};
};
