#include "app/plugins/time_change_tracker.h"

TimeChange TimeChangeTracker::Update(uint16_t hour, uint16_t minute, uint16_t second) {
  TimeChange change;
  if (lastSecond_ == kUnseen) {
    lastSecond_ = second;
    lastMinute_ = minute;
    lastHour_ = hour;
    return change;
  }
  if (second == lastSecond_) return change;
  lastSecond_ = second;
  change.second = true;
  if (minute == lastMinute_) return change;
  lastMinute_ = minute;
  change.minute = true;
  if (hour == lastHour_) return change;
  lastHour_ = hour;
  change.hour = true;
  return change;
}

TimeChangeTracker& TimeChangeTracker::ProcessWide() {
  static TimeChangeTracker tracker;
  return tracker;
}
