#pragma once

#include <windows.h>

#include "app/customize/dialog_page.h"

// The id of the customize dialog's tab button of page `page` (1 to 3): 1001 to 1003.
constexpr int TabButtonId(int page) { return 1000 + page; }

// What the three pages of the customize dialog share: each belongs to one tab,
// marks that tab as current in the shared skin, draws the tab buttons and copies
// the skin's header onto the dialog.
class CustomizePage : public DialogPage {
 protected:
  // `number` is the page's tab: 1 background, 2 drawing modules, 3 plug-ins.
  explicit CustomizePage(int number) : number_(number) {}

  // Keeps the dialog window and the skin from `params`.
  void Begin(HWND window, const PageParams& params);
  // Lays the plain tab strip over the skin's tab area, then the page's own cell
  // from the highlighted strip.
  void MarkTab() const;
  // Copies a block of the skin to another place in the skin.
  void CopyWithinSkin(int fromX, int fromY, int width, int height, int toX, int toY) const;
  // Redraws the whole dialog and disables the page's tab button, which cannot be
  // pressed while its page is current.
  void ShowBuilt() const;
  // Enables and shows the page's tab button again, as the page is left.
  void ReleaseTab() const;
  // Draws tab button 1001, 1002 or 1003 (the page's own highlighted); false for
  // any other control.
  bool DrawTabButton(const DRAWITEMSTRUCT& item) const;
  // Copies the skin at (x, y), in the item's size, onto the item.
  void DrawFromSkin(const DRAWITEMSTRUCT& item, int x, int y) const;
  // Copies skin rows `top` to `bottom` - 1 across the client width onto `dc`.
  void CopySkinRows(HDC dc, int top, int bottom) const;

  DrawSurface* skin_ = nullptr;

 private:
  int number_;
};
