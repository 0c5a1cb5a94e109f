#include "app/window/time_text.h"

#include <cstdio>

std::string JapaneseTimeText(int month, int day, int dayOfWeek, int hour, int minute) {
  static constexpr const char* kDays[] = {"日", "月", "火", "水", "木", "金", "土"};
  const char* weekday = dayOfWeek >= 0 && dayOfWeek < 7 ? kDays[dayOfWeek] : "";
  char text[64];
  std::snprintf(text, sizeof text, "%d月%d日(%s) %d時%02d分", month, day, weekday, hour, minute);
  return text;
}
