#include "app/window/work_area.h"

#include <algorithm>
#include <climits>

namespace {

LONG ToLong(long long value) {
  return static_cast<LONG>(std::clamp<long long>(value, LONG_MIN, LONG_MAX));
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(handle, &info)) {
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
        {ToArea(info.rcMonitor), ToArea(info.rcWork)});
  }
  return TRUE;
}

}  // namespace

std::vector<MonitorArea> CurrentMonitors() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

RECT RectAt(int x, int y, int width, int height) {
  const LONG left = std::min<LONG>(x, LONG_MAX - width);
  const LONG top = std::min<LONG>(y, LONG_MAX - height);
  return RECT{left, top, left + width, top + height};
}

RECT ToRect(const Area& area) {
  return RECT{ToLong(area.left), ToLong(area.top), ToLong(area.right), ToLong(area.bottom)};
}

Area ToArea(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

RECT KeepInside(const RECT& window, const RECT& area) {
  return ToRect(KeepInside(ToArea(window), ToArea(area)));
}

RECT ReachablePlace(const RECT& window) {
  return ToRect(Reachable(ToArea(window), CurrentMonitors()));
}

bool WorkAreaOf(HWND window, RECT* area) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
  *area = monitor.rcWork;
  return true;
}
