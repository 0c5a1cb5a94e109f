#pragma once

#include <vector>

// Where windows stand on the monitors there are: the clock at start-up and after a
// change of the displays, the customize dialog below it. Win32-free, so that the
// decisions are tested with monitors the test machine does not have; coordinates
// are wide, so that no hostile position overflows.

struct Area {
  long long left, top, right, bottom;
};

struct MonitorArea {
  Area bounds;
  Area work;  // without the taskbars
};

// `window` moved as little as needed to lie inside `area` where it fits, and to
// its left or top edge where it does not.
Area KeepInside(const Area& window, const Area& area);

// Where `window` can be reached: where it is while its centre lies on a monitor,
// otherwise inside the work area of the monitor nearest to its centre.
Area Reachable(const Area& window, const std::vector<MonitorArea>& monitors);

// Where the clock stands after the monitors or their work areas changed: back at
// its `saved` place (when there is one) if that place's centre lies on a monitor
// again, otherwise where it is now; either way inside the work area of the monitor
// under its centre, or of the nearest one.
Area AfterDisplayChange(const Area* saved, const Area& current,
                        const std::vector<MonitorArea>& monitors);
