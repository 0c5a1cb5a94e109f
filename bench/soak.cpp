// A soak run, not a test: 100,000 face compositions with Mirrick in the info slot
// (and, when a path is given, a clock module in slot 1), then 1,000 unload and
// reload cycles of that clock module and of each of three plug-ins. Prints memory
// and GDI objects at the start and end of each phase; both must stay flat.
//   soak.exe [CLOCK_MODULE.dll]
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/plugins/plugin_host.h"
#include "app/plugins/time_change_tracker.h"
#include "app/window/clock_face.h"
#include "base/win/registry_key.h"
#include "plugins/chime/chime_settings.h"
#include "tests/win32/test_support.h"

namespace {

constexpr int kCompositions = 100000;
constexpr int kCompositionWarmUp = 100;
constexpr int kPluginCycles = 1000;
constexpr int kPluginWarmUp = 10;
// A test plug-in that answers every call, and the shipped ones, which link the
// C++ runtime; each is soaked alone, so that a change can be laid at its door.
const char* const kPlugins[] = {"plugin_good.dll", "wallpaper.dll", "chime.dll"};

struct Snapshot {
  long long residentKib = 0;
  long long committedKib = 0;
  int gdiHeadroom = 0;
  DWORD gdiObjects = 0;
};

// The headroom is probed first, so that what the probe itself touches is already
// resident when memory is read.
Snapshot Take() {
  Snapshot snapshot;
  snapshot.gdiHeadroom = GdiHeadroom();
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
    snapshot.residentKib = static_cast<long long>(counters.WorkingSetSize / 1024);
  }
  snapshot.committedKib = CommittedPrivateKib();
  snapshot.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  return snapshot;
}

void PrintSnapshot(const char* when, const Snapshot& snapshot) {
  std::printf("  %s resident %lld KiB, committed private %lld KiB, GDI headroom %d objects", when,
              snapshot.residentKib, snapshot.committedKib, snapshot.gdiHeadroom);
  if (snapshot.gdiObjects != 0) std::printf(", GetGuiResources %lu", snapshot.gdiObjects);
  std::printf("\n");
}

void PrintChange(const Snapshot& start, const Snapshot& end, DWORD startTick) {
  PrintSnapshot("start:", start);
  PrintSnapshot("end:  ", end);
  const int leaked = start.gdiHeadroom - end.gdiHeadroom;
  std::printf(
      "  change: resident %+lld KiB, committed private %+lld KiB, GDI headroom %+d (%s),"
      " %.1f s\n",
      end.residentKib - start.residentKib, end.committedKib - start.committedKib, -leaked,
      leaked == 0 ? "flat" : (leaked > 0 ? "objects leaked" : "objects freed"),
      (GetTickCount() - startTick) / 1000.0);
  std::fflush(stdout);
}

// Moves `time` on by one second, across minutes, hours and days.
void AddSecond(SYSTEMTIME* time) {
  FILETIME file;
  SystemTimeToFileTime(time, &file);
  ULARGE_INTEGER value;
  value.LowPart = file.dwLowDateTime;
  value.HighPart = file.dwHighDateTime;
  value.QuadPart += 10000000;
  file.dwLowDateTime = value.LowPart;
  file.dwHighDateTime = value.HighPart;
  FileTimeToSystemTime(&file, time);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

int SoakCompositions(const char* clockModule) {
  TestWindow window(0, 0, ClockFace::kFaceSize, ClockFace::kFaceSize, RGB(0, 0, 0));
  ClockFace face;
  if (!face.Attach(window.get())) {
    std::printf("the face surfaces cannot be made\n");
    return 1;
  }
  face.LoadBackground("");
  const std::string mirrick = ExeDir() + "\\Mirrick.dll";
  HMODULE info = LoadLibraryA(mirrick.c_str());
  if (info == nullptr) {
    std::printf("%s cannot be loaded\n", mirrick.c_str());
    return 1;
  }
  face.SetModule(ClockFace::kInfoSlot, info);
  if (clockModule != nullptr) {
    HMODULE clock = LoadLibraryA(clockModule);
    if (clock == nullptr) {
      std::printf("%s cannot be loaded\n", clockModule);
      return 1;
    }
    face.SetModule(ClockFace::kClockSlot, clock);
  }
  std::printf("%d compositions, Mirrick in the info slot%s%s (after %d to warm up)\n",
              kCompositions, clockModule != nullptr ? ", clock slot " : "",
              clockModule != nullptr ? clockModule : "", kCompositionWarmUp);

  // Every composition shows the next second, so the module draws new text each time.
  SYSTEMTIME now;
  GetLocalTime(&now);
  for (int i = 0; i < kCompositionWarmUp; ++i) {
    face.Draw(&now);
    AddSecond(&now);
  }
  const Snapshot start = Take();
  const DWORD startTick = GetTickCount();
  for (int i = 0; i < kCompositions; ++i) {
    face.Draw(&now);
    AddSecond(&now);
    if (i % 1000 == 0) PumpMessages();
  }
  GdiFlush();
  PrintChange(start, Take(), startTick);

  for (int slot : {ClockFace::kClockSlot, ClockFace::kInfoSlot}) {
    if (HMODULE module = face.SetModule(slot, nullptr)) FreeLibrary(module);
  }
  return 0;
}

// One cycle of the module page switching clock modules: the module into slot 1,
// one face, and out again.
bool ModuleCycle(ClockFace& face, const char* clockModule, const SYSTEMTIME& now) {
  HMODULE module = LoadLibraryA(clockModule);
  if (module == nullptr) return false;
  face.SetModule(ClockFace::kClockSlot, module);
  face.Draw(&now);
  if (HMODULE previous = face.SetModule(ClockFace::kClockSlot, nullptr)) FreeLibrary(previous);
  PumpMessages();
  return true;
}

int SoakModule(const char* clockModule) {
  TestWindow window(0, 0, ClockFace::kFaceSize, ClockFace::kFaceSize, RGB(0, 0, 0));
  ClockFace face;
  face.Attach(window.get());
  face.LoadBackground("");
  std::printf("%d module unload and reload cycles, %s (after %d to warm up)\n", kPluginCycles,
              clockModule, kPluginWarmUp);
  SYSTEMTIME now;
  GetLocalTime(&now);
  for (int i = 0; i < kPluginWarmUp; ++i) ModuleCycle(face, clockModule, now);
  const Snapshot start = Take();
  const DWORD startTick = GetTickCount();
  for (int i = 0; i < kPluginCycles; ++i) {
    if (!ModuleCycle(face, clockModule, now)) {
      std::printf("cycle %d: %s did not load\n", i, clockModule);
      return 1;
    }
  }
  PrintChange(start, Take(), startTick);
  return 0;
}

// "<ExeDir>\plugin", where the host looks for plug-ins, holding one plug-in built
// beside this program and an enable list naming it; removed at the end, together
// with what an interrupted earlier run left.
class PluginFolder {
 public:
  explicit PluginFolder(const char* plugin) : path_(ExeDir() + "\\plugin") {
    Remove();
    CreateDirectoryA(path_.c_str(), nullptr);
    CopyFileA((ExeDir() + "\\" + plugin).c_str(), (path_ + "\\" + plugin).c_str(), FALSE);
    const std::string enable = std::string(plugin) + "\r\n";
    WriteBytes(path_ + "\\enable.txt", std::vector<unsigned char>(enable.begin(), enable.end()));
  }
  ~PluginFolder() { Remove(); }
  PluginFolder(const PluginFolder&) = delete;
  PluginFolder& operator=(const PluginFolder&) = delete;

 private:
  void Remove() const {
    for (const char* name : kPlugins) DeleteFileA((path_ + "\\" + name).c_str());
    DeleteFileA((path_ + "\\enable.txt").c_str());
    RemoveDirectoryA(path_.c_str());
  }

  std::string path_;
};

// An alarm of chime.dll at 12:00 every day while the soak runs; the plug-in's
// settings are removed again at the end.
class NoonAlarm {
 public:
  NoonAlarm() {
    const RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kChimeKey);
    key.WriteNumber("ALARM_COUNT", 1);
    key.WriteNumber("ALARM_1_TIME", 1200);
  }
  ~NoonAlarm() { RegDeleteKeyA(HKEY_CURRENT_USER, kChimeKey); }
  NoonAlarm(const NoonAlarm&) = delete;
  NoonAlarm& operator=(const NoonAlarm&) = delete;
};

// One cycle: load the plug-in, tell it a new second, unload it. Only the second
// changes, between 12:00:00 and 12:00:01, so wallpaper.dll never changes the
// desktop's wallpaper, and chime.dll rings its noon alarm every other cycle and
// is released with the alarm's window open and its sound playing.
bool PluginCycle(PluginHost& host, int cycle) {
  host.LoadPlugins();
  const bool loaded = host.count() == 1;
  SYSTEMTIME now{};
  now.wYear = 2024;
  now.wMonth = 1;
  now.wDay = 1;
  now.wHour = 12;
  now.wSecond = static_cast<WORD>(cycle % 2);
  host.NotifyTimeChange(&now);
  host.UnloadPlugins();
  return loaded;
}

int SoakPlugin(const char* plugin) {
  const PluginFolder folder(plugin);
  TimeChangeTracker tracker;
  PluginHost host(tracker);
  std::printf("%d plug-in unload and reload cycles, %s (after %d to warm up)\n", kPluginCycles,
              plugin, kPluginWarmUp);
  int cycle = 0;
  for (; cycle < kPluginWarmUp; ++cycle) {
    if (!PluginCycle(host, cycle)) {
      std::printf("%s did not load\n", plugin);
      return 1;
    }
  }
  const Snapshot start = Take();
  const DWORD startTick = GetTickCount();
  for (int i = 0; i < kPluginCycles; ++i, ++cycle) {
    if (!PluginCycle(host, cycle)) {
      std::printf("cycle %d: %s did not load\n", i, plugin);
      return 1;
    }
    PumpMessages();
  }
  PrintChange(start, Take(), startTick);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* clockModule = argc > 1 ? argv[1] : nullptr;
  if (SoakCompositions(clockModule) != 0) return 1;
  if (clockModule != nullptr && SoakModule(clockModule) != 0) return 1;
  const NoonAlarm alarm;
  for (const char* plugin : kPlugins) {
    if (SoakPlugin(plugin) != 0) return 1;
  }
  return 0;
}
