#pragma once

#include <windows.h>

// True while a program in front covers the whole monitor of `clock`: the
// foreground window (not the desktop's or the shell's, not the clock) covers all
// of that monitor, or the shell reports a full-screen program, a game in full
// screen or a presentation.
bool IsFullScreenInFront(HWND clock);

// Tells `clock` with `message` whenever another window comes to the foreground,
// while the object lives. One per process.
class ForegroundWatch {
 public:
  ForegroundWatch() = default;
  ~ForegroundWatch() { Stop(); }
  ForegroundWatch(const ForegroundWatch&) = delete;
  ForegroundWatch& operator=(const ForegroundWatch&) = delete;

  void Start(HWND clock, UINT message);
  void Stop();

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                               LONG child, DWORD thread, DWORD time);

  HWINEVENTHOOK hook_ = nullptr;
};
