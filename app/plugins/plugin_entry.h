#pragma once

#include <windows.h>

#include "base/win/loaded_library.h"
#include "sdk/kelvane_plugin.h"

// The entry keeps at most 24 bytes of the caption a plug-in writes into either
// buffer.
constexpr int kCaptionLength = 24;

// The menu id of an entry that was not in the last context menu.
constexpr UINT kNoMenuId = 0xFFFFFFFF;

// One loaded plug-in, a node of the PluginHost's list. Owns its load of the DLL.
struct PluginEntry {
  LoadedLibrary module;
  KelvanePluginInitFn init = nullptr;
  KelvanePluginOpenConfigFn openConfig = nullptr;
  KelvanePluginNotifyFn notifySec = nullptr;
  KelvanePluginNotifyFn notifyMin = nullptr;
  KelvanePluginNotifyFn notifyHour = nullptr;
  KelvanePluginReleaseFn release = nullptr;
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
