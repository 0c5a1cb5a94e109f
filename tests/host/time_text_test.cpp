#include "app/window/time_text.h"

#include <gtest/gtest.h>

namespace {

TEST(JapaneseTimeText, SaysMonthDayWeekdayHourAndMinute) {
  EXPECT_EQ(JapaneseTimeText(12, 9, 3, 14, 5), "12月9日(水) 14時05分");
  EXPECT_EQ(JapaneseTimeText(1, 1, 0, 0, 0), "1月1日(日) 0時00分");
  EXPECT_EQ(JapaneseTimeText(2, 29, 7, 23, 59), "2月29日() 23時59分");  // no such weekday
}

}  // namespace
