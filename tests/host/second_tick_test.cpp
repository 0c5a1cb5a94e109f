#include "app/window/second_tick.h"

#include <gtest/gtest.h>

namespace {

TEST(TickInterval, SteadyOnTheBeatJustAfterTheNextSecondOffItAtOnceWhenThePastIsShownInPlaceWhenTooShort) {
  const struct {
    uint16_t shown, second, millisecond;
    unsigned interval, wait;
  } rows[] = {
      {5, 5, 1, 1000, 0},    // on the beat: the timer runs on at one second
      {5, 5, 0, 1001, 0},    // a steady timer drifted early: armed a little later
      {5, 5, 2, 999, 0},     // off the beat: armed for just after the next second
      {5, 5, 400, 601, 0},   // the timer fired early, or the work took 400 ms
      {5, 5, 990, 11, 0},    // a timer can still wait the rest of the second
      {5, 5, 991, 10, 9},    // too short for a timer: the tick waits in place
      {5, 5, 999, 2, 1},     // a millisecond before the next second
      {5, 6, 3, 1, 0},       // the next second began while the tick worked
      {30, 10, 500, 1, 0},   // the clock was set back: compose at once
      {0xFFFF, 7, 0, 1, 0},  // nothing shown yet
      {5, 5, 1000, 1, 0},    // a leap second's 1000 ms
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TickInterval(row.shown, row.second, row.millisecond), row.interval)
        << row.shown << " " << row.second << "." << row.millisecond;
    EXPECT_EQ(WaitInPlace(row.shown, row.second, row.millisecond), row.wait)
        << row.shown << " " << row.second << "." << row.millisecond;
  }
}

}  // namespace
