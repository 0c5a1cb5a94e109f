#pragma once

#include <windows.h>

#include <functional>
#include <string>
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

// The top-level windows of this thread with this class and title, shown or not: a
// dialog appears only once its modal loop first idles.
std::vector<HWND> ThreadWindows(const std::string& className, const std::string& title);

// The last non-empty text of a static control in `window` (a message box's text).
std::string StaticText(HWND window);
