// Analog, the clock module: hour, minute and second hands, anti-aliased and with
// a soft shadow, drawn over the dial of the background. The host calls these
// exports by their plain names with the C calling convention, as the SDK header
// declares them.
#include "base/win/dll_entry.h"
#include "modules/clock/analog_clock.h"
#include "sdk/kelvane_module.h"

namespace {

AnalogClock g_clock;

}  // namespace

extern "C" {

int __cdecl Initialize(HWND window) {
  g_clock.Initialize(ThisDll(), window);
  return 1;
}

int __cdecl Uninitialize(void) {
  g_clock.Uninitialize();
  return 1;
}

int __cdecl DrawClock(HDC dc, const SYSTEMTIME* now, int) {
  if (now != nullptr) g_clock.Draw(dc, *now, KELVANE_FACE_SIZE);
  return 1;
}

int __cdecl DrawClockScaled(HDC dc, const SYSTEMTIME* now, int faceSize) {
  if (now == nullptr || faceSize < 1) return 0;
  g_clock.Draw(dc, *now, faceSize);
  return 1;
}

int __cdecl OpenConfig(HWND owner, int) { return g_clock.OpenConfig(ThisDll(), owner); }

int __cdecl Reset(void) {
  g_clock.Reset();
  return 1;
}

}  // extern "C"
