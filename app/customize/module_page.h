#pragma once

#include <windows.h>

#include "app/customize/customize_page.h"
#include "base/win/child_window.h"
#include "base/win/gdi_handles.h"

class ClockFace;

// Page 2 of the customize dialog: a drop-down list of the DLLs of "<program
// dir>\clock" for the clock module and one of "<program dir>\info" for the info
// module, each with a button for the module's own settings. A choice swaps the
// module in the running clock and is saved at once; leaving saves nothing.
class ModulePage : public CustomizePage {
 public:
  static constexpr int kClockListId = 1022;
  static constexpr int kInfoListId = 1023;
  static constexpr int kClockConfigId = 1024;
  static constexpr int kInfoConfigId = 1025;

  ModulePage() : CustomizePage(2) {}

  void Create(HWND window, PageParams* params) override;
  void Destroy() override;
  void Paint(HWND window, HDC dc) override;
  int HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // What tells the face's two slots apart.
  struct SlotKind {
    int number;  // the face's slot: 1 clock, 2 info
    int listId;
    int configId;
    const char* folderName;
    const char* pathKey;  // in section "OBJECT"
    const char* nameKey;
  };
  // One module slot of the face with its list, its settings button and its folder.
  struct Slot {
    explicit Slot(const SlotKind& what) : kind(what) {}

    const SlotKind& kind;
    ChildWindow list;
    ChildWindow config;
    char folder[MAX_PATH] = {};
  };
  static constexpr SlotKind kClockSlotKind{1,       kClockListId,  kClockConfigId,
                                           "clock", "MODULE_PATH", "MODULE_NAME"};
  static constexpr SlotKind kInfoSlotKind{2,      kInfoListId,    kInfoConfigId,
                                          "info", "MODULE_PATH2", "MODULE_NAME2"};

  void BuildSlot(Slot& slot, int top, const char* dir) const;
  void FillList(const Slot& slot) const;
  void Preselect(const Slot& slot) const;
  void ChangeModule(const Slot& slot) const;
  void OpenModuleConfig(const Slot& slot) const;
  // The settings button works only while the slot's module has settings to show.
  void EnableConfig(const Slot& slot) const;
  int DrawItem(const DRAWITEMSTRUCT& item) const;
  int OnCommand(int id, int code) const;

  GdiObject<HFONT> font_;
  ClockFace* face_ = nullptr;
  Slot clock_{kClockSlotKind};
  Slot info_{kInfoSlotKind};
};
