#pragma once

#include <windows.h>

#include <vector>

#include "app/window/placement.h"

// The monitors there are now, and the placements of placement.h in the
// platform's rectangles.

std::vector<MonitorArea> CurrentMonitors();

// The rectangle of a window of `width` x `height` at (x, y). A window whose far
// edge would lie beyond the int range (a hostile saved position) starts as far out
// as it can; it is on no monitor either way.
RECT RectAt(int x, int y, int width, int height);

RECT ToRect(const Area& area);
Area ToArea(const RECT& rect);

// `window` moved as little as needed to lie inside `area`, or to its left or top.
RECT KeepInside(const RECT& window, const RECT& area);

// Where `window` can be reached on the monitors there are now (see Reachable).
RECT ReachablePlace(const RECT& window);

// The work area of the monitor that holds most of `window` (the nearest one when
// none does); false when it cannot be asked.
bool WorkAreaOf(HWND window, RECT* area);
