#include "plugins/wallpaper/wallpaper_rotation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

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

std::vector<unsigned> Order(uint32_t seed, unsigned count) {
  std::vector<unsigned> order;
  for (unsigned position = 0; position < count; ++position) {
    order.push_back(ShuffledIndex(seed, count, position));
  }
  return order;
}

TEST(ShuffledIndex, GivesEachIndexOnceAndAnotherOrderForAnotherSeed) {
  for (const unsigned count : {1u, 2u, 3u, 5u, 16u, 17u, 1000u}) {
    const std::vector<unsigned> order = Order(7, count);
    EXPECT_EQ(std::set<unsigned>(order.begin(), order.end()).size(), count);
    EXPECT_LT(*std::max_element(order.begin(), order.end()), count);
  }
  EXPECT_NE(Order(7, 1000), Order(8, 1000));
}

// `steps` indices from a state that starts a round or continues one.
std::vector<unsigned> Shuffle(unsigned count, ShuffleState state, unsigned last, int steps) {
  std::vector<unsigned> set;
  for (int step = 0; step < steps; ++step) {
    last = NextShuffledIndex(&state, count, last, 1000u + static_cast<unsigned>(step));
    set.push_back(last);
  }
  return set;
}

TEST(NextShuffledIndex, SetsEveryPictureOnceARoundWithoutRepeatingAcrossRounds) {
  for (const unsigned count : {2u, 3u, 50u}) {
    const std::vector<unsigned> set = Shuffle(count, {0, 0}, 0, static_cast<int>(3 * count));
    for (unsigned round = 0; round < 3; ++round) {
      const std::set<unsigned> once(set.begin() + round * count, set.begin() + (round + 1) * count);
      EXPECT_EQ(once.size(), count) << count << " round " << round;
    }
    for (size_t i = 1; i < set.size(); ++i) EXPECT_NE(set[i], set[i - 1]) << count << " at " << i;
  }
  // A stored position beyond a list that shrank begins a new round.
  const unsigned count = 20;
  const std::vector<unsigned> fresh = Shuffle(count, {1234, 25}, 0, static_cast<int>(count));
  EXPECT_EQ(std::set<unsigned>(fresh.begin(), fresh.end()).size(), count);
}

}  // namespace
