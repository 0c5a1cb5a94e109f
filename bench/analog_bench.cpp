// Prints what the clock module Analog costs: one DrawClock on the clock's
// 200 x 200 16-bit surface next to one 200 x 200 16-bit BitBlt, the copy that
// every composition makes anyway, measured in the same run and taking turns;
// the faces' times follow each other as the running clock asks for them, and
// once with every hand moved on each face, the dearest case.
#include <windows.h>

#include <algorithm>
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

constexpr long kStartMs = 10L * 3600 * 1000 + 9L * 60 * 1000 + 30500;  // 10:09:30.5

SYSTEMTIME TimeAtMs(long ms) {
  SYSTEMTIME t{};
  t.wYear = 2026;
  t.wMonth = 1;
  t.wDay = 1;
  t.wHour = static_cast<WORD>(ms / 3600000 % 24);
  t.wMinute = static_cast<WORD>(ms / 60000 % 60);
  t.wSecond = static_cast<WORD>(ms / 1000 % 60);
  t.wMilliseconds = static_cast<WORD>(ms % 1000);
  return t;
}

// The times of the faces a running clock asks for: 50 ms apart while the second
// hand sweeps, a second apart otherwise.
SYSTEMTIME FiftyMsApart(int run) { return TimeAtMs(kStartMs + 50L * run); }
SYSTEMTIME OneSecondApart(int run) { return TimeAtMs(kStartMs + 1000L * run); }
// A time that moves every hand on from one run to the next.
SYSTEMTIME EveryHandMoved(int run) {
  return TimeAtMs(((run % 24) * 3600L + (run * 7 % 60) * 60L + run * 13 % 60) * 1000 +
                  run * 37 % 1000);
}

// DrawClock with the settings `ini` (Analog.ini's text) next to the BitBlt floor.
// The DLL is copied into a folder of its own, so that it reads that Analog.ini.
void MeasureDrawClock(const char* name, const char* ini, SYSTEMTIME (*timeOfRun)(int)) {
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
  const auto initialize = analog.Export<KelvaneModuleInitializeFn>("Initialize");
  const auto uninitialize = analog.Export<KelvaneModuleUninitializeFn>("Uninitialize");
  const auto drawClock = analog.Export<KelvaneModuleDrawFn>("DrawClock");
  if (initialize == nullptr || uninitialize == nullptr || drawClock == nullptr) {
    std::printf("%s: Analog.dll or its exports are missing\n", name);
    return;
  }
  initialize(window.get());
  std::vector<double> draws, floors;
  for (int run = 0; run < kRuns; ++run) {
    const SYSTEMTIME now = timeOfRun(run);
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
  double sum = 0;
  for (double draw : draws) sum += draw;
  std::printf("  mean %.1f \xC2\xB5s, slowest %.1f \xC2\xB5s\n", sum / kRuns,
              *std::max_element(draws.begin(), draws.end()));
}

}  // namespace

int main() {
  const char* const sweeping = "[ANALOG]\r\nSECOND_HAND=2\r\nSHADOW=1\r\n";
  MeasureDrawClock("sweeping second hand, shadow, faces 50 ms apart", sweeping, FiftyMsApart);
  MeasureDrawClock("sweeping second hand, shadow, every hand moved each face", sweeping,
                   EveryHandMoved);
  MeasureDrawClock("second hand once a second, shadow, faces 1 s apart",
                   "[ANALOG]\r\nSECOND_HAND=1\r\nSHADOW=1\r\n", OneSecondApart);
  MeasureDrawClock("no second hand, no shadow, faces 1 s apart",
                   "[ANALOG]\r\nSECOND_HAND=0\r\nSHADOW=0\r\n", OneSecondApart);
  return 0;
}
