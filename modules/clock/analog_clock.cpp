#include "modules/clock/analog_clock.h"

#include "modules/clock/analog_dialog.h"
#include "modules/clock/dib_pixels.h"
#include "modules/clock/gdi_hands.h"
#include "modules/clock/hand_schemes.h"
#include "sdk/kelvane_module.h"

namespace {

HandTime ToHandTime(const SYSTEMTIME& now) {
  return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace

void AnalogClock::Initialize(HMODULE module, HWND window) {
  window_ = window;
  char path[MAX_PATH];
  SettingsPathBeside(module, path);
  settings_ = LoadAnalogSettings(path);
  chosen_ = settings_;
  timer_.Stop();
  if (settings_.secondHand == SecondHand::kSweep) timer_.Start(window_, kSweepIntervalMs);
}

void AnalogClock::Uninitialize() {
  timer_.Stop();
  window_ = nullptr;
}

void AnalogClock::Draw(HDC dc, const SYSTEMTIME& now, int faceSize) {
  const HandStyle style = {kHandSchemes[settings_.scheme].colours, settings_.secondHand,
                           settings_.shadow};
  const HandTime time = ToHandTime(now);
  const float middle = static_cast<float>(faceSize) / 2;
  const float scale = static_cast<float>(faceSize) / KELVANE_FACE_SIZE;
  PixelBuffer pixels;
  if (dib_.Find(dc, &pixels)) {
    hands_.Draw(pixels, {middle, middle}, scale, time, style);
  } else {
    DrawHandsWithLines(dc, {middle, middle}, scale, time, style);
  }
  // Reset's one quick tick has done its work once a face was composed.
  if (settings_.secondHand != SecondHand::kSweep) timer_.Stop();
}

int AnalogClock::OpenConfig(HMODULE module, HWND owner) {
  AnalogDialog dialog(chosen_);
  if (!dialog.Show(module, owner) || dialog.settings() == chosen_) return 0;
  chosen_ = dialog.settings();
  char path[MAX_PATH];
  if (SettingsPathBeside(module, path)) SaveAnalogSettings(path, chosen_);
  return 1;
}

void AnalogClock::Reset() {
  settings_ = chosen_;
  // A sweeping hand ticks on its own; otherwise one tick as soon as the timer can
  // give it shows the change without waiting for the next second.
  timer_.Start(window_,
               settings_.secondHand == SecondHand::kSweep ? kSweepIntervalMs : USER_TIMER_MINIMUM);
}
