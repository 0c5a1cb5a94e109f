#include "plugins/chime/chime_schedule.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kDayNames[] = {"日", "月", "火", "水", "木", "金", "土"};
// A week holds every weekday an alarm can ring on.
constexpr int kDaysSearched = 7;

bool RingsOn(const Alarm& alarm, int64_t day) { return (alarm.days >> Weekday(day) & 1) != 0; }

LocalSeconds RingTime(const Alarm& alarm, int64_t day) {
  return day * kSecondsPerDay + alarm.minute * 60;
}

}  // namespace

bool operator==(const Sound& a, const Sound& b) {
  return a.kind == b.kind && std::strcmp(a.file, b.file) == 0;
}

bool SameSetting(const Alarm& a, const Alarm& b) {
  return a.enabled == b.enabled && a.minute == b.minute && a.days == b.days && a.date == b.date &&
         std::strcmp(a.label, b.label) == 0 && a.sound == b.sound;
}

bool InQuietHours(const ChimeSettings& settings, int secondOfDay) {
  if (!settings.quiet) return false;
  const int from = settings.quietFrom * 60;
  const int to = settings.quietTo * 60;
  if (from <= to) return secondOfDay >= from && secondOfDay < to;
  return secondOfDay >= from || secondOfDay < to;
}

LocalSeconds LatestRing(const Alarm& alarm, LocalSeconds time) {
  if (alarm.days == 0) {
    const LocalSeconds at = RingTime(alarm, alarm.date);
    return at <= time ? at : kNever;
  }
  const int64_t today = DayOf(time);
  for (int64_t day = today; day >= today - kDaysSearched; --day) {
    if (RingsOn(alarm, day) && RingTime(alarm, day) <= time) return RingTime(alarm, day);
  }
  return kNever;
}

LocalSeconds NextRing(const Alarm& alarm, LocalSeconds time) {
  if (alarm.days == 0) {
    const LocalSeconds at = RingTime(alarm, alarm.date);
    return at > time ? at : kNever;
  }
  const int64_t today = DayOf(time);
  for (int64_t day = today; day <= today + kDaysSearched; ++day) {
    if (RingsOn(alarm, day) && RingTime(alarm, day) > time) return RingTime(alarm, day);
  }
  return kNever;
}

const Alarm* NextAlarm(const ChimeSettings& settings, LocalSeconds time) {
  const Alarm* next = nullptr;
  LocalSeconds nextTime = kNever;
  for (const Alarm& alarm : settings.alarms) {
    const LocalSeconds at = alarm.enabled ? NextRing(alarm, time) : kNever;
    if (at != kNever && (next == nullptr || at < nextTime)) {
      next = &alarm;
      nextTime = at;
    }
  }
  return next;
}

void Schedule::Replace(ChimeSettings settings) {
  for (Alarm& alarm : settings.alarms) {
    if (alarm.id == 0) alarm.id = nextId_++;
    for (const Alarm& old : settings_.alarms) {
      if (old.id == alarm.id) alarm.lastRung = old.lastRung;
    }
  }
  settings_ = std::move(settings);
}

Due Schedule::Advance(LocalSeconds now) {
  Due due;
  const LocalSeconds from = previous_ == kNever ? now - 1 : previous_;
  previous_ = now;
  if (now <= from) return due;
  due.chime = ChimeDue(from, now);
  for (Alarm& alarm : settings_.alarms) {
    const LocalSeconds at = alarm.enabled ? LatestRing(alarm, now) : kNever;
    if (at <= from || at <= alarm.lastRung) continue;
    alarm.lastRung = at;
    due.alarms.push_back({alarm, at, now - at >= kRingLatenessSeconds});
  }
  for (auto snooze = snoozes_.begin(); snooze != snoozes_.end();) {
    if (snooze->due > now) {
      ++snooze;
      continue;
    }
    snooze->missed = now - snooze->due >= kRingLatenessSeconds;
    due.alarms.push_back(*snooze);
    snooze = snoozes_.erase(snooze);
  }
  return due;
}

void Schedule::Snooze(const Ringing& ringing) {
  Ringing again = ringing;
  again.due += kSnoozeSeconds;
  while (again.due <= previous_) again.due += kSnoozeSeconds;
  snoozes_.push_back(again);
}

// The latest full (or half) hour counts once, and only while it is fresh.
bool Schedule::ChimeDue(LocalSeconds from, LocalSeconds now) {
  if (settings_.mode == ChimeMode::kOff) return false;
  const int step = settings_.mode == ChimeMode::kHalfHourly ? 1800 : 3600;
  const LocalSeconds mark = now / step * step;
  if (mark <= from || mark <= lastChime_ || now - mark >= kChimeLatenessSeconds) return false;
  lastChime_ = mark;
  return !InQuietHours(settings_, static_cast<int>(mark - DayOf(mark) * kSecondsPerDay));
}

const char* WeekdayName(int weekday) { return kDayNames[weekday]; }

void DescribeDays(const Alarm& alarm, char* text, size_t size) {
  if (alarm.days == 0) {
    const Date date = DateOf(alarm.date);
    std::snprintf(text, size, "%04d/%02d/%02d", date.year, date.month, date.day);
    return;
  }
  if (alarm.days == kEveryDay) {
    std::snprintf(text, size, "%s", "毎日");
    return;
  }
  text[0] = '\0';
  for (int day = 0; day < 7; ++day) {
    if ((alarm.days >> day & 1) != 0)
      std::strncat(text, kDayNames[day], size - std::strlen(text) - 1);
  }
}
