#pragma once

#include <windows.h>

// Owns a control made inside a dialog or window and destroys it.
class ChildWindow {
 public:
  ChildWindow() = default;
  ~ChildWindow() { Destroy(); }
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;

  // Makes control `id` of `parent` (no extended style), destroying what was held
  // first; false when the control could not be made.
  bool Create(HWND parent, int id, const char* className, const char* text, DWORD style, int x,
              int y, int width, int height) {
    Destroy();
    window_ = CreateWindowExA(0, className, text, style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
    return window_ != nullptr;
  }

  void Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
  }

  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};
