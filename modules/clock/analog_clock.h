#pragma once

#include <windows.h>

#include "modules/clock/analog_settings.h"
#include "modules/clock/dib_pixels.h"
#include "modules/clock/redraw_timer.h"
#include "raster/clock_hands.h"

// The state behind Analog.dll's exports: the settings in force, the ones the
// dialog chose for the next Reset, the redraw timer, the surface's pixels and
// the hand shapes.
// Nothing here allocates or throws, so no exception can leave an export.
class AnalogClock {
 public:
  static constexpr UINT kSweepIntervalMs = 50;

  AnalogClock() = default;
  AnalogClock(const AnalogClock&) = delete;
  AnalogClock& operator=(const AnalogClock&) = delete;

  // Reads Analog.ini beside `module` and, when the second hand sweeps, starts
  // timer 1 on the clock window.
  void Initialize(HMODULE module, HWND window);
  // Stops timer 1 if this module started it.
  void Uninitialize();
  // Draws the hands onto a face of `faceSize` x `faceSize` pixels, centred on it
  // and scaled by faceSize over the 200 x 200 face they are designed for.
  void Draw(HDC dc, const SYSTEMTIME& now, int faceSize);
  // Shows the settings dialog over `owner`. When the user changed something, the
  // new settings are saved and kept for Reset, and the result is 1; otherwise 0.
  int OpenConfig(HMODULE module, HWND owner);
  // Puts the settings the dialog chose in force, timer included, and has the face
  // composed at once.
  void Reset();

 private:
  HWND window_ = nullptr;
  AnalogSettings settings_;
  AnalogSettings chosen_;
  RedrawTimer timer_;
  DibPixels dib_;
  ClockHands hands_;
};
