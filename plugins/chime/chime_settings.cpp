#include "plugins/chime/chime_settings.h"

#include <cstdio>
#include <cstring>

#include "base/win/registry_key.h"

namespace {

constexpr char kChimeValue[] = "CHIME";
constexpr char kQuietValue[] = "QUIET";
constexpr char kQuietFromValue[] = "QUIET_FROM";
constexpr char kQuietToValue[] = "QUIET_TO";
constexpr char kChimeSoundValue[] = "CHIME_SOUND";
constexpr char kChimeFileValue[] = "CHIME_FILE";
constexpr char kAlarmCountValue[] = "ALARM_COUNT";

// The value names of alarm `number`.
struct AlarmValues {
  explicit AlarmValues(size_t number) {
    Format(enabled, number, "ENABLED");
    Format(time, number, "TIME");
    Format(days, number, "DAYS");
    Format(date, number, "DATE");
    Format(label, number, "LABEL");
    Format(sound, number, "SOUND");
    Format(file, number, "FILE");
  }

  static void Format(char (&name)[24], size_t number, const char* part) {
    std::snprintf(name, sizeof name, "ALARM_%u_%s", static_cast<unsigned>(number), part);
  }

  char enabled[24], time[24], days[24], date[24], label[24], sound[24], file[24];
};

DWORD ReadBelow(const RegistryKey& key, const char* name, DWORD limit, DWORD fallback) {
  DWORD value = fallback;
  return key.ReadNumber(name, &value) && value < limit ? value : fallback;
}

void ReadMinute(const RegistryKey& key, const char* name, int* minute) {
  DWORD hhmm = 0;
  if (key.ReadNumber(name, &hhmm)) MinuteFromHhmm(hhmm, minute);
}

void ReadSound(const RegistryKey& key, const char* kindName, const char* fileName, Sound* sound) {
  sound->kind =
      static_cast<SoundKind>(ReadBelow(key, kindName, 3, static_cast<DWORD>(sound->kind)));
  key.ReadString(fileName, sound->file, sizeof sound->file);
}

// A once-alarm without a date it could ring on rings every day instead.
Alarm ReadAlarm(const RegistryKey& key, size_t number) {
  const AlarmValues names(number);
  Alarm alarm;
  alarm.enabled = ReadBelow(key, names.enabled, 2, 1) != 0;
  ReadMinute(key, names.time, &alarm.minute);
  alarm.days = ReadBelow(key, names.days, kEveryDay + 1, kEveryDay);
  DWORD date = 0;
  if (!key.ReadNumber(names.date, &date) || !DayFromYyyymmdd(date, &alarm.date)) {
    if (alarm.days == 0) alarm.days = kEveryDay;
  }
  key.ReadString(names.label, alarm.label, sizeof alarm.label);
  ReadSound(key, names.sound, names.file, &alarm.sound);
  return alarm;
}

void Put(bool changed, const char* name, DWORD value) {
  if (changed) RegistryKey::Create(HKEY_CURRENT_USER, kChimeKey).WriteNumber(name, value);
}

void Put(bool changed, const char* name, const char* text) {
  if (changed) RegistryKey::Create(HKEY_CURRENT_USER, kChimeKey).WriteString(name, text);
}

void PutSound(bool all, const Sound& before, const Sound& after, const char* kindName,
              const char* fileName) {
  Put(all || before.kind != after.kind, kindName, static_cast<DWORD>(after.kind));
  Put(all || std::strcmp(before.file, after.file) != 0, fileName, after.file);
}

// Every value of an alarm that has none stored yet (`all`), or those that changed.
void PutAlarm(bool all, const Alarm& before, const Alarm& after, size_t number) {
  const AlarmValues names(number);
  Put(all || before.enabled != after.enabled, names.enabled, after.enabled ? 1 : 0);
  Put(all || before.minute != after.minute, names.time, HhmmFromMinute(after.minute));
  Put(all || before.days != after.days, names.days, after.days);
  Put(all || before.date != after.date, names.date, YyyymmddFromDay(after.date));
  Put(all || std::strcmp(before.label, after.label) != 0, names.label, after.label);
  PutSound(all, before.sound, after.sound, names.sound, names.file);
}

void DeleteAlarm(size_t number) {
  const AlarmValues names(number);
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kChimeKey, KEY_SET_VALUE);
  for (const char* name :
       {names.enabled, names.time, names.days, names.date, names.label, names.sound, names.file}) {
    RegDeleteValueA(key.get(), name);
  }
}

}  // namespace

ChimeSettings LoadChimeSettings() {
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kChimeKey, KEY_READ);
  ChimeSettings settings;
  settings.mode = static_cast<ChimeMode>(ReadBelow(key, kChimeValue, 3, 0));
  settings.quiet = ReadBelow(key, kQuietValue, 2, 1) != 0;
  ReadMinute(key, kQuietFromValue, &settings.quietFrom);
  ReadMinute(key, kQuietToValue, &settings.quietTo);
  ReadSound(key, kChimeSoundValue, kChimeFileValue, &settings.chimeSound);
  const DWORD count = ReadBelow(key, kAlarmCountValue, kMaxAlarms + 1, 0);
  for (DWORD number = 1; number <= count; ++number) {
    settings.alarms.push_back(ReadAlarm(key, number));
  }
  return settings;
}

void SaveChangedSettings(const ChimeSettings& before, const ChimeSettings& after) {
  Put(before.mode != after.mode, kChimeValue, static_cast<DWORD>(after.mode));
  Put(before.quiet != after.quiet, kQuietValue, after.quiet ? 1 : 0);
  Put(before.quietFrom != after.quietFrom, kQuietFromValue, HhmmFromMinute(after.quietFrom));
  Put(before.quietTo != after.quietTo, kQuietToValue, HhmmFromMinute(after.quietTo));
  PutSound(false, before.chimeSound, after.chimeSound, kChimeSoundValue, kChimeFileValue);
  const size_t kept = before.alarms.size();
  for (size_t i = 0; i < after.alarms.size(); ++i) {
    PutAlarm(i >= kept, i < kept ? before.alarms[i] : after.alarms[i], after.alarms[i], i + 1);
  }
  for (size_t i = after.alarms.size(); i < kept; ++i) DeleteAlarm(i + 1);
  Put(kept != after.alarms.size(), kAlarmCountValue, static_cast<DWORD>(after.alarms.size()));
}
