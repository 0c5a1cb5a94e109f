#pragma once

// Resource and control ids of wallpaper.dll, shared by wallpaper.rc and the code.
#define IDD_WALLPAPER 101
#define IDC_FILE_LIST 1000
#define IDC_CHOOSE_FOLDER 1001
#define IDC_AUTO_CHANGE 1002
#define IDC_INTERVAL 1003
#define IDC_AUTO_CLOSE 1004
#define IDC_TRANSPARENT_TEXT 1005
#define IDC_STYLE_LIST 1006
#define IDC_INCLUDE_SUBFOLDERS 1007
#define IDC_SHUFFLE 1008
