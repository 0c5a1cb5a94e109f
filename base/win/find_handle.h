#pragma once

#include <windows.h>

// Owns a directory listing started with FindFirstFileA and ends it with FindClose.
class FindHandle {
 public:
  FindHandle(const char* pattern, WIN32_FIND_DATAA* found)
      : handle_(FindFirstFileA(pattern, found)) {}
  ~FindHandle() {
    if (valid()) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA* found) const { return FindNextFileA(handle_, found) != 0; }

 private:
  HANDLE handle_;
};
