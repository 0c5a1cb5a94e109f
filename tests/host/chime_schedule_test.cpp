#include "plugins/chime/chime_schedule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

Alarm MakeAlarm(const char* label, int hour, int minute, unsigned days, int64_t date = 0) {
  Alarm alarm;
  std::strcpy(alarm.label, label);
  alarm.minute = hour * 60 + minute;
  alarm.days = days;
  alarm.date = date;
  return alarm;
}

// "chime", then "ring:<label>" or "missed:<label>" for each alarm due.
std::string Events(const Due& due) {
  std::string events = due.chime ? "chime" : "";
  for (const Ringing& ringing : due.alarms) {
    events += std::string(events.empty() ? "" : " ") + (ringing.missed ? "missed:" : "ring:") +
              ringing.alarm.label;
  }
  return events;
}

struct Step {
  int day, hour, minute, second;  // in January 2024; the 8th is a Monday
  const char* events;
  bool snooze = false;  // snoozes what rang last
};

void RunSteps(Schedule& schedule, const std::vector<Step>& steps) {
  Ringing last;
  for (const Step& step : steps) {
    const Due due =
        schedule.Advance(ToLocalSeconds(2024, 1, step.day, step.hour, step.minute, step.second));
    EXPECT_EQ(Events(due), step.events)
        << step.day << " " << step.hour << ":" << step.minute << ":" << step.second;
    if (!due.alarms.empty()) last = due.alarms[0];
    if (step.snooze) schedule.Snooze(last);
  }
}

Schedule MakeSchedule(ChimeMode mode) {
  ChimeSettings settings;
  settings.mode = mode;
  settings.alarms = {MakeAlarm("a", 7, 30, kEveryDay), MakeAlarm("b", 6, 0, 0x3E),
                     MakeAlarm("c", 9, 0, 0, DayNumber(2024, 1, 9))};
  Schedule schedule;
  schedule.Replace(settings);
  return schedule;
}

TEST(ChimeSchedule, SoundsEachTimeOnceAcrossClockJumps) {
  Schedule schedule = MakeSchedule(ChimeMode::kHourly);
  RunSteps(schedule, {
                         {8, 14, 0, 0, "chime"},  // the first time looks one second back
                         {8, 14, 0, 1, ""},
                         {8, 13, 0, 0, ""},  // set back one hour
                         {8, 14, 0, 0, ""},  // jumped forward again: 14:00 sounded already
                         {8, 14, 30, 0, ""},
                         {8, 15, 0, 0, "chime"},
                         {8, 15, 0, 59, ""},
                         {8, 16, 1, 0, ""},  // a minute late tells the wrong time
                         {8, 22, 59, 59, ""},
                         {8, 23, 0, 0, ""},  // quiet hours
                         {9, 5, 55, 0, ""},
                         {9, 6, 4, 0, "ring:b"},  // a jump of nine minutes rings what it skipped
                         {9, 7, 0, 0, "chime"},
                         {9, 7, 29, 59, ""},
                         {9, 7, 30, 0, "ring:a"},
                         {9, 7, 30, 1, ""},
                         {9, 6, 30, 0, ""},  // set back one hour: 07:30 does not ring again
                         {9, 7, 30, 0, ""},
                         {9, 8, 30, 0, ""},  // forward one hour: 09:00 is still to come
                         {9, 9, 10, 0, "missed:c"},
                         {10, 7, 39, 59, "ring:a missed:b"},        // waking from sleep
                         {17, 9, 0, 0, "chime missed:a missed:b"},  // a week later; "c" was once
                     });
}

TEST(ChimeSchedule, HalfHourlyChimesAndSnoozeRingsAgainFiveMinutesAfterEachRing) {
  Schedule schedule = MakeSchedule(ChimeMode::kHalfHourly);
  RunSteps(schedule, {
                         {8, 7, 29, 59, ""},
                         {8, 7, 30, 0, "chime ring:a", true},
                         {8, 7, 34, 59, ""},
                         {8, 7, 35, 0, "ring:a", true},  // snoozed twice
                         {8, 7, 39, 59, ""},
                         {8, 7, 40, 0, "ring:a"},
                         {8, 7, 47, 0, "", true},  // snoozed late: on at the next five-minute step
                         {8, 7, 49, 59, ""},
                         {8, 7, 50, 0, "ring:a"},
                     });
}

TEST(ChimeSchedule, AnAlarmKeepsWhatItRangThroughNewSettingsAndADisabledOneIsSilent) {
  Schedule schedule = MakeSchedule(ChimeMode::kOff);
  ChimeSettings settings = schedule.settings();  // taken by a dialog before "a" rang
  RunSteps(schedule, {{8, 7, 30, 0, "ring:a"}});
  settings.alarms.erase(settings.alarms.begin() + 1);
  settings.alarms.push_back(MakeAlarm("d", 7, 30, kEveryDay));
  settings.alarms[1].enabled = false;
  schedule.Replace(settings);
  RunSteps(schedule,
           {{8, 7, 0, 0, ""}, {8, 7, 30, 0, "ring:d"}, {9, 9, 0, 0, "missed:a missed:d"}});
}

TEST(ChimeSchedule, QuietHoursRunAcrossMidnight) {
  const struct {
    bool quiet;
    int from, to, second;
    bool expected;
  } rows[] = {
      {true, 23 * 60, 7 * 60, 22 * 3600 + 59 * 60 + 59, false},
      {true, 23 * 60, 7 * 60, 23 * 3600, true},
      {true, 23 * 60, 7 * 60, 6 * 3600 + 59 * 60 + 59, true},
      {true, 23 * 60, 7 * 60, 7 * 3600, false},
      {true, 12 * 60, 13 * 60, 12 * 3600 + 30 * 60, true},
      {true, 12 * 60, 13 * 60, 13 * 3600, false},
      {true, 8 * 60, 8 * 60, 8 * 3600, false},
      {false, 23 * 60, 7 * 60, 23 * 3600, false},
  };
  for (const auto& row : rows) {
    ChimeSettings settings;
    settings.quiet = row.quiet;
    settings.quietFrom = row.from;
    settings.quietTo = row.to;
    EXPECT_EQ(InQuietHours(settings, row.second), row.expected) << row.from << " " << row.second;
  }
}

TEST(ChimeSchedule, NextAlarmIsTheEarliestEnabledOne) {
  ChimeSettings settings = MakeSchedule(ChimeMode::kOff).settings();
  const struct {
    int day, hour, minute;
    const char* label;
    LocalSeconds at;
  } rows[] = {
      {8, 5, 0, "b", ToLocalSeconds(2024, 1, 8, 6, 0, 0)},
      {8, 6, 0, "a", ToLocalSeconds(2024, 1, 8, 7, 30, 0)},
      {8, 7, 30, "b", ToLocalSeconds(2024, 1, 9, 6, 0, 0)},
      {9, 7, 30, "c", ToLocalSeconds(2024, 1, 9, 9, 0, 0)},
      {12, 7, 30, "a", ToLocalSeconds(2024, 1, 13, 7, 30, 0)},  // Friday: "b" waits for Monday
  };
  for (const auto& row : rows) {
    const LocalSeconds time = ToLocalSeconds(2024, 1, row.day, row.hour, row.minute, 0);
    const Alarm* next = NextAlarm(settings, time);
    ASSERT_NE(next, nullptr);
    EXPECT_STREQ(next->label, row.label) << row.day << " " << row.hour;
    EXPECT_EQ(NextRing(*next, time), row.at) << row.day << " " << row.hour;
  }
  for (Alarm& alarm : settings.alarms) alarm.enabled = false;
  EXPECT_EQ(NextAlarm(settings, 0), nullptr);
}

TEST(LocalTime, StoredTimesAndDatesAreCheckedAndConverted) {
  const struct {
    uint32_t value;
    bool time, date;
  } rows[] = {{730, true, false},       {2359, true, false},      {2400, false, false},
              {760, false, false},      {20240229, false, true},  {20230229, false, false},
              {20241301, false, false}, {20240100, false, false}, {16001231, false, false},
              {99991231, false, true}};
  for (const auto& row : rows) {
    int minute = -1;
    int64_t day = -1;
    EXPECT_EQ(MinuteFromHhmm(row.value, &minute), row.time) << row.value;
    EXPECT_EQ(DayFromYyyymmdd(row.value, &day), row.date) << row.value;
    EXPECT_EQ(row.time ? HhmmFromMinute(minute) : row.value, row.value);
    EXPECT_EQ(row.date ? YyyymmddFromDay(day) : row.value, row.value);
  }
  EXPECT_EQ(Weekday(DayNumber(2024, 1, 8)), 1);
  EXPECT_EQ(Weekday(DayNumber(1601, 1, 1)), 1);
  EXPECT_EQ(DayNumber(2024, 13, 0), DayNumber(2024, 12, 31));
  for (int64_t day = DayNumber(1601, 1, 1); day < DayNumber(2401, 3, 1); day += 17) {
    const Date date = DateOf(day);
    ASSERT_EQ(DayNumber(date.year, date.month, date.day), day);
  }
}

TEST(ChimeSchedule, DaysAreDescribedForTheList) {
  const struct {
    unsigned days;
    const char* text;
  } rows[] = {{kEveryDay, "毎日"}, {0x2A, "月水金"}, {0x41, "日土"}, {0, "2024/01/09"}};
  for (const auto& row : rows) {
    char text[32];
    DescribeDays(MakeAlarm("", 0, 0, row.days, DayNumber(2024, 1, 9)), text, sizeof text);
    EXPECT_STREQ(text, row.text);
  }
}

}  // namespace
