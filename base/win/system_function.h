#pragma once

#include <windows.h>

// A function of a system DLL that the program needs only now and then (the tray's
// shell, the list views' common controls, Video for Windows): the DLL is loaded on
// the first call instead of with the program, whose start would otherwise wait for
// it and everything it loads in turn. It stays loaded for the rest of the run.
// Null when the DLL or the function is missing.
template <typename Fn>
Fn SystemFunction(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  if (module == nullptr) module = LoadLibraryA(dll);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
