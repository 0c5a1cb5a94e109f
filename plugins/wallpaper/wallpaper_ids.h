#pragma once

// Resource and control ids of wallpaper.dll; wallpaper.rc uses the same numbers.
constexpr int kWallpaperDialogId = 101;
constexpr int kFileListId = 1000;
constexpr int kChooseFolderId = 1001;
constexpr int kAutoChangeBoxId = 1002;
constexpr int kIntervalFieldId = 1003;
constexpr int kAutoCloseBoxId = 1004;
constexpr int kTransparentTextBoxId = 1005;
constexpr int kStyleListId = 1006;
