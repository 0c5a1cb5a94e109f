// chime.dll: the plug-in's exports around one ChimePlugin, which Init builds and
// Release frees. The exports are the ones the SDK header declares; the time
// signal and the alarms act on the second notification alone, which comes first
// and carries every change of minute and hour.
#include <cstring>

#include "base/runtime_pool.h"
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

HMODULE g_module = nullptr;
Instance* g_instance = nullptr;

void WriteCaption(char* buffer) { std::memcpy(buffer, kCaption, sizeof kCaption); }

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  // Freed by the host (not at process exit), as when the user switches modules
  // or plug-ins on the customize dialog.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) ReleaseRuntimePool();
  return TRUE;
}

extern "C" {

int __cdecl Init(char* caption) {
  WriteCaption(caption);
  try {
    g_instance = new Instance(g_module);
  } catch (...) {
    return 0;
  }
  return 1;
}

// The plug-in may be released while the dialog is open; its instance then lives
// on until the dialog closes, and is freed here.
int __cdecl OpenConfig(HWND clock, char* caption) {
  WriteCaption(caption);
  Instance* instance = g_instance;
  if (instance == nullptr) return 1;
  try {
    instance->plugin.OpenConfig(clock);
  } catch (...) {
  }
  if (instance != g_instance) delete instance;
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

int __cdecl Release(void) {
  if (g_instance == nullptr) return 1;
  g_instance->plugin.Close();
  if (!g_instance->plugin.configuring()) delete g_instance;
  g_instance = nullptr;
  return 1;
}

}  // extern "C"
