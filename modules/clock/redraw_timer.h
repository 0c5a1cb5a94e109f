#pragma once

#include <windows.h>

// Timer 1 on the clock window, on each tick of which the host composes the face.
// It is owned only once Start has started it: Stop and the destructor kill a
// timer 1 that someone else started never.
class RedrawTimer {
 public:
  static constexpr UINT_PTR kId = 1;

  RedrawTimer() = default;
  ~RedrawTimer() { Stop(); }
  RedrawTimer(const RedrawTimer&) = delete;
  RedrawTimer& operator=(const RedrawTimer&) = delete;

  // Starts the timer on `window`, or sets a new interval for the one it runs.
  void Start(HWND window, UINT intervalMs) {
    if (window == nullptr) return;
    if (running_ && window != window_) Stop();
    window_ = window;
    running_ = SetTimer(window, kId, intervalMs, nullptr) != 0;
  }

  void Stop() {
    if (running_) KillTimer(window_, kId);
    running_ = false;
  }

 private:
  HWND window_ = nullptr;
  bool running_ = false;
};
