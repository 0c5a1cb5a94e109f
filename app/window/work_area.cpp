#include "app/window/work_area.h"

#include <algorithm>
#include <climits>

namespace {

LONG ToLong(long long value) {
  return static_cast<LONG>(std::clamp<long long>(value, LONG_MIN, LONG_MAX));
}

// `start` .. `start` + `size` moved inside `low` .. `high` where it fits, to `low`
// where it does not.
long long KeepSpanInside(long long start, long long size, long long low, long long high) {
  if (start + size > high) start = high - size;
  return std::max(start, low);
}

POINT CentreOf(const RECT& rect) {
  return POINT{ToLong((static_cast<long long>(rect.left) + rect.right) / 2),
               ToLong((static_cast<long long>(rect.top) + rect.bottom) / 2)};
}

}  // namespace

RECT RectAt(int x, int y, int width, int height) {
  const LONG left = std::min<LONG>(x, LONG_MAX - width);
  const LONG top = std::min<LONG>(y, LONG_MAX - height);
  return RECT{left, top, left + width, top + height};
}

RECT KeepInside(const RECT& window, const RECT& area) {
  const long long width = static_cast<long long>(window.right) - window.left;
  const long long height = static_cast<long long>(window.bottom) - window.top;
  const long long left = KeepSpanInside(window.left, width, area.left, area.right);
  const long long top = KeepSpanInside(window.top, height, area.top, area.bottom);
  return RECT{ToLong(left), ToLong(top), ToLong(left + width), ToLong(top + height)};
}

RECT ReachablePlace(const RECT& window) {
  const POINT centre = CentreOf(window);
  if (MonitorFromPoint(centre, MONITOR_DEFAULTTONULL) != nullptr) return window;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return window;
  }
  return KeepInside(window, monitor.rcWork);
}

bool WorkAreaOf(HWND window, RECT* area) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
  *area = monitor.rcWork;
  return true;
}
