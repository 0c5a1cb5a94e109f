#pragma once

#include <windows.h>

// Lets the user pick a file-system folder with the shell's folder browser, modal over
// `owner`, starting at the desktop. On success the folder's path (at most MAX_PATH
// bytes with its terminator) is in `folder`; cancelling, a pick that is no file-system
// folder, or a browser that cannot be shown leaves `folder` as it was and returns false.
bool BrowseForFolder(HWND owner, const char* title, char (&folder)[MAX_PATH]);
