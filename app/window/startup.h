#pragma once

#include <windows.h>

struct ClockProgram;

// Brings up the clock: single-instance check, window, shape, saved position and
// options, face, background and modules, plug-ins, tick timer. Returns 1 when the clock
// runs, 0 when the program must end (another clock runs, or the window could
// not be made).
int Startup(HINSTANCE instance, ClockProgram& program);

// The ordinary message loop; returns when the quit message arrives.
void RunMessageLoop();

// Stops the tick, releases modules and plug-ins, writes the stacking mode back and
// removes the tray icon.
void Shutdown(ClockProgram& program);
