#pragma once

#include <windows.h>

#include "app/customize/customize_page.h"
#include "app/customize/list_view.h"

class ClockFace;

// Page 1 of the customize dialog: the pictures of "<program dir>\background" with
// title, author and file name: BMP files first, then orb files, then JPEG, PNG and
// GIF files. Picking a row makes that picture the clock's background at once; the
// choice is saved when the page is left.
class BackgroundPage : public CustomizePage {
 public:
  static constexpr int kListId = 1011;

  BackgroundPage() : CustomizePage(1) {}

  void Create(HWND window, PageParams* params) override;
  void Destroy() override;
  void Paint(HWND window, HDC dc) override;
  int HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillList() const;
  void ApplySelection();

  ClockFace* face_ = nullptr;
  ListView list_;
  char folder_[MAX_PATH] = {};
  bool hasFolder_ = false;
  // The background stored as the page opened, and the one picked since.
  char storedFile_[MAX_PATH] = {};
  char chosenFile_[MAX_PATH] = {};
  // The row whose picture was loaded last, -1 before the first pick.
  int appliedRow_ = -1;
};
