#pragma once

#include <windows.h>

// Owns one reference to a loaded DLL and frees it with FreeLibrary. Movable, so a
// library can be handed on without ever having two owners.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(HMODULE module = nullptr) : module_(module) {}
  ~LoadedLibrary() { Free(); }
  LoadedLibrary(LoadedLibrary&& other) noexcept : module_(other.module_) {
    other.module_ = nullptr;
  }
  LoadedLibrary& operator=(LoadedLibrary&& other) noexcept {
    if (this != &other) {
      Free();
      module_ = other.module_;
      other.module_ = nullptr;
    }
    return *this;
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  HMODULE get() const { return module_; }

  // Hands the reference to the caller, who frees it; the object is empty afterwards.
  HMODULE Detach() {
    HMODULE module = module_;
    module_ = nullptr;
    return module;
  }

  // The export `name` as a function of type `Fn`, or null when the DLL lacks it.
  template <typename Fn>
  Fn Export(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  // Loads the DLL at `path`. A full path also lets the DLL's own folder, not the
  // program's, be searched for the DLLs it depends on.
  static LoadedLibrary LoadFromPath(const char* path) {
    const bool full = (path[0] != '\0' && path[1] == ':') || (path[0] == '\\' && path[1] == '\\');
    return LoadedLibrary(LoadLibraryExA(path, nullptr, full ? LOAD_WITH_ALTERED_SEARCH_PATH : 0));
  }

  // One more reference to a module that is already loaded, so that it stays mapped
  // while a call into it runs even if its other owner frees it meanwhile.
  static LoadedLibrary Pin(HMODULE module) {
    HMODULE pinned = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(module),
                       &pinned);
    return LoadedLibrary(pinned);
  }

 private:
  void Free() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
  }

  HMODULE module_;
};
