#include "app/customize/plugin_page.h"

#include <commctrl.h>

#include <string>

#include "app/plugins/enable_list.h"
#include "app/plugins/plugin_host.h"
#include "base/win/folder_listing.h"
#include "imaging/ui_font.h"

namespace {

constexpr char kUnreadableNotice[] = "enable.txt が読めないため、変更は保存しません。";
// The list gives up its lowest rows to the notice.
constexpr int kListTop = 50;
constexpr int kShortListHeight = 130;
constexpr int kNoticeTop = 184;

}  // namespace

void PluginPage::Create(HWND window, PageParams* params) {
  Begin(window, *params);
  plugins_ = params->plugins;
  clockClosing_ = params->clockClosing;
  list_.Create(window, kListId, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  list_.AddColumn(0, "モジュール名", 141);
  list_.AddColumn(1, "サイズ", 60);
  hasFolder_ = GetPluginFolder(folder_);
  if (hasFolder_) enableList_ = ReadEnableList(folder_);
  FillList();
  if (enableList_.state == EnableListText::State::kUnreadable) ShowUnreadableNotice();
  MarkTab();
  ShowBuilt();
}

// Leaving restarts the plug-ins, changed boxes or not, unless the enable list could
// not be read or written, or the clock is closing: no plug-in is then started on a
// window that is going away, nor its DLL locked just before an installer replaces it.
void PluginPage::Destroy() {
  if (SaveEnableList() && !*clockClosing_) {
    plugins_->UnloadPlugins();
    plugins_->LoadPlugins();
  }
  list_.Destroy();
  notice_.Destroy();
  font_.Reset();
  ReleaseTab();
}

void PluginPage::Paint(HWND, HDC dc) { CopySkinRows(dc, 0, 50); }

// Ticking a box changes nothing until the page is left: its notifications stop here.
int PluginPage::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      return DrawTabButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? 1 : -1;
    case WM_NOTIFY:
      return wParam == kListId && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ITEMCHANGED
                 ? 1
                 : -1;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) != notice_.get()) return -1;
      // GDI handles keep their value in 32 bits, also in a 64-bit process.
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return static_cast<int>(reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH)));
  }
  return -1;
}

// A DLL is ticked by the same test the host loads by, so the boxes show what runs.
void PluginPage::FillList() {
  list_.DeleteAllRows();
  ticked_.clear();
  if (!hasFolder_) return;
  const char* text = enableList_.text.get();
  ListFolder(folder_, "*.dll", [&](const char* name, const char*) {
    const int inserted = list_.InsertRow(static_cast<int>(ticked_.size()), name);
    if (inserted < 0) return;
    list_.SetText(inserted, 1, "");
    const bool ticked = text != nullptr && IsNamedInEnableList(text, name);
    if (ticked) list_.SetTicked(inserted, true);
    ticked_.push_back(ticked);
  });
}

void PluginPage::ShowUnreadableNotice() {
  SetWindowPos(list_.get(), nullptr, 0, kListTop, 320, kShortListHeight, SWP_NOZORDER);
  EnableWindow(list_.get(), FALSE);
  notice_.Create(window_, kNoticeId, "STATIC", kUnreadableNotice, WS_CHILD | WS_VISIBLE, 4,
                 kNoticeTop, 312, 16);
  font_.Reset(CreateUiFont(12));
  SendMessageA(notice_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

bool PluginPage::SaveEnableList() const {
  if (!hasFolder_ || enableList_.state == EnableListText::State::kUnreadable) return false;
  std::vector<std::string> folderDlls;
  std::vector<std::string> ticked;
  bool changed = false;
  for (int row = 0; row < list_.RowCount(); ++row) {
    char name[MAX_PATH];
    list_.GetText(row, 0, name, MAX_PATH);
    folderDlls.push_back(name);
    const bool isTicked = list_.IsTicked(row);
    if (isTicked) ticked.push_back(name);
    if (isTicked != ticked_[static_cast<size_t>(row)]) changed = true;
  }
  if (!changed) return true;
  const char* old = enableList_.text ? enableList_.text.get() : "";
  return WriteEnableList(folder_, MergeEnableList(old, folderDlls, ticked));
}
