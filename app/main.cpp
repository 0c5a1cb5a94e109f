#include <windows.h>

#include "app/window/clock_program.h"
#include "app/window/startup.h"

namespace {

ClockProgram g_program;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!Startup(instance, g_program)) return 0;
  RunMessageLoop();
  Shutdown(g_program);
  return 0;
}
