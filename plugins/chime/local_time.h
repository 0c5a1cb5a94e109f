#pragma once

#include <cstddef>
#include <cstdint>

// Wall-clock time as the clock shows it: seconds counted from 1970-01-01 00:00:00
// of the Gregorian calendar with no time zone. Setting the system clock or a
// change of daylight-saving time moves it by as much, forwards or backwards.
using LocalSeconds = int64_t;

constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr int kMinutesPerDay = 24 * 60;

struct Date {
  int year;
  int month;
  int day;
};

// Days from 1970-01-01 to a date (negative before it). Any numbers are accepted:
// month 13 is January of the next year, day 0 the last of the month before.
int64_t DayNumber(int year, int month, int day);
Date DateOf(int64_t dayNumber);
// 0 for Sunday to 6 for Saturday.
int Weekday(int64_t dayNumber);
int64_t DayOf(LocalSeconds time);
LocalSeconds ToLocalSeconds(int year, int month, int day, int hour, int minute, int second);

// "07:30" for minute 450 of the day.
void FormatTimeOfDay(int minute, char* text, size_t size);

// Times of day and dates as the registry keeps them, readable as numbers: 730 is
// 07:30, 20240106 is 6 January 2024. False for what is no time or no date.
bool MinuteFromHhmm(uint32_t hhmm, int* minute);
uint32_t HhmmFromMinute(int minute);
bool DayFromYyyymmdd(uint32_t yyyymmdd, int64_t* dayNumber);
uint32_t YyyymmddFromDay(int64_t dayNumber);
