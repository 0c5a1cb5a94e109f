#include "app/window/startup.h"

#include "app/window/clock_program.h"
#include "app/window/clock_window.h"
#include "app/window/see_through.h"
#include "app/window/settings.h"
#include "app/window/window_shape.h"
#include "app/window/work_area.h"
#include "base/win/dpi_awareness.h"
#include "resources/resource_ids.h"

namespace {

// How long a start waits for a clock that is still starting or shutting down,
// and how often it looks for its window meanwhile.
constexpr DWORD kShutdownWaitMs = 10000;
constexpr DWORD kWaitStepMs = 50;

// Another clock's window, brought forward and shown (it may be hidden in the tray).
// With `onlyVisible`, a window that is not shown yet (its clock is still starting)
// does not count.
bool ShowRunningClock(bool onlyVisible) {
  HWND running = FindWindowA(kClockName, kClockName);
  if (running == nullptr || (onlyVisible && !IsWindowVisible(running))) return false;
  SetForegroundWindow(running);
  ShowWindow(running, SW_SHOW);
  return true;
}

void RestorePlacement(ClockProgram& program) {
  const int x = ReadSetting("WINDOW", "POS_X", nullptr, 0);
  const int y = ReadSetting("WINDOW", "POS_Y", nullptr, 0);
  program.stackingMode = StackingModeFromSetting(ReadSetting("WINDOW", "POS_Z", nullptr, 0));
  // A saved position on no monitor (one was unplugged) would leave the clock out of
  // reach: it opens on the nearest monitor instead. The saved value stays as it is
  // until the user moves the clock.
  const RECT place = ReachablePlace(RectAt(x, y, ClockFace::kFaceSize, ClockFace::kFaceSize));
  // In mode Bottom the window procedure turns this insertion into HWND_BOTTOM.
  HWND insertAfter = program.stackingMode == StackingMode::Topmost ? HWND_TOPMOST : HWND_TOP;
  SetWindowPos(program.window, insertAfter, place.left, place.top, 0, 0, SWP_NOSIZE);
  program.autoHide = ReadSetting("WINDOW", "AUTOHIDE", nullptr, 0);
  program.positionLock = ReadSetting("WINDOW", "POSLOCK", nullptr, 0);
  program.hideFullScreen = ReadSetting("WINDOW", "HIDE_FULLSCREEN", nullptr, 1);
  program.opacity = OpacityFromSetting(ReadSetting("WINDOW", "OPACITY", nullptr, 100));
  program.clickThrough = ReadSetting("WINDOW", "CLICK_THROUGH", nullptr, 0);
  ApplySeeThrough(program.window, program.opacity, program.clickThrough != 0);
}

void PrepareFace(ClockProgram& program) {
  ClockFace& face = program.face;
  face.Attach(program.window, FaceSizeAt(WindowDpi(program.window)));
  char path[MAX_PATH] = {};
  ReadPathSetting("BACKGROUND", "FILE", path);
  FindMovedFile("background", path);
  face.LoadBackground(path);
  const struct {
    int slot;
    const char* key;
    const char* folder;
  } modules[] = {{ClockFace::kClockSlot, "MODULE_PATH", "clock"},
                 {ClockFace::kInfoSlot, "MODULE_PATH2", "info"}};
  for (const auto& module : modules) {
    if (!ReadPathSetting("OBJECT", module.key, path)) continue;
    FindMovedFile(module.folder, path);
    face.SetModule(module.slot, LoadedLibrary::LoadFromPath(path).Detach());
  }
  SYSTEMTIME now;
  program.readTime(&now);
  face.Draw(&now);
}

// The mutex is owned for the whole run. A start that finds it without a clock
// window meets a clock that is either still starting (its window comes in a
// moment) or still shutting down (a plug-in's Release may take time; the process
// then ends and abandons the mutex). It waits in short steps for whichever comes
// first: the window, brought forward, ends this start; the mutex makes it the clock.
// Only a clock that neither shows nor ends in time is reported. True when this
// start owns the mutex.
bool TakeSingleInstanceMutex(ClockProgram& program) {
  program.mutex.Reset(CreateMutexA(nullptr, TRUE, kClockName));
  if (program.mutex.get() == nullptr) return false;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
  for (DWORD waited = 0; waited < kShutdownWaitMs; waited += kWaitStepMs) {
    const DWORD result = WaitForSingleObject(program.mutex.get(), kWaitStepMs);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) return true;
    if (ShowRunningClock(true)) return false;
  }
  program.mutex.Reset(nullptr);
  if (ShowRunningClock(false)) return false;
  MessageBoxA(nullptr, "前の時計がまだ終了していません。しばらくしてからもう一度起動してください。",
              kClockName, MB_OK | MB_ICONINFORMATION);
  return false;
}

}  // namespace

int Startup(HINSTANCE instance, ClockProgram& program) {
  // Modules and plug-ins are loaded by full path; the current folder is never
  // searched for them or for the DLLs they need.
  SetDllDirectoryA("");
  if (ShowRunningClock(false)) return 0;
  if (!TakeSingleInstanceMutex(program)) return 0;
  if (!RegisterClockWindowClass(instance)) return 0;
  {
    // Only the clock window sees the monitors' own DPI and draws at the real size;
    // every other window of the program is scaled by the system as it always was.
    const DpiAwarenessScope perMonitor(DpiAwarenessScope::Awareness::kPerMonitor);
    program.window = CreateWindowExA(WS_EX_TOOLWINDOW, kClockName, kClockName, WS_POPUP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, ClockFace::kFaceSize,
                                     ClockFace::kFaceSize, nullptr, nullptr, instance, nullptr);
  }
  if (program.window == nullptr) return 0;
  BindClockWindow(program.window, &program);
  SetWindowPos(program.window, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  const int shapedSize = FaceSizeAt(WindowDpi(program.window));
  if (!ShapeClockWindow(program.window, shapedSize)) return 0;
  RestorePlacement(program);
  // The saved place may lie on a monitor of another DPI.
  const int size = FaceSizeAt(WindowDpi(program.window));
  if (size != shapedSize && !ShapeClockWindow(program.window, size)) return 0;
  PrepareFace(program);
  // The face shows before the plug-ins load: they may take a while and draw nothing.
  ShowWindow(program.window, SW_SHOW);
  UpdateWindow(program.window);
  FollowSeeThrough(program.window, program);
  program.foreground.Start(program.window, kForegroundChangedMessage);
  {
    const DpiAwarenessScope unaware(DpiAwarenessScope::Awareness::kUnaware);
    program.plugins.LoadPlugins();
  }
  Tick(program.window, program);
  return 1;
}

void RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Shutdown(ClockProgram& program) {
  program.foreground.Stop();
  KillTimer(program.window, kTickTimer);
  program.face.Clear();
  program.plugins.UnloadPlugins();
  WriteSetting("WINDOW", "POS_Z", nullptr, static_cast<int>(program.stackingMode));
  program.tray.Remove(program.window);
}
