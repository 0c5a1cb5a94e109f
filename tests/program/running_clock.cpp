#include "tests/program/running_clock.h"

#include <tlhelp32.h>

#include <vector>

ProgramFolder::ProgramFolder(const std::string& name) : dir_(name) {
  CopyFileA((ExeDir() + "\\Kelvane.exe").c_str(), exe().c_str(), FALSE);
}

void ProgramFolder::Set(const char* section, const char* key, const std::string& value) const {
  WritePrivateProfileStringA(section, key, value.c_str(), ini().c_str());
}

std::string ProgramFolder::Install(const std::string& dll, const std::string& subfolder) const {
  const std::string folder = File(subfolder);
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string target = folder + "\\" + dll;
  CopyFileA((ExeDir() + "\\" + dll).c_str(), target.c_str(), FALSE);
  return target;
}

std::string ProgramFolder::Get(const char* section, const char* key) const {
  char value[MAX_PATH] = {};
  GetPrivateProfileStringA(section, key, "<absent>", value, MAX_PATH, ini().c_str());
  return value;
}

RunningClock::RunningClock(const ProgramFolder& folder)
    : RunningClock(folder.exe(), folder.path()) {}

RunningClock::RunningClock(const std::string& exe, const std::string& dir) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &startup, &process_)) {
    process_ = PROCESS_INFORMATION{};
  }
}

RunningClock::~RunningClock() {
  if (!started()) return;
  if (!WaitForExit(0)) {
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (!WaitForExit(10000)) TerminateProcess(process_.hProcess, 1);
    WaitForExit(10000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

namespace {

struct WindowSearch {
  DWORD processId;
  HWND found;
  int count;
};

BOOL CALLBACK FindClockWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  char className[32] = {}, title[32] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  if (lstrcmpA(className, "Kelvane") != 0 || lstrcmpA(title, "Kelvane") != 0) return TRUE;
  ++search->count;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found = window;
  return TRUE;
}

}  // namespace

HWND RunningClock::WaitForWindow(DWORD timeoutMs) {
  if (!started()) return nullptr;
  WaitFor(
      [this] {
        WindowSearch search{process_.dwProcessId, nullptr, 0};
        EnumWindows(FindClockWindow, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        return window_ != nullptr && IsWindowVisible(window_);
      },
      timeoutMs);
  return window_ != nullptr && IsWindowVisible(window_) ? window_ : nullptr;
}

bool RunningClock::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningClock::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

int CountClockWindows() {
  WindowSearch search{0, nullptr, 0};
  EnumWindows(FindClockWindow, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool IsAbove(HWND upper, HWND lower) {
  for (HWND window = GetTopWindow(nullptr); window != nullptr;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (window == upper) return true;
    if (window == lower) return false;
  }
  return false;
}

bool ProcessHasModule(HWND window, const std::string& name) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Module32First(snapshot, &entry); more && !found;
       more = Module32Next(snapshot, &entry)) {
    found = lstrcmpiA(entry.szModule, name.c_str()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}
