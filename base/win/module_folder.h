#pragma once

#include <windows.h>

// The folder a module was loaded from, without a trailing backslash: the program's
// folder for a null module, a DLL's own folder for its handle. False (and `folder`
// empty) when the module's path does not fit MAX_PATH characters (a cut path's
// last backslash would name a parent folder) or holds no backslash.
bool GetModuleFolder(HMODULE module, char (&folder)[MAX_PATH]);
