#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <objbase.h>

// Initializes COM on this thread as a single-threaded apartment for the object's
// life. Calls nest, so an apartment the thread already has is only counted once
// more. A thread in the multithreaded apartment answers RPC_E_CHANGED_MODE: COM
// works there as it is, and nothing is uninitialized afterwards.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

// Owns one reference to a COM object and releases it.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }

  // Releases the reference held and gives the place where a creating call
  // stores the new one.
  Interface** Receive() {
    Reset();
    return &object_;
  }

  void Reset() {
    if (object_ != nullptr) object_->Release();
    object_ = nullptr;
  }

 private:
  Interface* object_ = nullptr;
};
