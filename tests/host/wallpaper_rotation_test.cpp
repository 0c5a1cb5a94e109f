#include "plugins/wallpaper/wallpaper_rotation.h"

#include <gtest/gtest.h>

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

TEST(ShuffledIndex, GivesEachIndexOnceAndAnotherOrderForAnotherSeed) {
  for (const unsigned count : {1u, 2u, 3u, 5u, 16u, 17u, 1000u}) {
    std::vector<unsigned> order;
    std::set<unsigned> seen;
    for (unsigned position = 0; position < count; ++position) {
      order.push_back(ShuffledIndex(7, count, position));
      seen.insert(order.back());
    }
    EXPECT_EQ(seen.size(), count);
    EXPECT_LT(*seen.rbegin(), count);
    if (count >= 16) {
      std::vector<unsigned> other;
      for (unsigned p = 0; p < count; ++p) other.push_back(ShuffledIndex(8, count, p));
      EXPECT_NE(order, other) << count;
    }
  }
}

// Three rounds over `count` files, from a state that starts a round or continues one.
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
  // A stored state in the middle of a round goes on with that round's order; one
  // beyond a list that shrank begins a new round.
  const unsigned count = 20;
  EXPECT_EQ(Shuffle(count, {1234, 5}, 0, 3),
            (std::vector<unsigned>{ShuffledIndex(1234, count, 5), ShuffledIndex(1234, count, 6),
                                   ShuffledIndex(1234, count, 7)}));
  const std::vector<unsigned> fresh = Shuffle(count, {1234, 25}, 0, static_cast<int>(count));
  EXPECT_EQ(std::set<unsigned>(fresh.begin(), fresh.end()).size(), count);
}

}  // namespace
