#pragma once

#include "plugins/chime/chime_schedule.h"

// The plug-in's settings under HKEY_CURRENT_USER, beside the wallpaper plug-in's.
// Numbers are REG_DWORD, times of day hhmm (730 is 07:30), dates yyyymmdd; alarm
// n (from 1) has the values ALARM_n_ENABLED, _TIME, _DAYS (bit 0 Sunday, none:
// once on _DATE), _DATE, _LABEL, _SOUND and _FILE.
constexpr char kChimeKey[] = "Software\\Ornwick\\Kelvane Vesk\\plugin\\chime";

// Reads the settings without creating the key; a value that is missing or out of
// range reads as its default, and at most kMaxAlarms alarms are read.
ChimeSettings LoadChimeSettings();
// Writes each value whose setting differs between the two, and nothing else:
// the key is made only when something changed.
void SaveChangedSettings(const ChimeSettings& before, const ChimeSettings& after);
