// Prints what the clock module Analog costs: one DrawClock on the clock's
// 200 x 200 16-bit surface next to one 200 x 200 16-bit BitBlt, the copy that
// every composition makes anyway, measured in the same run and taking turns.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/window/clock_face.h"
#include "base/win/loaded_library.h"
#include "bench/bench_figure.h"
#include "bench/bench_timer.h"
#include "imaging/draw_surface.h"
#include "tests/win32/test_support.h"

namespace {

constexpr int kRuns = 2000;

// A time that moves every hand on from one run to the next.
SYSTEMTIME TimeOfRun(int run) {
  SYSTEMTIME t{};
  t.wYear = 2026;
  t.wMonth = 1;
  t.wDay = 1;
  t.wHour = static_cast<WORD>(run % 24);
  t.wMinute = static_cast<WORD>((run * 7) % 60);
  t.wSecond = static_cast<WORD>((run * 13) % 60);
  t.wMilliseconds = static_cast<WORD>((run * 37) % 1000);
  return t;
}

// DrawClock with the settings `ini` (Analog.ini's text) next to the BitBlt floor.
// The DLL is copied into a folder of its own, so that it reads that Analog.ini.
void MeasureDrawClock(const char* name, const char* ini) {
  TempDir folder("kelvane-analog-bench");
  const std::string dll = folder.File("Analog.dll");
  CopyFileA((ExeDir() + "\\Analog.dll").c_str(), dll.c_str(), FALSE);
  const std::string text = ini;
  WriteBytes(folder.File("Analog.ini"), std::vector<unsigned char>(text.begin(), text.end()));

  TestWindow window(0, 0, 200, 200, RGB(0, 0, 0));
  DrawSurface face, background;
  face.Create(window.get(), 200, 200, 16);
  background.Create(window.get(), 200, 200, 16);
  const HBRUSH brush = CreateSolidBrush(RGB(0x30, 0x40, 0x60));
  const RECT all = {0, 0, 200, 200};
  FillRect(background.memoryDc(), &all, brush);
  DeleteObject(brush);

  const LoadedLibrary analog(LoadLibraryA(dll.c_str()));
  const auto initialize = analog.Export<ModuleInitializeFn>("Initialize");
  const auto uninitialize = analog.Export<ModuleUninitializeFn>("Uninitialize");
  const auto drawClock = analog.Export<ModuleDrawFn>("DrawClock");
  if (initialize == nullptr || uninitialize == nullptr || drawClock == nullptr) {
    std::printf("%s: Analog.dll or its exports are missing\n", name);
    return;
  }
  initialize(window.get());
  std::vector<double> draws, floors;
  for (int run = 0; run < kRuns; ++run) {
    const SYSTEMTIME now = TimeOfRun(run);
    BitBlt(face.memoryDc(), 0, 0, 200, 200, background.memoryDc(), 0, 0, SRCCOPY);
    draws.push_back(Time([&] { drawClock(face.memoryDc(), &now, 0); }));
    floors.push_back(Time(
        [&] { BitBlt(face.memoryDc(), 0, 0, 200, 200, background.memoryDc(), 0, 0, SRCCOPY); }));
  }
  uninitialize();
  char label[160];
  std::snprintf(label, sizeof label, "Analog DrawClock, %s, next to one 16-bit BitBlt, %d runs",
                name, kRuns);
  PrintFigure(label, Median(draws), Median(floors));
}

}  // namespace

int main() {
  MeasureDrawClock("sweeping second hand, shadow", "[ANALOG]\r\nSECOND_HAND=2\r\nSHADOW=1\r\n");
  MeasureDrawClock("second hand once a second, shadow",
                   "[ANALOG]\r\nSECOND_HAND=1\r\nSHADOW=1\r\n");
  MeasureDrawClock("no second hand, no shadow", "[ANALOG]\r\nSECOND_HAND=0\r\nSHADOW=0\r\n");
  return 0;
}
