#pragma once

#include <windows.h>

#include <vector>

#include "app/customize/customize_page.h"
#include "app/customize/list_view.h"
#include "app/plugins/enable_list_file.h"
#include "base/win/child_window.h"
#include "base/win/gdi_handles.h"

class PluginHost;

// Page 3 of the customize dialog: the DLLs of "<program dir>\plugin", each with a
// check box for whether the enable list names it. Nothing changes while the page is
// open; leaving it saves the boxes when they changed and restarts the plug-ins.
class PluginPage : public CustomizePage {
 public:
  static constexpr int kListId = 1031;
  static constexpr int kNoticeId = 1032;

  PluginPage() : CustomizePage(3) {}

  void Create(HWND window, PageParams* params) override;
  void Destroy() override;
  void Paint(HWND window, HDC dc) override;
  int HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillList();
  // An enable list that is there but cannot be read would be lost if written
  // anew: the page says so and takes no ticks.
  void ShowUnreadableNotice();
  // Writes the boxes into the enable list when one of them changed, keeping every
  // line that names no DLL of the folder. False when the list could not be read or
  // written: it then stands as it was.
  bool SaveEnableList() const;

  PluginHost* plugins_ = nullptr;
  const bool* clockClosing_ = nullptr;
  ListView list_;
  ChildWindow notice_;
  GdiObject<HFONT> font_;
  char folder_[MAX_PATH] = {};
  bool hasFolder_ = false;
  EnableListText enableList_;
  // Each row's box as the page opened.
  std::vector<bool> ticked_;
};
