#pragma once

#include <windows.h>

class ClockFace;
class DrawSurface;
class PluginHost;

// What the customize dialog hands a page as it builds it. The record lives only for
// the Create call; pages copy the pointers they keep.
struct PageParams {
  ClockFace* face;      // the running clock's compositor
  DrawSurface* skin;    // the dialog's skin; pages draw from it and mark their tab in it
  PluginHost* plugins;  // the running clock's plug-in host
  // True once the dialog is being destroyed with the clock window: the program is
  // ending, and a page leaves without starting anything on the clock.
  const bool* clockClosing;
};

// A page of the customize dialog. The operations keep this slot order, and the
// destructor comes after them.
class DialogPage {
 public:
  DialogPage(const DialogPage&) = delete;
  DialogPage& operator=(const DialogPage&) = delete;

  // Builds the page inside the dialog `window`.
  virtual void Create(HWND window, PageParams* params) = 0;
  // Destroys the page's controls and saves what the page saves on leaving.
  virtual void Destroy() = 0;
  // Paints the parts of the client area that the page owns into `dc`.
  virtual void Paint(HWND window, HDC dc) = 0;
  // Sees a dialog message before the frame: -1 when not handled, otherwise the value
  // the dialog procedure returns at once.
  virtual int HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual ~DialogPage() = default;

 protected:
  DialogPage() = default;

  HWND window_ = nullptr;  // the dialog window, set by Create
};
