// wallpaper.dll: the plug-in's four exports around one WallpaperState, which is
// built by Init (reading the registry and listing a folder is no work for the
// loader lock) and destroyed by Release. The exports are the ones the SDK header
// declares.
#include <cstring>
#include <memory>
#include <new>

#include "base/win/dll_entry.h"
#include "plugins/wallpaper/wallpaper_dialog.h"
#include "plugins/wallpaper/wallpaper_state.h"
#include "sdk/kelvane_plugin.h"

namespace {

constexpr char kCaption[] = "壁紙ツール(&W)";
static_assert(sizeof kCaption == 15, "14 bytes of code page 932 text and the NUL");
static_assert(sizeof kCaption <= KELVANE_CONFIG_CAPTION_SIZE, "fits both caption buffers");

// Shared with an open dialog: the plug-ins may be released and loaded again while
// it runs, and the dialog keeps the state it works on until it closes.
std::shared_ptr<WallpaperState> g_state;

// The state, built on first use (Init builds it, so the file list is ready before
// the first minute notification); null when no memory is left for it.
std::shared_ptr<WallpaperState> State() {
  try {
    if (!g_state) g_state = std::make_shared<WallpaperState>();
  } catch (const std::bad_alloc&) {
  }
  return g_state;
}

// The same caption in Init and in every OpenConfig, so the menu item never changes.
void WriteCaption(char* buffer) { std::memcpy(buffer, kCaption, sizeof kCaption); }

}  // namespace

extern "C" {

int __cdecl Init(char* caption) {
  WriteCaption(caption);
  return State() != nullptr ? 1 : 0;
}

int __cdecl OpenConfig(HWND owner, char* caption) {
  WriteCaption(caption);
  const std::shared_ptr<WallpaperState> state = State();
  if (state == nullptr) return 1;
  WallpaperDialog dialog(state.get());
  dialog.Show(ThisDll(), owner);
  return 1;
}

int __cdecl NotifyTimeChangeMin(const SYSTEMTIME*) {
  if (const std::shared_ptr<WallpaperState> state = State()) state->AdvanceWallpaper();
  return 1;
}

int __cdecl Release(void) {
  g_state.reset();
  return 1;
}

}  // extern "C"
