#pragma once

#include <windows.h>

struct ClockProgram;

// Class name and title of the clock window; also the name of the single-instance mutex.
constexpr char kClockName[] = "Kelvane";

// Timers on the clock window.
constexpr UINT_PTR kTickTimer = 0;    // 100 ms: a new face when the second changed
constexpr UINT_PTR kRedrawTimer = 1;  // started by a module that wants more faces
constexpr UINT_PTR kWatchTimer = 2;   // 333 ms: is the cursor still near the hidden clock?
constexpr UINT_PTR kReshowTimer = 3;  // 1000 ms: show the clock again when the cursor stayed away

// Context menu commands.
constexpr UINT kCommandClose = 40001;
constexpr UINT kCommandCustomize = 40002;
constexpr UINT kCommandNormal = 40004;
constexpr UINT kCommandTopmost = 40005;
constexpr UINT kCommandBottom = 40006;
constexpr UINT kCommandAutoHide = 40008;
constexpr UINT kCommandHide = 40009;
constexpr UINT kCommandLock = 40010;

constexpr int kContextMenuId = 106;
constexpr int kTrayIconId = 118;
constexpr UINT kTrayCallbackMessage = WM_USER + 123;

// Registers the window class "Kelvane" with the clock window procedure.
bool RegisterClockWindowClass(HINSTANCE instance);

// Makes `program` the state the window procedure of `window` works on.
void BindClockWindow(HWND window, ClockProgram* program);

LRESULT CALLBACK ClockWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One step of mouse dodging. Phase 0: the cursor is over the clock; 1: the re-show
// timer ticked; 2: the watch timer ticked while the clock is hidden.
void AutoHideStep(HWND window, int phase);
