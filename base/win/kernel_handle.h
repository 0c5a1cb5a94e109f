#pragma once

#include <windows.h>

// Owns a kernel object handle (mutex, process, thread) and closes it.
class KernelHandle {
 public:
  KernelHandle() : handle_(nullptr) {}
  explicit KernelHandle(HANDLE handle) : handle_(handle) {}
  ~KernelHandle() { Close(); }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  HANDLE get() const { return handle_; }

 private:
  void Close() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = nullptr;
  }

  HANDLE handle_;
};
