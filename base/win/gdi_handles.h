#pragma once

#include <windows.h>

// Scoped owners for the GDI objects the drawing code makes and borrows. Declare
// them in the order of acquisition: the reverse order of destruction then
// deselects before it deletes.

// Owns one GDI object (pen, brush, bitmap, font, region) and deletes it.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const { return handle_; }

  // Deletes the object held and takes `handle` in its place.
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_;
};

// Owns a memory device context compatible with `dc` (the screen when null).
class MemoryDc {
 public:
  explicit MemoryDc(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Borrows a window's device context and releases it.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  // With GetDCEx `flags`, for example DCX_CACHE | DCX_CLIPCHILDREN to leave the
  // child windows' pixels alone.
  WindowDc(HWND window, DWORD flags) : window_(window), dc_(GetDCEx(window, nullptr, flags)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context and puts the replaced one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Sets the background and text colours of `dc` for the length of a scope and gives
// the previous ones back at its end.
class ScopedColors {
 public:
  ScopedColors(HDC dc, COLORREF background, COLORREF text)
      : dc_(dc), background_(SetBkColor(dc, background)), text_(SetTextColor(dc, text)) {}
  ~ScopedColors() {
    if (background_ != CLR_INVALID) SetBkColor(dc_, background_);
    if (text_ != CLR_INVALID) SetTextColor(dc_, text_);
  }
  ScopedColors(const ScopedColors&) = delete;
  ScopedColors& operator=(const ScopedColors&) = delete;

 private:
  HDC dc_;
  COLORREF background_;
  COLORREF text_;
};

// Owns an icon made by LoadImage or CreateIcon and destroys it.
class IconHandle {
 public:
  explicit IconHandle(HICON icon) : icon_(icon) {}
  ~IconHandle() {
    if (icon_ != nullptr) DestroyIcon(icon_);
  }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;

  HICON get() const { return icon_; }

 private:
  HICON icon_;
};
