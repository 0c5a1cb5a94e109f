#include "plugins/chime/local_time.h"

#include <cstdio>

namespace {

// The Gregorian calendar repeats every 400 years, 146,097 days; counting from
// 1 March puts the leap day at the end of each year.
constexpr int64_t kDaysPerEra = 146097;
constexpr int64_t kDaysFromMarchZeroTo1970 = 719468;

int64_t FloorDivide(int64_t value, int64_t divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

int64_t DayNumber(int year, int month, int day) {
  const int64_t months = int64_t{year} * 12 + month - 3;
  const int64_t marchYear = FloorDivide(months, 12);
  const int64_t monthFromMarch = months - marchYear * 12;
  const int64_t era = FloorDivide(marchYear, 400);
  const int64_t yearOfEra = marchYear - era * 400;
  const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * kDaysPerEra + dayOfEra - kDaysFromMarchZeroTo1970;
}

Date DateOf(int64_t dayNumber) {
  const int64_t days = dayNumber + kDaysFromMarchZeroTo1970;
  const int64_t era = FloorDivide(days, kDaysPerEra);
  const int64_t dayOfEra = days - era * kDaysPerEra;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

// 1970-01-01 was a Thursday.
int Weekday(int64_t dayNumber) {
  return static_cast<int>(dayNumber - FloorDivide(dayNumber + 4, 7) * 7 + 4);
}

int64_t DayOf(LocalSeconds time) { return FloorDivide(time, kSecondsPerDay); }

LocalSeconds ToLocalSeconds(int year, int month, int day, int hour, int minute, int second) {
  return DayNumber(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

void FormatTimeOfDay(int minute, char* text, size_t size) {
  std::snprintf(text, size, "%02d:%02d", minute / 60, minute % 60);
}

bool MinuteFromHhmm(uint32_t hhmm, int* minute) {
  if (hhmm / 100 >= 24 || hhmm % 100 >= 60) return false;
  *minute = static_cast<int>(hhmm / 100 * 60 + hhmm % 100);
  return true;
}

uint32_t HhmmFromMinute(int minute) {
  return static_cast<uint32_t>(minute / 60 * 100 + minute % 60);
}

// The years a SYSTEMTIME can hold.
bool DayFromYyyymmdd(uint32_t yyyymmdd, int64_t* dayNumber) {
  const int year = static_cast<int>(yyyymmdd / 10000);
  const int month = static_cast<int>(yyyymmdd / 100 % 100);
  const int day = static_cast<int>(yyyymmdd % 100);
  if (year < 1601 || year > 9999) return false;
  const int64_t number = DayNumber(year, month, day);
  const Date date = DateOf(number);
  if (date.month != month || date.day != day) return false;
  *dayNumber = number;
  return true;
}

uint32_t YyyymmddFromDay(int64_t dayNumber) {
  const Date date = DateOf(dayNumber);
  return static_cast<uint32_t>(date.year * 10000 + date.month * 100 + date.day);
}
