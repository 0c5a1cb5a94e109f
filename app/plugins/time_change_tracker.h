#pragma once

#include <cstdint>

// Which parts of the local time changed since the previous notification. A minute
// change implies a second change and an hour change a minute change.
struct TimeChange {
  bool second = false;
  bool minute = false;
  bool hour = false;
};

// Remembers the second, minute and hour the plug-ins were last told about. The
// program keeps one for its whole run (ProcessWide), so the values survive reloads
// of the plug-ins; tests make their own to start from a clean slate.
class TimeChangeTracker {
 public:
  // Compares with the remembered values and stores what changed. The very first
  // call only remembers and reports no change. The checks are nested: the minute is
  // only compared when the second changed, the hour only when the minute did.
  TimeChange Update(uint16_t hour, uint16_t minute, uint16_t second);

  static TimeChangeTracker& ProcessWide();

 private:
  static constexpr uint16_t kUnseen = 0xFFFF;

  uint16_t lastSecond_ = kUnseen;
  uint16_t lastMinute_ = kUnseen;
  uint16_t lastHour_ = kUnseen;
};
