#include "base/win/dll_entry.h"

namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {

HMODULE g_dll = nullptr;

}  // namespace

HMODULE ThisDll() { return g_dll; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) g_dll = instance;
  // Nothing may throw after this.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) __gnu_cxx::__freeres();
  return TRUE;
}
