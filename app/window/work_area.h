#pragma once

#include <windows.h>

// Keeping windows reachable on the monitors there are now: the clock at start-up
// and after a change of the displays, and the customize dialog below it.

// The rectangle of a window of `width` x `height` at (x, y). A window whose far
// edge would lie beyond the int range (a hostile saved position) starts as far out
// as it can; it is on no monitor either way.
RECT RectAt(int x, int y, int width, int height);

// `window` moved as little as needed to lie inside `area` where it fits, and to
// its left or top edge where it does not.
RECT KeepInside(const RECT& window, const RECT& area);

// Where `window` can be reached: where it is while its centre lies on a monitor,
// otherwise inside the work area of the monitor nearest to its centre.
RECT ReachablePlace(const RECT& window);

// The work area of the monitor that holds most of `window` (the nearest one when
// none does); false when it cannot be asked.
bool WorkAreaOf(HWND window, RECT* area);
