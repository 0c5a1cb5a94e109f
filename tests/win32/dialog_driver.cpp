#include "tests/win32/dialog_driver.h"

#include "base/win/gdi_handles.h"
#include "tests/win32/test_support.h"

namespace {

struct DialogSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<DialogSearch*>(lParam);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || lstrcmpA(className, "#32770") != 0 ||
      !IsWindowVisible(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

void SendKey(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

HWND WaitForDialog(DWORD processId, DWORD timeoutMs) {
  DialogSearch search{processId, nullptr};
  WaitFor(
      [&search] {
        search.found = nullptr;
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return WaitFor([window] { return GetForegroundWindow() == window; }, 5000);
}

void Click(int x, int y) {
  MoveMouse(x, y);
  PressLeftButton();
  ReleaseLeftButton();
}

void PressKey(WORD key, bool alt) {
  if (alt) SendKey(VK_MENU, 0);
  SendKey(key, 0);
  SendKey(key, KEYEVENTF_KEYUP);
  if (alt) SendKey(VK_MENU, KEYEVENTF_KEYUP);
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

std::vector<COLORREF> CaptureScreen(const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  WindowDc screen(nullptr);
  GdiObject<HBITMAP> bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc memory(screen.get());
  {
    ScopedSelect select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
  }
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
  const auto* quads = static_cast<const RGBQUAD*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
  }
  return pixels;
}

int InkInClientRect(HWND window, const RECT& rect) {
  const POINT topLeft = ClientToScreenPoint(window, rect.left, rect.top);
  const RECT screen{topLeft.x, topLeft.y, topLeft.x + rect.right - rect.left,
                    topLeft.y + rect.bottom - rect.top};
  int ink = 0;
  for (COLORREF pixel : CaptureScreen(screen)) ink += pixel != RGB(255, 255, 255);
  return ink;
}
