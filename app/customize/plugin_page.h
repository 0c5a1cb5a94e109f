#pragma once

#include <windows.h>

#include "app/customize/customize_page.h"
#include "app/customize/list_view.h"

class PluginHost;

// Page 3 of the customize dialog: the DLLs of "<program dir>\plugin", each with a
// check box for whether the enable list names it. Nothing changes while the page is
// open; leaving it rewrites the enable list from the boxes and restarts the plug-ins.
class PluginPage : public CustomizePage {
 public:
  static constexpr int kListId = 1031;

  PluginPage() : CustomizePage(3) {}

  int Create(HWND window, PageParams* params) override;
  int Destroy() override;
  int Paint(HWND window, HDC dc) override;
  int HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillList() const;
  // Writes the ticked rows' names as the new enable list; false when it could not
  // be written, and the old list stands.
  bool SaveEnableList() const;

  PluginHost* plugins_ = nullptr;
  ListView list_;
  char folder_[MAX_PATH] = {};
  bool hasFolder_ = false;
};
