// wallpaper.dll: the plug-in's four exports around one WallpaperState, which is
// built when the DLL is loaded and destroyed when it is freed. The exports are the
// ones the SDK header declares.
#include <cstring>

#include "base/runtime_pool.h"
#include "plugins/wallpaper/wallpaper_dialog.h"
#include "plugins/wallpaper/wallpaper_state.h"
#include "sdk/kelvane_plugin.h"

namespace {

constexpr char kCaption[] = "壁紙ツール(&W)";
static_assert(sizeof kCaption == 15, "14 bytes of code page 932 text and the NUL");
static_assert(sizeof kCaption <= KELVANE_CONFIG_CAPTION_SIZE, "fits both caption buffers");

HMODULE g_module = nullptr;
WallpaperState g_state;

// The same caption in Init and in every OpenConfig, so the menu item never changes.
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
  return 1;
}

int __cdecl OpenConfig(HWND owner, char* caption) {
  WriteCaption(caption);
  WallpaperDialog dialog(&g_state);
  dialog.Show(g_module, owner);
  return 1;
}

int __cdecl NotifyTimeChangeMin(const SYSTEMTIME*) {
  g_state.AdvanceWallpaper();
  return 1;
}

int __cdecl Release(void) { return 1; }

}  // extern "C"
