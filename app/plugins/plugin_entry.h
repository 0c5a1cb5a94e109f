#pragma once

#include <windows.h>

#include "base/win/loaded_library.h"

// The exports of a plug-in, all cdecl and all optional.
using PluginInitFn = int(__cdecl*)(char* caption);
using PluginOpenConfigFn = int(__cdecl*)(HWND owner, char* caption);
using PluginNotifyFn = int(__cdecl*)(const SYSTEMTIME* now);
using PluginReleaseFn = int(__cdecl*)();

// Sizes of the caption buffers a plug-in fills: Init may write 24 bytes and a
// NUL, OpenConfig 24 bytes in all. The entry keeps at most 24 bytes of either.
constexpr int kInitCaptionSize = 25;
constexpr int kConfigCaptionSize = 24;
constexpr int kCaptionLength = 24;

// The menu id of an entry that was not in the last context menu.
constexpr UINT kNoMenuId = 0xFFFFFFFF;

// One loaded plug-in, a node of the PluginHost's list. Owns its load of the DLL.
struct PluginEntry {
  LoadedLibrary module;
  PluginInitFn init = nullptr;
  PluginOpenConfigFn openConfig = nullptr;
  PluginNotifyFn notifySec = nullptr;
  PluginNotifyFn notifyMin = nullptr;
  PluginNotifyFn notifyHour = nullptr;
  PluginReleaseFn release = nullptr;
  char caption[kCaptionLength + 1] = {};
  // The command id of its item in the context menu built last.
  UINT menuId = kNoMenuId;
  PluginEntry* prev = nullptr;
  PluginEntry* next = nullptr;
  // Unique for the run and growing: the list runs from the highest to the lowest,
  // so a walk interrupted by a reload can find its place again.
  unsigned serial = 0;
  // A notification reported failure; the entry waits to be removed and gets no calls.
  bool failed = false;
};
