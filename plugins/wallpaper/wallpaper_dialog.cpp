#include "plugins/wallpaper/wallpaper_dialog.h"

#include "plugins/wallpaper/wallpaper_ids.h"
#include "plugins/wallpaper/wallpaper_state.h"

// The handle is forgotten once the dialog is gone, so that no later list update
// can reach a window that reuses it.
void WallpaperDialog::Show(HMODULE module, HWND owner) {
  RunModal(module, IDD_WALLPAPER, owner);
  state_->dialog = nullptr;
}

INT_PTR WallpaperDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
  }
  return FALSE;
}

INT_PTR WallpaperDialog::OnInitDialog() {
  state_->dialog = dialogWindow();
  return TRUE;
}

INT_PTR WallpaperDialog::OnCommand(WORD id) {
  if (id != IDOK && id != IDCANCEL) return FALSE;
  EndDialog(dialogWindow(), id);
  return TRUE;
}
