#include "app/customize/customize_page.h"

#include "imaging/draw_surface.h"

namespace {

// Where the tab cells lie in the skin's two tab-strip rows, and how wide a page
// copies its highlighted cell.
constexpr int kTabX[] = {0, 60, 130};
constexpr int kHighlightWidth[] = {63, 68, 68};
constexpr int kPlainStripY = 250;
constexpr int kHighlightedStripY = 275;
constexpr int kStripWidth = 192;
constexpr int kStripHeight = 25;
constexpr int kTabAreaY = 20;

}  // namespace

void CustomizePage::Begin(HWND window, const PageParams& params) {
  window_ = window;
  skin_ = params.skin;
}

void CustomizePage::MarkTab() const {
  CopyWithinSkin(0, kPlainStripY, kStripWidth, kStripHeight, 0, kTabAreaY);
  const int x = kTabX[number_ - 1];
  CopyWithinSkin(x, kHighlightedStripY, kHighlightWidth[number_ - 1], kStripHeight, x, kTabAreaY);
}

void CustomizePage::CopyWithinSkin(int fromX, int fromY, int width, int height, int toX,
                                   int toY) const {
  const HDC dc = skin_->memoryDc();
  BitBlt(dc, toX, toY, width, height, dc, fromX, fromY, SRCCOPY);
}

void CustomizePage::ShowBuilt() const {
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EnableWindow(GetDlgItem(window_, TabButtonId(number_)), FALSE);
}

void CustomizePage::ReleaseTab() const {
  const HWND tab = GetDlgItem(window_, TabButtonId(number_));
  EnableWindow(tab, TRUE);
  ShowWindow(tab, SW_SHOW);
}

bool CustomizePage::DrawTabButton(const DRAWITEMSTRUCT& item) const {
  const int tab = static_cast<int>(item.CtlID) - TabButtonId(0);
  if (tab < 1 || tab > 3) return false;
  DrawFromSkin(item, kTabX[tab - 1], tab == number_ ? kHighlightedStripY : kPlainStripY);
  return true;
}

void CustomizePage::DrawFromSkin(const DRAWITEMSTRUCT& item, int x, int y) const {
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
         item.rcItem.bottom - item.rcItem.top, skin_->memoryDc(), x, y, SRCCOPY);
}

void CustomizePage::CopySkinRows(HDC dc, int top, int bottom) const {
  RECT client;
  GetClientRect(window_, &client);
  BitBlt(dc, 0, top, client.right, bottom - top, skin_->memoryDc(), 0, top, SRCCOPY);
}
