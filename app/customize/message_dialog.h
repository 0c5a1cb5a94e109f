#pragma once

#include <windows.h>

#include <string>

#include "app/customize/dialog_page.h"
#include "base/win/modal_dialog.h"
#include "imaging/draw_surface.h"

// The program's skinned message box: a caption-less modal window showing a text on
// skin picture 110, with an Accept button (left) and a Refuse button (right). Only
// the two buttons close it; Enter, Esc and Alt+F4 do nothing. Dragged by its body.
// Make one on the stack, call Show once.
class MessageDialog : public DialogPage, private ModalDialog {
 public:
  static constexpr int kAcceptId = 9902;
  static constexpr int kRefuseId = 9903;

  MessageDialog() : ModalDialog(Binding::kThisProperty) {}

  // Shows `text` over `owner` until a button is pressed: 1 Accept, 0 Refuse, -1
  // when the dialog cannot be opened.
  int Show(HWND owner, const char* text);

  // Places the window, creates the buttons and draws skin and text into the skin
  // surface; `params` is not used. 0 when the skin picture is missing.
  int Create(HWND window, PageParams* params) override;
  // Destroys the buttons and the skin surface; 1.
  int Destroy() override;
  // Copies the client rectangle from the skin surface; 1.
  int Paint(HWND window, HDC dc) override;
  // The message dialog handles its messages itself: always -1.
  int HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnInitDialog();
  INT_PTR OnPaint();
  INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item);
  INT_PTR OnCommand(int id);
  INT_PTR OnLButtonDown();
  void DrawMessageText();
  void Close(int result);

  DrawSurface skin_;
  std::string text_;
};
