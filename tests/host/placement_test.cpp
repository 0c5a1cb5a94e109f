#include "app/window/placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool operator==(const Area& a, const Area& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

Area Box(long long x, long long y, long long size = 200) { return {x, y, x + size, y + size}; }

// A laptop screen with its taskbar at the bottom, and a screen to its right.
const MonitorArea kLaptop = {{0, 0, 1024, 768}, {0, 0, 1024, 728}};
const MonitorArea kRight = {{1024, 0, 2944, 1080}, {1024, 0, 2944, 1040}};

TEST(Placement, TheClockGoesBackToItsSavedPlaceWhenItsMonitorIsThereAgain) {
  const Area saved = Box(2000, 500);
  const struct {
    const char* what;
    std::vector<MonitorArea> monitors;
    const Area* saved;
    Area current, expected;
  } rows[] = {
      {"the right screen unplugged: kept reachable",
       {kLaptop},
       &saved,
       Box(2000, 500),
       Box(824, 500)},
      {"plugged in again: back where it was saved",
       {kLaptop, kRight},
       &saved,
       Box(824, 500),
       Box(2000, 500)},
      {"a taskbar over it: inside the work area",
       {{kRight.bounds, {1024, 0, 2944, 600}}},
       &saved,
       Box(2000, 500),
       Box(2000, 400)},
      {"never saved: where it is", {kLaptop}, nullptr, Box(300, 300), Box(300, 300)},
      {"its centre on no monitor: the nearest", {kLaptop}, nullptr, Box(-900, 100), Box(0, 100)},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(AfterDisplayChange(row.saved, row.current, row.monitors) == row.expected)
        << row.what;
  }
}

TEST(Placement, StartUpMovesOnlyAClockWhoseCentreIsOnNoMonitor) {
  const std::vector<MonitorArea> monitors = {kLaptop, kRight};
  EXPECT_TRUE(Reachable(Box(900, 650), monitors) == Box(900, 650));  // over the taskbar
  EXPECT_TRUE(Reachable(Box(5000, -4000), monitors) == Box(2744, 0));
  EXPECT_TRUE(Reachable(Box(2147483647, 0), monitors) == Box(2744, 0));
}

}  // namespace
