#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugins/chime/local_time.h"

constexpr size_t kMaxAlarms = 20;
constexpr size_t kLabelSize = 64;
constexpr size_t kSoundPathSize = 260;
constexpr LocalSeconds kNever = INT64_MIN;
// An alarm found this late or later is shown as missed instead of ringing.
constexpr int kRingLatenessSeconds = 10 * 60;
// A time signal this late would tell the wrong time, so it stays silent.
constexpr int kChimeLatenessSeconds = 60;
constexpr int kSnoozeSeconds = 5 * 60;
constexpr unsigned kEveryDay = 0x7F;

// Our chime, our alarm sound (both built into the plug-in) or a WAV file.
enum class SoundKind { kChime = 0, kBell = 1, kFile = 2 };

struct Sound {
  SoundKind kind = SoundKind::kChime;
  char file[kSoundPathSize] = {};
};

bool operator==(const Sound& a, const Sound& b);

struct Alarm {
  // Set by the schedule, not stored: it follows an alarm through edits in the
  // settings dialog, so that what the alarm rang stays known.
  unsigned id = 0;
  bool enabled = true;
  int minute = 7 * 60;
  // Bit d rings on weekday d (0 Sunday); none rings once, on `date`.
  unsigned days = kEveryDay;
  int64_t date = 0;
  char label[kLabelSize] = {};
  Sound sound{SoundKind::kBell, {}};
  // The time the alarm last rang or was reported missed, not stored.
  LocalSeconds lastRung = kNever;
};

// The stored part of an alarm is the same.
bool SameSetting(const Alarm& a, const Alarm& b);

enum class ChimeMode { kOff = 0, kHourly = 1, kHalfHourly = 2 };

struct ChimeSettings {
  ChimeMode mode = ChimeMode::kOff;
  // The time signal is silent from quietFrom up to quietTo (minutes of the day),
  // across midnight when quietFrom is later.
  bool quiet = true;
  int quietFrom = 23 * 60;
  int quietTo = 7 * 60;
  Sound chimeSound;
  std::vector<Alarm> alarms;
};

bool InQuietHours(const ChimeSettings& settings, int secondOfDay);

// The time an alarm rings at, and whether it is shown as missed instead.
struct Ringing {
  Alarm alarm;
  LocalSeconds due = kNever;
  bool missed = false;
};

struct Due {
  bool chime = false;
  std::vector<Ringing> alarms;
};

// The latest time at or before `time` at which `alarm` rings, and the earliest
// after it; kNever when there is none.
LocalSeconds LatestRing(const Alarm& alarm, LocalSeconds time);
LocalSeconds NextRing(const Alarm& alarm, LocalSeconds time);
// The enabled alarm that rings next after `time`, or null.
const Alarm* NextAlarm(const ChimeSettings& settings, LocalSeconds time);

// Decides, from one time the clock showed to the next, what sounds. Times come
// once a second, but the clock may be set, change daylight-saving time or wake
// from sleep in between: what fell between the two times is due, and nothing
// sounds twice for the same time when the clock goes back.
class Schedule {
 public:
  const ChimeSettings& settings() const { return settings_; }
  // The last time handed to Advance, or kNever.
  LocalSeconds now() const { return previous_; }

  // Takes new settings; alarms without an id get one, and one that keeps its id
  // keeps what it rang.
  void Replace(ChimeSettings settings);
  // What is due after the previous time up to `now`; the first time looks one
  // second back. Nothing is due when time went back.
  Due Advance(LocalSeconds now);
  // Rings `ringing` again five minutes after it rang, or after that in steps of
  // five minutes when that has passed.
  void Snooze(const Ringing& ringing);

 private:
  bool ChimeDue(LocalSeconds from, LocalSeconds now);

  ChimeSettings settings_;
  unsigned nextId_ = 1;
  LocalSeconds previous_ = kNever;
  LocalSeconds lastChime_ = kNever;
  std::vector<Ringing> snoozes_;
};

// "日" for Sunday (0) to "土" for Saturday (6).
const char* WeekdayName(int weekday);
// The days of an alarm for the alarm list: "毎日", "月水金" or "2024/01/06".
void DescribeDays(const Alarm& alarm, char* text, size_t size);
