#include "app/customize/module_page.h"

#include <initializer_list>

#include "app/window/clock_face.h"
#include "app/window/settings.h"
#include "base/format_path.h"
#include "base/win/folder_listing.h"
#include "base/win/loaded_library.h"
#include "imaging/ui_font.h"

namespace {

constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
constexpr int kClockTop = 80;
constexpr int kInfoTop = 130;
// The settings button's images in the skin, all at y 300.
constexpr int kButtonImageY = 300;
constexpr int kButtonNormalX = 120;
constexpr int kButtonPressedX = 200;
constexpr int kButtonDisabledX = 280;

bool HasExport(HMODULE module, const char* name) {
  return module != nullptr && GetProcAddress(module, name) != nullptr;
}

}  // namespace

void ModulePage::Create(HWND window, PageParams* params) {
  Begin(window, *params);
  face_ = params->face;
  font_.Reset(CreateUiFont(13));
  char dir[MAX_PATH] = {};
  const bool hasDir = GetProgramDir(dir, MAX_PATH) != 0;
  BuildSlot(clock_, kClockTop, hasDir ? dir : nullptr);
  BuildSlot(info_, kInfoTop, hasDir ? dir : nullptr);
  for (const Slot* slot : {&clock_, &info_}) FillList(*slot);
  for (const Slot* slot : {&clock_, &info_}) EnableConfig(*slot);
  for (const Slot* slot : {&clock_, &info_}) Preselect(*slot);

  MarkTab();
  CopyWithinSkin(0, 300, 100, 15, 10, 60);   // the word "Clock" over the clock list
  CopyWithinSkin(0, 315, 120, 15, 10, 110);  // "Information" over the info list
  ShowBuilt();
}

void ModulePage::Destroy() {
  for (Slot* slot : {&clock_, &info_}) {
    slot->list.Destroy();
    slot->config.Destroy();
  }
  ReleaseTab();
  font_.Reset();
}

void ModulePage::Paint(HWND, HDC dc) {
  CopySkinRows(dc, 0, 80);
  CopySkinRows(dc, 110, 130);
}

// Commands still reach the frame afterwards: the page only watches them.
int ModulePage::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
  }
  return -1;
}

// Without a program folder (or with one too long for the module folders) the
// lists hold only the empty entry.
void ModulePage::BuildSlot(Slot& slot, int top, const char* dir) const {
  slot.list.Create(window_, slot.kind.listId, "COMBOBOX", "initialize", kListStyle, 30, top, 200,
                   120);
  slot.config.Create(window_, slot.kind.configId, "BUTTON", "config", kButtonStyle, 250, top, 80,
                     24);
  SendMessageA(slot.list.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  if (dir == nullptr || !FormatPath(slot.folder, "%s\\%s", dir, slot.kind.folderName)) {
    slot.folder[0] = '\0';
  }
}

// A DLL whose path would not fit could not be loaded by its name: it is not offered.
void ModulePage::FillList(const Slot& slot) const {
  const HWND list = slot.list.get();
  SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  if (slot.folder[0] == '\0') return;
  ListFolder(slot.folder, "*.dll", [list](const char* name, const char*) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  });
}

// The saved name is matched ignoring letter case; a name that is no entry
// leaves the list without selection. Selecting raises no change notification.
void ModulePage::Preselect(const Slot& slot) const {
  char name[MAX_PATH] = {};
  ReadSetting("OBJECT", slot.kind.nameKey, name, MAX_PATH);
  const LRESULT entry =
      SendMessageA(slot.list.get(), CB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(name));
  if (entry != CB_ERR) SendMessageA(slot.list.get(), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

// Entry 0 stands for no module. A DLL that does not load empties the slot just
// the same, and the choice is saved either way.
void ModulePage::ChangeModule(const Slot& slot) const {
  const HWND list = slot.list.get();
  const LRESULT entry = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (entry == CB_ERR) return;
  const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0);
  if (length == CB_ERR || length >= MAX_PATH) return;
  char name[MAX_PATH] = {};
  SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(name));
  char path[MAX_PATH] = {};
  if (entry != 0 && !FormatPath(path, "%s\\%s", slot.folder, name)) return;

  LoadedLibrary module = entry != 0 ? LoadedLibrary::LoadFromPath(path) : LoadedLibrary();
  // The slot hands back the module it held; this reference frees it on leaving.
  const LoadedLibrary previous(face_->SetModule(slot.kind.number, module.Detach()));
  SYSTEMTIME now;
  GetLocalTime(&now);
  face_->Draw(&now);
  WriteSetting("OBJECT", slot.kind.pathKey, path, 0);
  WriteSetting("OBJECT", slot.kind.nameKey, name, 0);
  EnableConfig(slot);
}

// The module's settings window may run a modal loop of its own, in which the
// module could leave its slot; the extra reference keeps it loaded until Reset.
void ModulePage::OpenModuleConfig(const Slot& slot) const {
  const LoadedLibrary module = LoadedLibrary::Pin(face_->GetModule(slot.kind.number));
  const auto openConfig = module.Export<KelvaneModuleOpenConfigFn>("OpenConfig");
  if (openConfig == nullptr || openConfig(window_, 0) == 0) return;
  const auto reset = module.Export<KelvaneModuleResetFn>("Reset");
  if (reset != nullptr) reset();
}

void ModulePage::EnableConfig(const Slot& slot) const {
  EnableWindow(slot.config.get(), HasExport(face_->GetModule(slot.kind.number), "OpenConfig"));
}

int ModulePage::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (DrawTabButton(item)) return 1;
  const int id = static_cast<int>(item.CtlID);
  if (id != kClockConfigId && id != kInfoConfigId) return -1;
  int x = kButtonNormalX;
  if (item.itemState & ODS_DISABLED) {
    x = kButtonDisabledX;
  } else if (item.itemState & ODS_SELECTED) {
    x = kButtonPressedX;
  }
  DrawFromSkin(item, x, kButtonImageY);
  return 1;
}

int ModulePage::OnCommand(int id, int code) const {
  for (const Slot* slot : {&clock_, &info_}) {
    if (id == slot->kind.listId && code == CBN_SELCHANGE) ChangeModule(*slot);
    if (id == slot->kind.configId && code == BN_CLICKED) OpenModuleConfig(*slot);
  }
  return -1;
}
