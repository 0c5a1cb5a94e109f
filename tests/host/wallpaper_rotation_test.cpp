#include "plugins/wallpaper/wallpaper_rotation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Which of `minutes` notifications reach the interval, as "0" and "1" characters.
std::string Reached(int autoChange, int interval, int minutes, int count = 0) {
  std::string marks;
  for (int i = 0; i < minutes; ++i) marks += CountMinute(autoChange, interval, &count) ? '1' : '0';
  return marks;
}

TEST(CountMinute, ReachesTheIntervalEveryNthMinuteWhileOn) {
  EXPECT_EQ(Reached(1, 3, 7), "0010010");
  EXPECT_EQ(Reached(1, 1, 3), "111");
  EXPECT_EQ(Reached(1, 0, 3), "111");
  EXPECT_EQ(Reached(1, -4, 2), "11");
  EXPECT_EQ(Reached(0, 1, 3), "000");
  EXPECT_EQ(Reached(1, 3, 2, 5), "10");  // a count already past the interval
  int count = 2;
  CountMinute(0, 3, &count);
  EXPECT_EQ(count, 2);  // nothing is counted while off
}

TEST(NextWallpaperIndex, StepsInOrderAndWraps) {
  const struct {
    unsigned last, count, next;
  } rows[] = {{0, 5, 1}, {3, 5, 4}, {4, 5, 0}, {9, 5, 0}, {0, 0, 0}, {0, 1, 0}, {7, 0, 0}};
  for (const auto& row : rows) {
    EXPECT_EQ(NextWallpaperIndex(row.last, row.count), row.next) << row.last << " of " << row.count;
  }
}

}  // namespace
