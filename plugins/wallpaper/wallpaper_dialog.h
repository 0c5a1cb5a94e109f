#pragma once

#include <windows.h>

#include "base/win/modal_dialog.h"
#include "plugins/wallpaper/wallpaper_preview.h"

struct WallpaperState;

// The plug-in's settings dialog (template 101 of the plug-in's own module),
// working on the plug-in's state: the folder's pictures with a preview, the display
// style, the automatic change with its interval and order, and the options. Every option is
// saved when the dialog closes, by OK or by Esc alike. Make one on the stack, call
// Show once.
class WallpaperDialog : private ModalDialog {
 public:
  explicit WallpaperDialog(WallpaperState* state)
      : ModalDialog(Binding::kUserSlot), state_(state) {}

  // Shows the dialog modally over `owner`; returns when it has closed with OK or Esc.
  void Show(HMODULE module, HWND owner);

 private:
  // A single click previews the picture; a double click also sets it as wallpaper.
  enum class Selection { kPreview, kApply };

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnPaint();
  INT_PTR OnCommand(WORD id, WORD code);
  INT_PTR OnFileList(WORD code);
  INT_PTR OnAutoChange();
  INT_PTR OnInterval(WORD code);
  INT_PTR OnStyle();
  INT_PTR OnIncludeSubfolders();

  void InitDialog();
  void ApplySelection(Selection mode);
  void CloseDialog(int result);
  void ChooseFolder();
  void EnableInterval(bool enable);
  void CorrectInterval();
  bool IsChecked(int id) const;

  WallpaperState* state_;
  WallpaperPreview preview_;
};
