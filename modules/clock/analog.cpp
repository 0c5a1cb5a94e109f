// Analog, the clock module: hour, minute and second hands, anti-aliased and with
// a soft shadow, drawn over the dial of the background. The host calls these
// exports by their plain names with the C calling convention, as the SDK header
// declares them.
#include "base/runtime_pool.h"
#include "modules/clock/analog_clock.h"
#include "sdk/kelvane_module.h"

namespace {

HMODULE g_module = nullptr;
AnalogClock g_clock;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  // Freed by the host (not at process exit), as when the user switches modules
  // or plug-ins on the customize dialog.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) ReleaseRuntimePool();
  return TRUE;
}

extern "C" {

int __cdecl Initialize(HWND window) {
  g_clock.Initialize(g_module, window);
  return 1;
}

int __cdecl Uninitialize(void) {
  g_clock.Uninitialize();
  return 1;
}

int __cdecl DrawClock(HDC dc, const SYSTEMTIME* now, int) {
  if (now != nullptr) g_clock.Draw(dc, *now);
  return 1;
}

int __cdecl OpenConfig(HWND owner, int) { return g_clock.OpenConfig(g_module, owner); }

int __cdecl Reset(void) {
  g_clock.Reset();
  return 1;
}

}  // extern "C"
