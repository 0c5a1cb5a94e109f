#pragma once

#include <windows.h>

// The entry point of a shipped C++ DLL (dll_entry.cpp, linked into each of them):
// it keeps the DLL's own handle, and when the host frees the DLL (not at process
// exit) it returns the C++ runtime's emergency exception pool, which the runtime
// sets aside as the DLL loads and never gives back by itself: every load and
// unload of a module or plug-in would otherwise leave tens of kilobytes behind.

// The DLL this code is linked into, from its load on (its resources, its folder).
HMODULE ThisDll();
