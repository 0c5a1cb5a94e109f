#include "app/window/placement.h"

#include <algorithm>

namespace {

struct Point {
  long long x, y;
};

Point CentreOf(const Area& area) {
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

bool Contains(const Area& area, Point point) {
  return point.x >= area.left && point.x < area.right && point.y >= area.top &&
         point.y < area.bottom;
}

// How far `point` lies from `area`, squared; 0 inside.
long long DistanceSquared(const Area& area, Point point) {
  const long long dx = std::max({area.left - point.x, 0LL, point.x - (area.right - 1)});
  const long long dy = std::max({area.top - point.y, 0LL, point.y - (area.bottom - 1)});
  return dx * dx + dy * dy;
}

// The monitor under `point`, or null.
const MonitorArea* MonitorAt(Point point, const std::vector<MonitorArea>& monitors) {
  for (const MonitorArea& monitor : monitors) {
    if (Contains(monitor.bounds, point)) return &monitor;
  }
  return nullptr;
}

const MonitorArea* Nearest(Point point, const std::vector<MonitorArea>& monitors) {
  const MonitorArea* nearest = nullptr;
  for (const MonitorArea& monitor : monitors) {
    if (nearest == nullptr ||
        DistanceSquared(monitor.bounds, point) < DistanceSquared(nearest->bounds, point)) {
      nearest = &monitor;
    }
  }
  return nearest;
}

long long KeepSpanInside(long long start, long long size, long long low, long long high) {
  if (start + size > high) start = high - size;
  return std::max(start, low);
}

}  // namespace

Area KeepInside(const Area& window, const Area& area) {
  const long long width = window.right - window.left;
  const long long height = window.bottom - window.top;
  const long long left = KeepSpanInside(window.left, width, area.left, area.right);
  const long long top = KeepSpanInside(window.top, height, area.top, area.bottom);
  return {left, top, left + width, top + height};
}

Area Reachable(const Area& window, const std::vector<MonitorArea>& monitors) {
  const Point centre = CentreOf(window);
  if (MonitorAt(centre, monitors) != nullptr) return window;
  const MonitorArea* nearest = Nearest(centre, monitors);
  return nearest != nullptr ? KeepInside(window, nearest->work) : window;
}

Area AfterDisplayChange(const Area* saved, const Area& current,
                        const std::vector<MonitorArea>& monitors) {
  const Area& place =
      saved != nullptr && MonitorAt(CentreOf(*saved), monitors) != nullptr ? *saved : current;
  const MonitorArea* monitor = Nearest(CentreOf(place), monitors);
  return monitor != nullptr ? KeepInside(place, monitor->work) : place;
}
