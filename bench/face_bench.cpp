// Prints what the clock costs: the median time of one face composition with two
// trivial modules, and the time from process start to the first painted face.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/window/clock_face.h"
#include "tests/program/running_clock.h"

namespace {

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void MeasureDraw() {
  TestWindow window(0, 0, 200, 200, RGB(0, 0, 0), true);
  ClockFace face;
  face.Attach(window.get());
  face.LoadBackground("");
  face.SetModule(ClockFace::kClockSlot, LoadLibraryA((ExeDir() + "\\clock_red.dll").c_str()));
  face.SetModule(ClockFace::kInfoSlot, LoadLibraryA((ExeDir() + "\\info_green.dll").c_str()));
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::vector<double> samples;
  for (int i = 0; i < 2000; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    face.Draw(&now);
    GdiFlush();
    QueryPerformanceCounter(&end);
    samples.push_back(Microseconds(start, end));
  }
  std::sort(samples.begin(), samples.end());
  std::printf("ClockFace::Draw, two trivial modules, %zu runs: median %.1f us, p90 %.1f us\n",
              samples.size(), samples[samples.size() / 2], samples[samples.size() * 9 / 10]);
}

void MeasureFirstPaint() {
  std::vector<double> samples;
  for (int run = 0; run < 5; ++run) {
    ProgramFolder folder;
    folder.Set("WINDOW", "POS_X", "300");
    folder.Set("WINDOW", "POS_Y", "300");
    TestWindow backdrop(250, 250, 300, 300, RGB(0x88, 0x20, 0x60));
    LARGE_INTEGER start, painted;
    QueryPerformanceCounter(&start);
    RunningClock clock(folder);
    // The face's centre turns black once the first composed face is on the screen.
    const bool shown = WaitFor([] { return ScreenPixel(400, 400) == RGB(0, 0, 0); }, 20000);
    QueryPerformanceCounter(&painted);
    if (!shown) {
      std::printf("run %d: the clock did not paint within 20 s\n", run);
      continue;
    }
    samples.push_back(Microseconds(start, painted) / 1000);
    clock.WaitForWindow();
  }
  if (!samples.empty()) {
    std::printf("process start to first painted face, %zu runs: median %.0f ms\n", samples.size(),
                Median(samples));
  }
}

}  // namespace

int main() {
  MeasureDraw();
  MeasureFirstPaint();
  return 0;
}
