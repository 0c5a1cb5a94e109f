#pragma once

#include <windows.h>

#include <cstdint>

#include "app/plugins/plugin_host.h"
#include "app/window/clock_face.h"
#include "app/window/full_screen.h"
#include "app/window/tray_icon.h"
#include "base/win/kernel_handle.h"

// The window's stacking, persisted as [WINDOW] POS_Z.
enum class StackingMode : int { Normal = 0, Topmost = 1, Bottom = 2 };

// A saved POS_Z value as a stacking mode; anything but 0, 1 and 2 is Normal.
inline StackingMode StackingModeFromSetting(int value) {
  return value >= 0 && value <= 2 ? static_cast<StackingMode>(value) : StackingMode::Normal;
}

// Everything the running clock holds, one instance for the whole run. Members are
// destroyed in reverse order: the plug-in host first, then the compositor.
struct ClockProgram {
  ClockFace face;
  PluginHost plugins;
  TrayIcon tray;
  HWND window = nullptr;
  StackingMode stackingMode = StackingMode::Normal;
  int autoHide = 0;
  int positionLock = 0;
  // Hide while a full-screen program is in front; whether that hid the clock.
  int hideFullScreen = 1;
  bool hiddenForFullScreen = false;
  // How opaque the clock is, in percent, and whether the mouse passes through it.
  int opacity = 100;
  int clickThrough = 0;
  ForegroundWatch foreground;
  // The second of the last composition driven by the tick timer; 0xFFFF makes the
  // first tick compose.
  uint16_t lastSecond = 0xFFFF;
  // The minute last told to screen readers and the tray icon's tip.
  uint16_t lastMinute = 0xFFFF;
  // The interval the tick timer runs at; 0 before it is first set.
  unsigned tickIntervalMs = 0;
  // Where the clock reads the local time: GetLocalTime, a test's own time in tests.
  void(WINAPI* readTime)(LPSYSTEMTIME) = GetLocalTime;
  // True while the clock moves itself to the bottom in mode Bottom.
  bool restacking = false;
  // True while the quit question is open, so that further Esc presses ask no more.
  bool askingToQuit = false;
  // True while the customize dialog is open, so that no second one opens.
  bool customizing = false;
  // True while the clock is being dragged; the DPI of a monitor it was dragged
  // onto waits in pendingDpi until the drag ends (0: none).
  bool moving = false;
  UINT pendingDpi = 0;
  // Held for the whole run so that a second start sees the clock running.
  KernelHandle mutex;
};
