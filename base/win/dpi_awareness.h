#pragma once

#include <windows.h>

// Per-monitor DPI, where the system has it (Windows 10 1607 and later; 1703 for
// the second version). Every function is looked up at run time, so that on
// Windows 7 and 8 nothing changes and the program runs as a DPI-unaware one.

// Sets the DPI awareness of the windows this thread creates, and of the calls it
// makes, for the length of a scope: per monitor (version 2 where there is one) for
// the clock window, unaware for every dialog and message box, which the system
// then scales as it always has.
class DpiAwarenessScope {
 public:
  enum class Awareness { kUnaware, kPerMonitor };

  explicit DpiAwarenessScope(Awareness awareness);
  ~DpiAwarenessScope();
  DpiAwarenessScope(const DpiAwarenessScope&) = delete;
  DpiAwarenessScope& operator=(const DpiAwarenessScope&) = delete;

 private:
  DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

// The DPI `window` is shown at (its monitor's for a per-monitor aware window), or
// 96 where the system cannot tell.
UINT WindowDpi(HWND window);

// The size of the notification area's icons at `dpi`.
int SmallIconSize(UINT dpi);
