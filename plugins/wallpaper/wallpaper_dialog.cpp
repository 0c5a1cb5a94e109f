#include "plugins/wallpaper/wallpaper_dialog.h"

#include "plugins/wallpaper/wallpaper_ids.h"
#include "plugins/wallpaper/wallpaper_state.h"

namespace {

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* state = reinterpret_cast<WallpaperState*>(lParam);
  SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  state->dialog = dialog;
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id) {
  if (id != IDOK && id != IDCANCEL) return FALSE;
  EndDialog(dialog, id);
  return TRUE;
}

INT_PTR CALLBACK WallpaperDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

}  // namespace

// The handle is forgotten once the dialog is gone, so that no later list update
// can reach a window that reuses it.
void ShowWallpaperDialog(HMODULE module, HWND owner, WallpaperState* state) {
  DialogBoxParamA(module, MAKEINTRESOURCEA(kWallpaperDialogId), owner, WallpaperDialogProc,
                  reinterpret_cast<LPARAM>(state));
  state->dialog = nullptr;
}
