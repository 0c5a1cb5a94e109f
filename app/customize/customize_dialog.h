#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/customize/dialog_page.h"
#include "base/win/child_window.h"
#include "base/win/modal_dialog.h"
#include "imaging/draw_surface.h"

class ClockFace;
class PluginHost;

// The skinned customize dialog: a frame of a close button, three tabs and three
// buttons along the bottom, all drawn from skin picture 116, around one page (1
// background, 2 drawing modules, 3 plug-ins). Pages act on the running clock and
// save their own settings, so closing needs no apply step and undoes nothing.
// Make one on the stack and call Run once.
class CustomizeDialog : private ModalDialog {
 public:
  // Sent to the dialog with a page number in lParam, as a tab press would be.
  static constexpr UINT kSelectPageMessage = WM_USER + 32;
  // The frame's buttons: the close button at the top right, and along the bottom
  // UPDATE (which does nothing), CANCEL and ACCEPT.
  static constexpr int kCloseId = 1000;
  static constexpr int kUpdateId = 1007;
  static constexpr int kCancelId = 1008;
  static constexpr int kAcceptId = 1009;

  CustomizeDialog() : ModalDialog(Binding::kThisProperty) {}

  // Shows the dialog below `clockWindow` until it is closed.
  void Run(HWND clockWindow, ClockFace* face, PluginHost* plugins);
  // 1 to 3 build that page and then destroy the old one; 0 leaves no page; any
  // other number shows a notice and changes nothing (0).
  int SelectPage(int number);
  // Hides the dialog, destroys the frame's buttons and ends the dialog.
  void CloseDialog(int result);

 private:
  // Counts the dialog's calls into pages that are running, nested ones included.
  class PageCall;

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnPaint();
  INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item) const;
  INT_PTR OnCommand(int id);
  INT_PTR OnLButtonDown();
  INT_PTR OnDestroy();
  void CreateButtons();
  void PlaceBelowClock() const;
  void LeavePage(std::unique_ptr<DialogPage> page);

  std::unique_ptr<DialogPage> page_;
  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  ClockFace* face_ = nullptr;
  DrawSurface skin_;
  PluginHost* plugins_ = nullptr;
  bool clockClosing_ = false;
  ChildWindow buttons_[7];
  // A page runs modal loops of its own (a module's settings, a plug-in's message
  // box) in which the page can be left. Left pages are kept until no call into a
  // page runs any more, so that no page is deleted under its own feet.
  std::vector<std::unique_ptr<DialogPage>> leftPages_;
  int pageCalls_ = 0;
};
