#include "app/plugins/plugin_host.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "app/plugins/enable_list.h"
#include "app/plugins/enable_list_file.h"
#include "base/win/folder_listing.h"
#include "resources/resource_ids.h"

namespace {

// At most kCaptionLength bytes, up to the buffer's first NUL, then the entry's own
// terminator: a plug-in that fills its buffer without one still gives a caption.
void TakeCaption(PluginEntry& entry, const char* buffer) {
  const size_t length = strnlen(buffer, kCaptionLength);
  std::memcpy(entry.caption, buffer, length);
  entry.caption[length] = '\0';
}

// Counts the calls of NotifyTimeChange that are running, nested ones included.
class DepthScope {
 public:
  explicit DepthScope(int& depth) : depth_(depth) { ++depth_; }
  ~DepthScope() { --depth_; }
  DepthScope(const DepthScope&) = delete;
  DepthScope& operator=(const DepthScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

PluginHost::PluginHost() : PluginHost(TimeChangeTracker::ProcessWide()) {}

PluginHost::PluginHost(TimeChangeTracker& tracker) : tracker_(tracker) {}

PluginHost::~PluginHost() { UnloadPlugins(); }

int PluginHost::LoadPlugins() {
  char folder[MAX_PATH];
  if (!GetPluginFolder(folder)) return 0;
  const EnableListText list = ReadEnableList(folder);
  if (list.state != EnableListText::State::kRead) return 0;
  const bool listed = ListFolder(folder, "*.dll", [&](const char* name, const char* path) {
    if (!IsNamedInEnableList(list.text.get(), name)) return;
    LoadedLibrary module = LoadedLibrary::LoadFromPath(path);
    if (module.get() != nullptr) AddPlugin(std::move(module));
  });
  return listed ? 1 : 0;
}

// Each removal calls a plug-in's Release, which may re-enter; reading the head
// afresh every time keeps the loop on the list as it is.
void PluginHost::UnloadPlugins() {
  while (head_ != nullptr) RemovePlugin(head_);
  count_ = 0;
}

// Without memory for the entry the DLL is freed again, as if Init had refused.
void PluginHost::AddPlugin(LoadedLibrary module) {
  std::unique_ptr<PluginEntry> entry(new (std::nothrow) PluginEntry);
  if (!entry) return;
  entry->module = std::move(module);
  const LoadedLibrary& library = entry->module;
  entry->init = library.Export<KelvanePluginInitFn>("Init");
  entry->openConfig = library.Export<KelvanePluginOpenConfigFn>("OpenConfig");
  entry->notifySec = library.Export<KelvanePluginNotifyFn>("NotifyTimeChangeSec");
  entry->notifyMin = library.Export<KelvanePluginNotifyFn>("NotifyTimeChangeMin");
  entry->notifyHour = library.Export<KelvanePluginNotifyFn>("NotifyTimeChangeHour");
  entry->release = library.Export<KelvanePluginReleaseFn>("Release");
  if (entry->init != nullptr) {
    char buffer[KELVANE_INIT_CAPTION_SIZE] = {};
    if (entry->init(buffer) == 0) return;
    TakeCaption(*entry, buffer);
  }
  entry->serial = nextSerial_++;
  Link(entry.release());
}

void PluginHost::RemovePlugin(PluginEntry* entry) {
  Unlink(entry);
  if (entry->release != nullptr) entry->release();
  delete entry;
  --count_;
}

void PluginHost::Link(PluginEntry* entry) {
  entry->prev = nullptr;
  entry->next = head_;
  if (head_ != nullptr) head_->prev = entry;
  head_ = entry;
  ++count_;
}

void PluginHost::Unlink(PluginEntry* entry) {
  if (entry->prev != nullptr) {
    entry->prev->next = entry->next;
  } else {
    head_ = entry->next;
  }
  if (entry->next != nullptr) entry->next->prev = entry->prev;
  entry->prev = nullptr;
  entry->next = nullptr;
}

void PluginHost::AddMenuItems(HMENU menu) {
  UINT id = 0;
  for (PluginEntry* entry = head_; entry != nullptr; entry = entry->next) {
    if (entry->failed) {
      entry->menuId = kNoMenuId;
      continue;
    }
    entry->menuId = id;
    InsertMenuA(menu, IDM_HIDE, MF_BYCOMMAND | MF_STRING, id, entry->caption);
    ++id;
  }
  if (id > 0) InsertMenuA(menu, IDM_HIDE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

void PluginHost::RouteCommand(HWND owner, UINT id) {
  PluginEntry* entry = head_;
  while (entry != nullptr &&
         (entry->menuId != id || entry->openConfig == nullptr || entry->failed)) {
    entry = entry->next;
  }
  if (entry == nullptr) return;
  const unsigned serial = entry->serial;
  // One spare byte beyond the 24 takes the NUL of a plug-in that writes a full
  // 24-byte caption and its terminator; only 24 bytes are read.
  char buffer[KELVANE_CONFIG_CAPTION_SIZE + 1] = {};
  {
    const LoadedLibrary pin = LoadedLibrary::Pin(entry->module.get());
    entry->openConfig(owner, buffer);
  }
  if (PluginEntry* same = FindBySerial(serial)) TakeCaption(*same, buffer);
}

int PluginHost::NotifyTimeChange(const SYSTEMTIME* now) {
  const DepthScope depth(notifyDepth_);
  const TimeChange change = tracker_.Update(now->wHour, now->wMinute, now->wSecond);
  if (!change.second) return 1;
  const unsigned pass = ++passes_;
  unsigned serial = 0;
  for (PluginEntry* entry = head_; entry != nullptr && pass == passes_;
       entry = FirstOlderThan(serial)) {
    serial = entry->serial;
    if (entry->failed || NotifyEntry(serial, change, now, pass)) continue;
    if (PluginEntry* failed = FindBySerial(serial)) failed->failed = true;
  }
  if (notifyDepth_ == 1) RemoveFailedPlugins();
  return 1;
}

// Makes every applicable call, also after one failed, and looks the entry up again
// before each: the previous call may have run a modal loop that removed it, or in
// which a newer time was passed on; the older one then goes no further.
bool PluginHost::NotifyEntry(unsigned serial, const TimeChange& change, const SYSTEMTIME* now,
                             unsigned pass) const {
  static constexpr KelvanePluginNotifyFn PluginEntry::*kNotifiers[] = {
      &PluginEntry::notifySec, &PluginEntry::notifyMin, &PluginEntry::notifyHour};
  const bool changed[] = {change.second, change.minute, change.hour};
  bool succeeded = true;
  for (int i = 0; i < 3; ++i) {
    if (!changed[i]) continue;
    if (pass != passes_) return true;
    const PluginEntry* entry = FindBySerial(serial);
    if (entry == nullptr) return true;
    const KelvanePluginNotifyFn notify = entry->*kNotifiers[i];
    if (notify == nullptr) continue;
    const LoadedLibrary pin = LoadedLibrary::Pin(entry->module.get());
    if (notify(now) == 0) succeeded = false;
  }
  return succeeded;
}

// Removes the failed plug-ins in list order, each before its message is shown.
// The message box runs a modal loop in which nested passes may mark more entries
// and reloads may remove some, so the list is searched afresh after every box.
void PluginHost::RemoveFailedPlugins() {
  for (;;) {
    PluginEntry* entry = head_;
    while (entry != nullptr && !entry->failed) entry = entry->next;
    if (entry == nullptr) return;
    char message[256];
    std::snprintf(message, sizeof message, "%sの通知に失敗しました。", entry->caption);
    RemovePlugin(entry);
    MessageBoxA(nullptr, message, "error", MB_OK);
  }
}

PluginEntry* PluginHost::FindBySerial(unsigned serial) const {
  for (PluginEntry* entry = head_; entry != nullptr; entry = entry->next) {
    if (entry->serial == serial) return entry;
  }
  return nullptr;
}

PluginEntry* PluginHost::FirstOlderThan(unsigned serial) const {
  for (PluginEntry* entry = head_; entry != nullptr; entry = entry->next) {
    if (entry->serial < serial) return entry;
  }
  return nullptr;
}
