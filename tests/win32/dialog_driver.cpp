#include "tests/win32/dialog_driver.h"

#include "base/win/gdi_handles.h"
#include "tests/win32/test_support.h"

namespace {

struct DialogQuery {
  DWORD processId;
  const char* title;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
  auto* query = reinterpret_cast<DialogQuery*>(lParam);
  char className[16] = {}, title[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  if (ProcessOf(window) == query->processId && lstrcmpA(className, "#32770") == 0 &&
      (query->title == nullptr || lstrcmpA(title, query->title) == 0) &&
      (!query->visibleOnly || IsWindowVisible(window))) {
    query->found.push_back(window);
  }
  return TRUE;
}

void SendKey(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

std::vector<HWND> FindDialogs(DWORD processId, DWORD threadId, const char* title,
                              bool visibleOnly) {
  DialogQuery query{processId, title, visibleOnly, {}};
  if (threadId != 0) {
    EnumThreadWindows(threadId, MatchDialog, reinterpret_cast<LPARAM>(&query));
  } else {
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
  }
  return query.found;
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        const std::vector<HWND> dialogs = FindDialogs(processId);
        found = dialogs.empty() ? nullptr : dialogs.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
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
