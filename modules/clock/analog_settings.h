#pragma once

#include <windows.h>

#include "raster/clock_hands.h"

// What the user chooses for the clock, kept in Analog.ini beside the DLL.
struct AnalogSettings {
  SecondHand secondHand = SecondHand::kStep;
  int scheme = 0;
  bool shadow = true;

  bool operator==(const AnalogSettings& other) const {
    return secondHand == other.secondHand && scheme == other.scheme && shadow == other.shadow;
  }
  bool operator!=(const AnalogSettings& other) const { return !(*this == other); }
};

// The path of Analog.ini in the folder of `module`; false (and an empty path)
// when the module's path is unknown or the file's would not fit.
bool SettingsPathBeside(HMODULE module, char (&path)[MAX_PATH]);

// Reads the settings from the file at `path`. A missing file or key, and any value
// that is not one of the known ones, give that setting's default.
AnalogSettings LoadAnalogSettings(const char* path);

// Writes all three settings to the file at `path`; false when it could not.
bool SaveAnalogSettings(const char* path, const AnalogSettings& settings);
