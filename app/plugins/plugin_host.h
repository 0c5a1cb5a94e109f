#pragma once

#include <windows.h>

#include "app/plugins/plugin_entry.h"
#include "app/plugins/time_change_tracker.h"
#include "base/win/loaded_library.h"

// The plug-ins named in "<program dir>\plugin\enable.txt": loads them, puts their
// items into the clock's context menu, hands them menu commands and time changes,
// and unloads them. Entries form a doubly linked list; new ones go to the front.
//
// Plug-in calls can run modal loops (a settings dialog, the failure message box)
// in which the clock keeps ticking and the plug-ins may be reloaded. Therefore no
// entry pointer is held across a plug-in call: the host remembers the entry's
// serial and looks it up again afterwards, and the DLL is pinned for the length of
// the call so that its code stays mapped even when the entry is removed meanwhile.
class PluginHost {
 public:
  // Notifies with the program's process-wide tracker.
  PluginHost();
  explicit PluginHost(TimeChangeTracker& tracker);
  virtual ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Loads every DLL of the plug-in folder that the enable list names. Returns 1
  // when the folder was listed, 0 when the list cannot be read or no DLL exists.
  int LoadPlugins();
  // Releases and frees every plug-in, from the head onwards.
  void UnloadPlugins();

  // Inserts one item per plug-in, in list order, then a separator, in front of the
  // clock's hide item (40009) of `menu`; the item ids are 0, 1, 2 ... With no
  // plug-in the menu stays as it is.
  void AddMenuItems(HMENU menu);
  // Calls OpenConfig of the plug-in whose item had command `id`; what it writes
  // into the caption buffer becomes the plug-in's caption.
  void RouteCommand(HWND owner, UINT id);
  // Passes the change of second, minute and hour on, in that order. A plug-in
  // that reports failure is unloaded and then named in a message box. Returns 1.
  int NotifyTimeChange(const SYSTEMTIME* now);

  const PluginEntry* head() const { return head_; }
  int count() const { return count_; }

 private:
  void AddPlugin(LoadedLibrary module);
  void RemovePlugin(PluginEntry* entry);
  void Link(PluginEntry* entry);
  void Unlink(PluginEntry* entry);

  PluginEntry* FindBySerial(unsigned serial) const;
  PluginEntry* FirstOlderThan(unsigned serial) const;
  bool NotifyEntry(unsigned serial, const TimeChange& change, const SYSTEMTIME* now,
                   unsigned pass) const;
  void RemoveFailedPlugins();

  PluginEntry* head_ = nullptr;
  int count_ = 0;
  TimeChangeTracker& tracker_;
  unsigned nextSerial_ = 1;
  // Nested NotifyTimeChange calls only mark failures; the outermost removes them.
  int notifyDepth_ = 0;
  // Counts the passes that deliver a time; a pass stops when a nested one began.
  unsigned passes_ = 0;
};
