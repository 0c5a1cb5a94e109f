#include "app/plugins/time_change_tracker.h"

#include <gtest/gtest.h>

namespace {

struct Step {
  uint16_t hour, minute, second;
  const char* expected;  // "smh" letters for the changes reported, "" for none
};

std::string Changes(const TimeChange& change) {
  return std::string(change.second ? "s" : "") + (change.minute ? "m" : "") +
         (change.hour ? "h" : "");
}

TEST(TimeChangeTracker, ReportsNestedChangesAfterAFirstSilentCall) {
  const Step steps[] = {
      {10, 59, 58, ""},   // the first call only remembers
      {10, 59, 58, ""},   // same second
      {10, 59, 59, "s"},  //
      {11, 0, 0, "smh"},  // all three roll over
      {11, 5, 0, ""},     // a whole-minute jump keeps the second: nothing
      {11, 5, 1, "sm"},   // the jumped minute shows with the next second
      {12, 5, 2, "s"},    // the hour is only compared when the minute changed
      {12, 6, 2, ""},     //
      {12, 6, 3, "smh"},  // so the late hour shows with the next minute change
  };
  TimeChangeTracker tracker;
  for (const Step& step : steps) {
    EXPECT_EQ(Changes(tracker.Update(step.hour, step.minute, step.second)), step.expected)
        << step.hour << ":" << step.minute << ":" << step.second;
  }
}

}  // namespace
