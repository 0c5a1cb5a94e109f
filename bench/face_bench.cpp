// Prints what the clock costs, each figure next to its floor from the same run:
// one face composition next to the two 200 x 200 copies it cannot do without,
// and the time from process start to the first painted face (with no settings,
// and as the packages ship the clock) next to the same for a bare window program.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/window/clock_face.h"
#include "app/window/clock_window.h"
#include "base/win/gdi_handles.h"
#include "bench/bench_figure.h"
#include "bench/bench_timer.h"
#include "tests/program/running_clock.h"
#include "tools/orb_writer.h"

namespace {

constexpr int kDrawRuns = 2000;
constexpr int kStartRuns = 7;
// The clock is placed so that the centre of its face falls on this screen pixel.
constexpr int kProbeX = 400;
constexpr int kProbeY = 400;
constexpr COLORREF kBackdrop = RGB(0x88, 0x20, 0x60);

// Compositions with the modules named (empty: none in that slot), taking turns
// with the floor: the background-to-compose and compose-to-window BitBlts that
// ClockFace::Draw makes, on the face's own surfaces. The floor keeps one window
// DC for the whole run, as a window that owns its DC could.
void MeasureDraw(const char* name, const std::string& clockModule, const std::string& infoModule,
                 int size = ClockFace::kFaceSize) {
  TestWindow window(0, 0, size, size, RGB(0, 0, 0), true);
  ClockFace face;
  face.Attach(window.get(), size);
  face.LoadBackground("");
  if (!clockModule.empty()) {
    face.SetModule(ClockFace::kClockSlot, LoadLibraryA((ExeDir() + "\\" + clockModule).c_str()));
  }
  if (!infoModule.empty()) {
    face.SetModule(ClockFace::kInfoSlot, LoadLibraryA((ExeDir() + "\\" + infoModule).c_str()));
  }
  // The floor copies as much as the window shows: two copies at its size.
  DrawSurface background, compose;
  background.Create(window.get(), static_cast<unsigned>(size), static_cast<unsigned>(size), 16);
  compose.Create(window.get(), static_cast<unsigned>(size), static_cast<unsigned>(size), 16);
  const int width = size;
  const int height = size;
  WindowDc windowDc(window.get());
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::vector<double> draws, floors;
  for (int run = 0; run < kDrawRuns; ++run) {
    draws.push_back(Time([&] { face.Draw(&now); }));
    floors.push_back(Time([&] {
      BitBlt(compose.memoryDc(), 0, 0, width, height, background.memoryDc(), 0, 0, SRCCOPY);
      BitBlt(windowDc.get(), 0, 0, width, height, compose.memoryDc(), 0, 0, SRCCOPY);
    }));
  }
  for (int slot : {ClockFace::kClockSlot, ClockFace::kInfoSlot}) {
    if (HMODULE module = face.SetModule(slot, nullptr)) FreeLibrary(module);
  }
  char label[128];
  std::snprintf(label, sizeof label, "face composition at %d, %s, %d runs", size, name, kDrawRuns);
  PrintFigure(label, Median(draws), Median(floors));
}

// A change of DPI from 96 to 144 and back, as WM_DPICHANGED makes it: outline,
// surfaces, the background drawn again, one face; next to one composition at 300.
void MeasureDpiChange() {
  TestWindow window(0, 0, 200, 200, RGB(0, 0, 0), true);
  ClockFace face;
  face.Attach(window.get());
  face.SetModule(ClockFace::kClockSlot, LoadLibraryA((ExeDir() + "\\Analog.dll").c_str()));
  face.SetModule(ClockFace::kInfoSlot, LoadLibraryA((ExeDir() + "\\Mirrick.dll").c_str()));
  face.LoadBackground("");
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::vector<double> changes, faces;
  for (int run = 0; run < 200; ++run) {
    for (const int size : {300, 200}) {
      const double us = Time([&] {
        ShapeClockWindow(window.get(), size);
        face.Resize(size);
        face.Draw(&now);
      });
      if (size == 300) changes.push_back(us);
    }
    face.Resize(300);
    faces.push_back(Time([&] { face.Draw(&now); }));
    face.Resize(200);
  }
  for (int slot : {ClockFace::kClockSlot, ClockFace::kInfoSlot}) {
    if (HMODULE module = face.SetModule(slot, nullptr)) FreeLibrary(module);
  }
  PrintFigure("a DPI change to 144 (outline, surfaces, background, one face), 200 runs",
              Median(changes), Median(faces));
}

// Polls the probe pixel every millisecond until `shows` holds for it; false after
// `timeoutMs`.
bool WaitForProbe(const std::function<bool(COLORREF)>& shows, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!shows(ScreenPixel(kProbeX, kProbeY))) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(1);
  }
  return true;
}

// What the clock is started with: nothing (a black face with the dial), or what
// the packages ship (a picture of our format, Analog and Mirrick, both plug-ins).
enum class Setup { kEmpty, kShipped };

// Microseconds from CreateProcess of the clock to its painted face centre on the
// screen (black, or for the shipped set-up anything but black and the backdrop),
// or a negative value when it did not show within 20 s.
double ClockStart(Setup setup) {
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", std::to_string(kProbeX - 100));
  folder.Set("WINDOW", "POS_Y", std::to_string(kProbeY - 100));
  std::function<bool(COLORREF)> painted = [](COLORREF c) { return c == RGB(0, 0, 0); };
  if (setup == Setup::kShipped) {
    OrbPicture picture;
    OrbPictureFromBmp(MakeBmp24(200, 200, [](int, int) { return RGB(0xD0, 0x80, 0x90); }),
                      &picture);
    CreateDirectoryA(folder.File("background").c_str(), nullptr);
    WriteBytes(folder.File("background\\lake.orb"), BuildOrbFile(picture));
    folder.Set("BACKGROUND", "FILE", "background\\lake.orb");
    folder.Set("OBJECT", "MODULE_PATH", folder.Install("Analog.dll", "clock"));
    folder.Set("OBJECT", "MODULE_PATH2", folder.Install("Mirrick.dll", "info"));
    folder.Install("wallpaper.dll", "plugin");
    folder.Install("chime.dll", "plugin");
    const std::string enable = "wallpaper.dll\r\nchime.dll\r\n";
    WriteBytes(folder.File("plugin\\enable.txt"),
               std::vector<unsigned char>(enable.begin(), enable.end()));
    painted = [](COLORREF c) { return c != RGB(0, 0, 0) && c != kBackdrop; };
  }
  TestWindow backdrop(kProbeX - 150, kProbeY - 150, 300, 300, kBackdrop);
  if (!WaitForProbe([](COLORREF c) { return c == kBackdrop; }, 5000)) return -1;
  LARGE_INTEGER start, shown;
  QueryPerformanceCounter(&start);
  RunningClock clock(folder);
  const bool isShown = WaitForProbe(painted, 20000);
  QueryPerformanceCounter(&shown);
  clock.WaitForWindow();
  return isShown ? Microseconds(start, shown) : -1;
}

BOOL CALLBACK CloseProcessWindows(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(processId)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// The same for bare_window.exe, started the same way at the clock's place.
double BareStart() {
  TestWindow backdrop(kProbeX - 150, kProbeY - 150, 300, 300, kBackdrop);
  if (!WaitForProbe([](COLORREF c) { return c == kBackdrop; }, 5000)) return -1;
  const std::string exe = ExeDir() + "\\bare_window.exe";
  std::string commandLine =
      "\"" + exe + "\" " + std::to_string(kProbeX - 100) + " " + std::to_string(kProbeY - 100);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start, painted;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  const bool shown = WaitForProbe([](COLORREF c) { return c == RGB(0, 0, 0); }, 20000);
  QueryPerformanceCounter(&painted);
  EnumWindows(CloseProcessWindows, static_cast<LPARAM>(process.dwProcessId));
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return shown ? Microseconds(start, painted) : -1;
}

// Clock and bare window take turns, so that both see the same state of the machine.
void MeasureFirstPaint(Setup setup, const char* name) {
  std::vector<double> clock, bare;
  for (int run = 0; run < kStartRuns; ++run) {
    const double clockUs = ClockStart(setup);
    const double bareUs = BareStart();
    if (clockUs < 0 || bareUs < 0) {
      std::printf("run %d: the %s did not paint within 20 s\n", run,
                  clockUs < 0 ? "clock" : "bare window");
      continue;
    }
    clock.push_back(clockUs);
    bare.push_back(bareUs);
  }
  if (clock.empty()) return;
  char label[128];
  std::snprintf(label, sizeof label, "process start to first painted face, %s, %zu runs", name,
                clock.size());
  PrintFigure(label, Median(clock), Median(bare));
}

}  // namespace

int main() {
  MeasureDraw("no modules", "", "");
  MeasureDraw("clock_red + info_green", "clock_red.dll", "info_green.dll");
  MeasureDraw("Mirrick", "", "Mirrick.dll");
  // Modules that draw at any size, and ones that draw only at 200, whose face is
  // enlarged to the window's size.
  MeasureDraw("Analog + Mirrick drawing at 300", "Analog.dll", "Mirrick.dll", 300);
  MeasureDraw("clock_red + info_green enlarged", "clock_red.dll", "info_green.dll", 300);
  MeasureDpiChange();
  MeasureFirstPaint(Setup::kEmpty, "no settings");
  MeasureFirstPaint(Setup::kShipped, "as shipped");
  return 0;
}
