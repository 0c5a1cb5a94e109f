#pragma once

#include <windows.h>

#include <vector>

// Drives windows from outside as a user would: input through SendInput, results read
// back from the screen.

// The dialog windows (class "#32770") of process `processId`: of its thread
// `threadId` only when that is not 0, of that title only when `title` is given, and
// only the visible ones when `visibleOnly` (a dialog shows only once its modal loop
// first idles).
std::vector<HWND> FindDialogs(DWORD processId, DWORD threadId = 0, const char* title = nullptr,
                              bool visibleOnly = true);

// A visible dialog window of process `processId`, or null after the timeout.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs = 10000);

// The process that made `window`.
DWORD ProcessOf(HWND window);
// Makes `window` the foreground window, where the keyboard goes; false when it
// did not become it within 5 s.
bool BringToFront(HWND window);

// Moves the pointer to a screen point and presses and releases the left button there.
void Click(int x, int y);
// Presses and releases `key`, with Alt held when `alt` is set.
void PressKey(WORD key, bool alt = false);

// The screen position of a point in `window`'s client area.
POINT ClientToScreenPoint(HWND window, int x, int y);
// The screen's pixels in `rect` (screen coordinates), row by row, as COLORREF.
std::vector<COLORREF> CaptureScreen(const RECT& rect);
// How many pixels of `rect` in `window`'s client area are not white on the screen.
int InkInClientRect(HWND window, const RECT& rect);
