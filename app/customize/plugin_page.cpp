#include "app/customize/plugin_page.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/plugins/enable_list.h"
#include "app/plugins/enable_list_file.h"
#include "app/plugins/plugin_host.h"
#include "base/format_path.h"
#include "base/win/find_handle.h"

int PluginPage::Create(HWND window, PageParams* params) {
  Begin(window, *params);
  plugins_ = params->plugins;
  list_.Create(window, kListId, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  list_.AddColumn(0, "モジュール名", 141);
  list_.AddColumn(1, "サイズ", 60);
  hasFolder_ = GetPluginFolder(folder_);
  FillList();
  MarkTab();
  ShowBuilt();
  return 1;
}

// Leaving always restarts the plug-ins, changed boxes or not, unless the list
// could not be written.
int PluginPage::Destroy() {
  if (SaveEnableList()) {
    plugins_->UnloadPlugins();
    plugins_->LoadPlugins();
  }
  list_.Destroy();
  ReleaseTab();
  return 1;
}

int PluginPage::Paint(HWND, HDC dc) {
  CopySkinRows(dc, 0, 50);
  return 1;
}

// Ticking a box changes nothing until the page is left: its notifications stop here.
int PluginPage::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      return DrawTabButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? 1 : -1;
    case WM_NOTIFY:
      return wParam == kListId && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ITEMCHANGED
                 ? 1
                 : -1;
  }
  return -1;
}

// A DLL is ticked by the same test the host loads by, so the boxes show what runs.
void PluginPage::FillList() const {
  list_.DeleteAllRows();
  char pattern[MAX_PATH];
  if (!hasFolder_ || !FormatPath(pattern, "%s\\*.dll", folder_)) return;
  const std::unique_ptr<char[]> text = ReadEnableList(folder_);
  WIN32_FIND_DATAA found;
  const FindHandle find(pattern, &found);
  if (!find.valid()) return;
  int row = 0;
  do {
    char path[MAX_PATH];
    if (!FormatPath(path, "%s\\%s", folder_, found.cFileName)) continue;
    const int inserted = list_.InsertRow(row, found.cFileName);
    if (inserted < 0) continue;
    list_.SetText(inserted, 1, "");
    if (text && IsNamedInEnableList(text.get(), found.cFileName)) list_.SetTicked(inserted, true);
    ++row;
  } while (find.Next(&found));
}

bool PluginPage::SaveEnableList() const {
  if (!hasFolder_) return false;
  std::vector<std::string> names;
  for (int row = 0; row < list_.RowCount(); ++row) {
    if (!list_.IsTicked(row)) continue;
    char name[MAX_PATH];
    list_.GetText(row, 0, name, MAX_PATH);
    names.push_back(name);
  }
  return WriteEnableList(folder_, names);
}
