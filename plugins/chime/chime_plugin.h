#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "plugins/chime/alarm_window.h"
#include "plugins/chime/chime_schedule.h"

class SoundPlayer;

// Everything chime.dll does, one instance from Init to Release: the schedule
// with the settings read from the registry, the windows of the alarms that ring,
// and the sounds, played through `player`. The DLL's exports call it, and so do
// the tests, with a player that records.
class ChimePlugin {
 public:
  ChimePlugin(HMODULE module, SoundPlayer& player);
  ~ChimePlugin() { Close(); }
  ChimePlugin(const ChimePlugin&) = delete;
  ChimePlugin& operator=(const ChimePlugin&) = delete;

  // One second of the clock: each alarm due opens its window and rings, repeating
  // its sound, or is shown missed; the time signal plays unless an alarm rings.
  void OnSecond(const SYSTEMTIME& now);
  // Shows the settings dialog over `owner`; OK applies and stores what changed.
  void OpenConfig(HWND owner);
  // Closes every alarm window and stops the sound.
  void Close();

  const Schedule& schedule() const { return schedule_; }

 private:
  void Ring(const Ringing& ringing);
  void CloseAlarm(AlarmWindow& window, bool snooze);
  // Plays the sound of the newest alarm that still rings, or stops.
  void PlayRinging();
  // The newest window of an alarm that rings (not a missed one), or null.
  const AlarmWindow* RingingWindow() const;

  HMODULE module_;
  SoundPlayer& player_;
  Schedule schedule_;
  std::vector<std::unique_ptr<AlarmWindow>> windows_;
};
