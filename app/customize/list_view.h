#pragma once

#include <windows.h>

#include "base/win/child_window.h"

// The report list of the background and plug-in pages: a list view across the
// page, one row per file. Owns the control.
class ListView {
 public:
  // Makes list view `id` in `dialog` with the given extended list-view style;
  // false when the control could not be made.
  bool Create(HWND dialog, int id, DWORD extendedStyle);
  void Destroy() { window_.Destroy(); }

  // Adds a left-aligned column at `index`.
  void AddColumn(int index, const char* header, int width) const;
  void DeleteAllRows() const;
  // Stops repainting while many rows go in, and repaints all of them once after.
  void HoldRedraw() const;
  void ReleaseRedraw() const;
  // Inserts a row at `row` whose first column shows `text`; its index, or -1.
  int InsertRow(int row, const char* text) const;
  void SetText(int row, int column, const char* text) const;
  // Copies the text of one cell into `buffer` of `size` characters, cut to fit.
  void GetText(int row, int column, char* buffer, int size) const;
  int RowCount() const;
  // The first selected row, or -1.
  int FirstSelected() const;
  // The row's check box: state image 1 is a clear box, any other counts as ticked.
  bool IsTicked(int row) const;
  void SetTicked(int row, bool ticked) const;

  HWND get() const { return window_.get(); }

 private:
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(window_.get(), message, wParam, lParam);
  }

  ChildWindow window_;
};
