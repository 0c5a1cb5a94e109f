#include "app/window/second_tick.h"

#include <gtest/gtest.h>

namespace {

TEST(TickInterval, SteadyOnTheBeatJustAfterTheNextSecondOffItAtOnceWhenThePastIsShown) {
  const struct {
    uint16_t shown, second, millisecond;
    unsigned interval;
  } rows[] = {
      {5, 5, 1, 1000},    // on the beat: the timer runs on at one second
      {5, 5, 0, 1001},    // a steady timer drifted early: armed a little later
      {5, 5, 2, 999},     // off the beat: armed for just after the next second
      {5, 5, 400, 601},   // the timer fired early, or the work took 400 ms
      {5, 5, 999, 2},     // a millisecond before the next second
      {5, 6, 3, 1},       // the next second began while the tick worked
      {30, 10, 500, 1},   // the clock was set back: compose at once
      {0xFFFF, 7, 0, 1},  // nothing shown yet
      {5, 5, 1000, 1},    // a leap second's 1000 ms
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TickInterval(row.shown, row.second, row.millisecond), row.interval)
        << row.shown << " " << row.second << "." << row.millisecond;
  }
}

}  // namespace
