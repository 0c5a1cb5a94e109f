#pragma once

#include <windows.h>

#include <string>

#include "base/win/modal_dialog.h"
#include "imaging/draw_surface.h"

// The program's skinned message box: a caption-less modal window showing a text on
// skin picture 110, with an Accept button (left) and a Refuse button (right). Only
// the two buttons close it; Enter, Esc and Alt+F4 do nothing. Dragged by its body.
// Make one on the stack, call Show once.
class MessageDialog : private ModalDialog {
 public:
  static constexpr int kAcceptId = 9902;
  static constexpr int kRefuseId = 9903;

  MessageDialog() : ModalDialog(Binding::kThisProperty) {}

  // Shows `text` over `owner` until a button is pressed: 1 Accept, 0 Refuse, -1
  // when the dialog cannot be opened.
  int Show(HWND owner, const char* text);

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnPaint();
  INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item);
  INT_PTR OnCommand(int id);
  INT_PTR OnLButtonDown();
  // Places the window, creates the buttons and draws skin and text into the skin
  // surface (which stays white when the skin picture is missing).
  void Build();
  void DrawMessageText();
  void Close(int result);

  HWND window_ = nullptr;
  DrawSurface skin_;
  std::string text_;
};
