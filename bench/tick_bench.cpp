// How late the running clock's face changes after the system clock's second:
// Kelvane.exe with a module that paints a square white in odd seconds and black in
// even ones, and a poll of one screen pixel that notes at which millisecond of the
// local time each change shows. The floor is the poll's own resolution, the
// median time between two looks at the pixel.
//   tick_bench.exe [SECONDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_figure.h"
#include "bench/bench_timer.h"
#include "tests/program/running_clock.h"

namespace {

constexpr int kProbeX = 305;
constexpr int kProbeY = 205;

double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(share * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", std::to_string(kProbeX - 100));
  folder.Set("WINDOW", "POS_Y", std::to_string(kProbeY - 100));
  folder.Set("OBJECT", "MODULE_PATH", folder.Install("second_probe.dll", "clock"));
  RunningClock clock(folder);
  if (clock.WaitForWindow() == nullptr) {
    std::printf("tick: the clock did not start\n");
    return 1;
  }
  Sleep(2000);
  std::vector<double> lateness, polls;
  HDC screen = GetDC(nullptr);
  COLORREF last = GetPixel(screen, kProbeX, kProbeY);
  LARGE_INTEGER previous = PerformanceNow();
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    const COLORREF seen = GetPixel(screen, kProbeX, kProbeY);
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const LARGE_INTEGER at = PerformanceNow();
    polls.push_back(Microseconds(previous, at));
    previous = at;
    if (seen == last) continue;
    last = seen;
    // Local time differs from UTC by whole minutes: the fraction of the second is
    // the same. File times count 100 ns.
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    lateness.push_back(static_cast<double>(ticks % 10000000) / 10.0);
  }
  ReleaseDC(nullptr, screen);
  if (lateness.empty()) {
    std::printf("tick: the face never changed\n");
    return 1;
  }
  char label[160];
  std::snprintf(label, sizeof label, "face change after the second, p50 of %zu changes",
                lateness.size());
  PrintFigure(label, Percentile(lateness, 0.5), Median(polls));
  std::snprintf(label, sizeof label, "face change after the second, p99");
  PrintFigure(label, Percentile(lateness, 0.99), Median(polls));
  std::snprintf(label, sizeof label, "face change after the second, max");
  PrintFigure(label, Percentile(lateness, 1.0), Median(polls));
  return 0;
}
