#include "app/customize/list_view.h"

#include <commctrl.h>

namespace {

constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_NOLABELWRAP | LVS_NOSORTHEADER;

}  // namespace

bool ListView::Create(HWND dialog, int id, DWORD extendedStyle) {
  if (!window_.Create(dialog, id, WC_LISTVIEWA, "", kListStyle, 0, 50, 320, 148)) return false;
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(extendedStyle));
  return true;
}

void ListView::AddColumn(int index, const char* header, int width) const {
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<char*>(header);
  column.iSubItem = index;
  Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void ListView::DeleteAllRows() const { Send(LVM_DELETEALLITEMS, 0, 0); }

void ListView::HoldRedraw() const { Send(WM_SETREDRAW, FALSE, 0); }

void ListView::ReleaseRedraw() const {
  Send(WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window_.get(), nullptr, TRUE);
}

int ListView::InsertRow(int row, const char* text) const {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(text);
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetText(int row, int column, const char* text) const {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::GetText(int row, int column, char* buffer, int size) const {
  buffer[0] = '\0';
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = size;
  Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ListView::RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0)); }

int ListView::FirstSelected() const {
  return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool ListView::IsTicked(int row) const {
  const LRESULT state = Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return (state & LVIS_STATEIMAGEMASK) != INDEXTOSTATEIMAGEMASK(1);
}

void ListView::SetTicked(int row, bool ticked) const {
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}
