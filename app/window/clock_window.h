#pragma once

#include <windows.h>

struct ClockProgram;

// Class name and title of the clock window; also the name of the single-instance mutex.
constexpr char kClockName[] = "Kelvane";

// Timers on the clock window.
constexpr UINT_PTR kTickTimer = 0;    // just after each second: a new face
constexpr UINT_PTR kRedrawTimer = 1;  // started by a module that wants more faces
constexpr UINT_PTR kWatchTimer = 2;   // 333 ms: is the cursor still near the hidden clock?
constexpr UINT_PTR kReshowTimer = 3;  // 1000 ms: show the clock again when the cursor stayed away

constexpr UINT kTrayCallbackMessage = WM_USER + 123;
// Posted by the foreground watch when another window comes to the foreground.
constexpr UINT kForegroundChangedMessage = WM_APP + 0x101;

// The clock's face size on a screen of `dpi`: 200 up to 96 DPI, in proportion above.
int FaceSizeAt(UINT dpi);

// Cuts the clock window to its outline at face size `size` and sizes it, keeping
// its top-left corner; false when no outline could be set.
bool ShapeClockWindow(HWND window, int size);

// Registers the window class "Kelvane" with the clock window procedure.
bool RegisterClockWindowClass(HINSTANCE instance);

// Makes `program` the state the window procedure of `window` works on.
void BindClockWindow(HWND window, ClockProgram* program);

LRESULT CALLBACK ClockWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Composes and notifies when the local second changed, and arms the tick timer
// for just after the next second.
void Tick(HWND window, ClockProgram& program);

// The tray icon a click-through clock keeps, so that the user can reach its menu.
void FollowSeeThrough(HWND window, ClockProgram& program);

// One step of mouse dodging. Phase 0: the cursor is over the clock; 1: the re-show
// timer ticked; 2: the watch timer ticked while the clock is hidden.
void AutoHideStep(HWND window, int phase);
