// Prints what the clock module Analog costs: one DrawClock on the clock's
// 200 x 200 16-bit surface next to one 200 x 200 16-bit BitBlt, the copy that
// every composition makes anyway, measured in the same run and taking turns;
// the faces' times follow each other as the running clock asks for them, and
// once with every hand moved on each face, the dearest case. Then a face drawn
// at 300 x 300 (144 DPI) through Mirrick's DrawInfoScaled and Analog's
// DrawClockScaled next to the two 300 x 300 16-bit BitBlts a composition makes
// anyway, of the background into the face and of the face onto the window; and
// those copies with the drawing between them, the whole composition, next to
// the same floor.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/window/clock_face.h"
#include "base/win/gdi_handles.h"
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

// Analog.dll copied into a folder of its own with `ini` as its Analog.ini, so
// that it reads those settings, and loaded.
class AnalogCopy {
 public:
  explicit AnalogCopy(const char* ini) {
    const std::string dll = folder_.File("Analog.dll");
    CopyFileA((ExeDir() + "\\Analog.dll").c_str(), dll.c_str(), FALSE);
    const std::string text = ini;
    WriteBytes(folder_.File("Analog.ini"), std::vector<unsigned char>(text.begin(), text.end()));
    library_ = LoadedLibrary(LoadLibraryA(dll.c_str()));
  }

  const LoadedLibrary& library() const { return library_; }

 private:
  TempDir folder_{"kelvane-analog-bench"};
  LoadedLibrary library_;
};

// A 16-bit face of `size` and a background of a plain colour to copy into it.
struct Surfaces {
  Surfaces(HWND window, int faceSize) : size(faceSize) {
    face.Create(window, size, size, 16);
    background.Create(window, size, size, 16);
    const HBRUSH brush = CreateSolidBrush(RGB(0x30, 0x40, 0x60));
    const RECT all = {0, 0, size, size};
    FillRect(background.memoryDc(), &all, brush);
    DeleteObject(brush);
  }
  void CopyBackground() const {
    BitBlt(face.memoryDc(), 0, 0, size, size, background.memoryDc(), 0, 0, SRCCOPY);
  }

  int size;
  DrawSurface face, background;
};

// DrawClock with the settings `ini` (Analog.ini's text) next to the BitBlt floor.
void MeasureDrawClock(const char* name, const char* ini, SYSTEMTIME (*timeOfRun)(int)) {
  const AnalogCopy analog(ini);
  TestWindow window(0, 0, 200, 200, RGB(0, 0, 0));
  const Surfaces surfaces(window.get(), 200);
  const auto initialize = analog.library().Export<KelvaneModuleInitializeFn>("Initialize");
  const auto uninitialize = analog.library().Export<KelvaneModuleUninitializeFn>("Uninitialize");
  const auto drawClock = analog.library().Export<KelvaneModuleDrawFn>("DrawClock");
  if (initialize == nullptr || uninitialize == nullptr || drawClock == nullptr) {
    std::printf("%s: Analog.dll or its exports are missing\n", name);
    return;
  }
  initialize(window.get());
  std::vector<double> draws, floors;
  for (int run = 0; run < kRuns; ++run) {
    const SYSTEMTIME now = timeOfRun(run);
    surfaces.CopyBackground();
    draws.push_back(Time([&] { drawClock(surfaces.face.memoryDc(), &now, 0); }));
    floors.push_back(Time([&] { surfaces.CopyBackground(); }));
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

// Mirrick's DrawInfoScaled and Analog's DrawClockScaled on a face of kScaledSize,
// and a composition with them, next to the composition's two BitBlts.
void MeasureScaledFace(const char* name, const char* ini, SYSTEMTIME (*timeOfRun)(int)) {
  constexpr int kScaledSize = 300;
  const AnalogCopy analog(ini);
  const LoadedLibrary mirrick(LoadLibraryA((ExeDir() + "\\Mirrick.dll").c_str()));
  TestWindow window(0, 0, kScaledSize, kScaledSize, RGB(0, 0, 0), true);
  const WindowDc windowDc(window.get());
  const Surfaces surfaces(window.get(), kScaledSize);
  const LoadedLibrary* modules[] = {&mirrick, &analog.library()};
  const auto drawInfo = mirrick.Export<KelvaneModuleDrawScaledFn>("DrawInfoScaled");
  const auto drawClock = analog.library().Export<KelvaneModuleDrawScaledFn>("DrawClockScaled");
  if (drawInfo == nullptr || drawClock == nullptr) {
    std::printf("%s: Mirrick.dll, Analog.dll or their scaled exports are missing\n", name);
    return;
  }
  for (const LoadedLibrary* module : modules) {
    module->Export<KelvaneModuleInitializeFn>("Initialize")(window.get());
  }
  HDC face = surfaces.face.memoryDc();
  const auto show = [&] {
    BitBlt(windowDc.get(), 0, 0, kScaledSize, kScaledSize, face, 0, 0, SRCCOPY);
  };
  std::vector<double> draws, compositions, floors;
  for (int run = 0; run < kRuns; ++run) {
    const SYSTEMTIME now = timeOfRun(run);
    surfaces.CopyBackground();
    draws.push_back(Time([&] {
      drawInfo(face, &now, kScaledSize);
      drawClock(face, &now, kScaledSize);
    }));
    compositions.push_back(Time([&] {
      surfaces.CopyBackground();
      drawInfo(face, &now, kScaledSize);
      drawClock(face, &now, kScaledSize);
      show();
    }));
    floors.push_back(Time([&] {
      surfaces.CopyBackground();
      show();
    }));
  }
  for (const LoadedLibrary* module : modules) {
    module->Export<KelvaneModuleUninitializeFn>("Uninitialize")();
  }
  char label[200];
  std::snprintf(label, sizeof label,
                "DrawInfoScaled (Mirrick) and DrawClockScaled (Analog) at 300 x 300, %s, next to "
                "two 300 x 300 16-bit BitBlts, %d runs",
                name, kRuns);
  PrintFigure(label, Median(draws), Median(floors));
  std::snprintf(label, sizeof label,
                "the BitBlts with that drawing between them, a composition at 300 x 300, %s", name);
  PrintFigure(label, Median(compositions), Median(floors));
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
  MeasureScaledFace("second hand once a second, shadow, faces 1 s apart",
                    "[ANALOG]\r\nSECOND_HAND=1\r\nSHADOW=1\r\n", OneSecondApart);
  MeasureScaledFace("sweeping second hand, shadow, faces 50 ms apart", sweeping, FiftyMsApart);
  return 0;
}
