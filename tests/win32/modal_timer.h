#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Calls `onTick` from a timer of this thread. The timer only fires while some loop
// pumps this thread's messages, which makes it the way for a test to act inside a
// modal loop that the code under test runs (a message box, a dialog), as the
// clock's own timer would.
class ModalTimer {
 public:
  explicit ModalTimer(std::function<void()> onTick, UINT intervalMs = 20);
  ~ModalTimer();
  ModalTimer(const ModalTimer&) = delete;
  ModalTimer& operator=(const ModalTimer&) = delete;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  static ModalTimer* current_;
  std::function<void()> onTick_;
  UINT_PTR timer_;
};

// Guards a test that opens a modal window: when the guard still lives after
// `limitMs` (the window never closed), it reports which test hung and ends the
// process with status 1, so the suite fails instead of hanging.
class ModalWatchdog {
 public:
  explicit ModalWatchdog(DWORD limitMs = 20000);
  ~ModalWatchdog();
  ModalWatchdog(const ModalWatchdog&) = delete;
  ModalWatchdog& operator=(const ModalWatchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};
