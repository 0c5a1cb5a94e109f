// chime.dll: the plug-in's exports around one ChimePlugin, which Init builds and
// Release frees. The exports are the ones the SDK header declares; the time
// signal and the alarms act on the second notification alone, which comes first
// and carries every change of minute and hour.
#include <cstring>
#include <memory>

#include "base/win/dll_entry.h"
#include "plugins/chime/chime_plugin.h"
#include "plugins/chime/sound_player.h"
#include "sdk/kelvane_plugin.h"

namespace {

constexpr char kCaption[] = "時報とアラーム(&A)";
static_assert(sizeof kCaption == 19, "18 bytes of code page 932 text and the NUL");
static_assert(sizeof kCaption <= KELVANE_CONFIG_CAPTION_SIZE, "fits both caption buffers");

// The plug-in with the player it plays through.
struct Instance {
  explicit Instance(HMODULE module) : player(module), plugin(module, player) {}

  SystemSoundPlayer player;
  ChimePlugin plugin;
};

// Shared with an open dialog: the plug-ins may be released and loaded again while
// it runs, and the dialog keeps the instance it works on until it closes.
std::shared_ptr<Instance> g_instance;

void WriteCaption(char* buffer) { std::memcpy(buffer, kCaption, sizeof kCaption); }

}  // namespace

extern "C" {

int __cdecl Init(char* caption) {
  WriteCaption(caption);
  try {
    g_instance = std::make_shared<Instance>(ThisDll());
  } catch (...) {
    return 0;
  }
  return 1;
}

int __cdecl OpenConfig(HWND clock, char* caption) {
  WriteCaption(caption);
  const std::shared_ptr<Instance> instance = g_instance;
  if (instance == nullptr) return 1;
  try {
    instance->plugin.OpenConfig(clock);
  } catch (...) {
  }
  return 1;
}

int __cdecl NotifyTimeChangeSec(const SYSTEMTIME* now) {
  if (g_instance == nullptr) return 0;
  try {
    g_instance->plugin.OnSecond(*now);
  } catch (...) {
    return 0;
  }
  return 1;
}

// An instance kept by an open dialog closes its windows and stops its sound now.
int __cdecl Release(void) {
  if (g_instance != nullptr) g_instance->plugin.Close();
  g_instance.reset();
  return 1;
}

}  // extern "C"
