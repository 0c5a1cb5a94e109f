#pragma once

#include <windows.h>

#include "plugins/chime/chime_schedule.h"

// What plays the plug-in's sounds, one at a time and without waiting: starting
// one ends the one before. The tests put in one that records what it is asked.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts `sound`; with `repeat` it plays over and over until Stop.
  virtual void Play(const Sound& sound, bool repeat) = 0;
  virtual void Stop() = 0;
};

// Plays through PlaySound: our chime and alarm sound from the WAVE resources of
// `module`, a file from its path. A file that is not there plays our alarm sound
// when repeated (an alarm must still be heard) and our chime otherwise.
class SystemSoundPlayer : public SoundPlayer {
 public:
  explicit SystemSoundPlayer(HMODULE module) : module_(module) {}

  void Play(const Sound& sound, bool repeat) override;
  void Stop() override;

 private:
  HMODULE module_;
};
