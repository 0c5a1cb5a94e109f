#pragma once

#include <windows.h>

#include <string>

#include "tests/win32/test_support.h"

// A program folder for one test: Kelvane.exe copied into a fresh folder (whose
// name may hold double-byte characters), with the settings file beside it.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& name = "kelvane-program");

  const std::string& path() const { return dir_.path(); }
  std::string File(const std::string& name) const { return dir_.File(name); }
  std::string exe() const { return File("Kelvane.exe"); }
  std::string ini() const { return File("kelvane.ini"); }

  void Set(const char* section, const char* key, const std::string& value) const;
  // Copies a DLL built beside the tests into `subfolder` ("info", "clock",
  // "plugin") and returns its full path there.
  std::string Install(const std::string& dll, const std::string& subfolder) const;
  // The value as text, or "<absent>".
  std::string Get(const char* section, const char* key) const;

 private:
  TempDir dir_;
};

// The real Kelvane.exe started from a program folder. The destructor closes it
// (WM_CLOSE) and, failing that, ends the process.
class RunningClock {
 public:
  explicit RunningClock(const ProgramFolder& folder);
  // The program `exe`, started in its own folder `dir`.
  RunningClock(const std::string& exe, const std::string& dir);
  ~RunningClock();
  RunningClock(const RunningClock&) = delete;
  RunningClock& operator=(const RunningClock&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  // The process's clock window once it is visible, or null after the timeout.
  HWND WaitForWindow(DWORD timeoutMs = 15000);
  // True when the process has ended within the timeout.
  bool WaitForExit(DWORD timeoutMs = 15000) const;
  DWORD ExitCode() const;
  HWND window() const { return window_; }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// True when the process that made `window` has loaded a module of this file name.
bool ProcessHasModule(HWND window, const std::string& name);

// The clock windows ("Kelvane" class and title) of every process.
int CountClockWindows();

RECT WindowRect(HWND window);

// True when `upper` lies above `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower);
