#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <oleacc.h>

// The clock as a screen reader finds it: the accessible object of the clock
// window's client area, with the role of a clock and the current date and time in
// Japanese as its name ("12月9日(水) 14時05分"). Everything else comes from the
// system's standard object for the window.

// Answers WM_GETOBJECT: the clock's object for the client area, 0 (the system's
// own answer) for anything else. `readTime` gives the local time.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam,
                        void(WINAPI* readTime)(LPSYSTEMTIME));
