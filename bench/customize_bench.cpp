// Prints what the customize dialog costs, each figure next to its floor from the
// same run: the background page's Create with 1,000 "orb" files in the folder next
// to listing those files and inserting as many three-column rows without reading
// any file (and next to that plus opening and closing each file), and Space on the running clock
// until the dialog's skin shows next to Esc until the quit question's skin shows.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/customize/background_page.h"
#include "app/customize/list_view.h"
#include "app/window/clock_face.h"
#include "base/win/find_handle.h"
#include "bench/bench_figure.h"
#include "bench/bench_timer.h"
#include "resources/resource_ids.h"
#include "tests/program/running_clock.h"
#include "tests/win32/decoded_picture.h"
#include "tests/win32/dialog_driver.h"
#include "tools/orb_writer.h"

namespace {

constexpr int kPictures = 1000;
constexpr int kCreateRuns = 9;
constexpr int kOpenRuns = 15;

// The bench runs from its own folder, which is the program folder of the page.
std::string Background() { return ExeDir() + "\\background"; }

void MakePictures() {
  CreateDirectoryA(Background().c_str(), nullptr);
  OrbPicture picture;
  OrbPictureFromBmp(MakeBmp24(8, 8, [](int x, int) { return RGB(x * 30, 0, 0); }), &picture);
  picture.author = "bench";
  for (int i = 0; i < kPictures; ++i) {
    picture.title = "picture " + std::to_string(i);
    WriteBytes(Background() + "\\p" + std::to_string(i) + ".orb", BuildOrbFile(picture));
  }
}

void RemovePictures() {
  for (int i = 0; i < kPictures; ++i) {
    DeleteFileA((Background() + "\\p" + std::to_string(i) + ".orb").c_str());
  }
  RemoveDirectoryA(Background().c_str());
}

// The same listing and rows as the page, with the file name in every column.
double ListWithoutReading(HWND window) {
  const LARGE_INTEGER start = PerformanceNow();
  ListView list;
  list.Create(window, BackgroundPage::kListId, 0x20);
  for (int column = 0; column < 3; ++column) list.AddColumn(column, "column", 80);
  WIN32_FIND_DATAA found;
  const FindHandle find((Background() + "\\*.orb").c_str(), &found);
  int row = 0;
  list.HoldRedraw();
  do {
    const int inserted = list.InsertRow(row++, found.cFileName);
    list.SetText(inserted, 1, found.cFileName);
    list.SetText(inserted, 2, found.cFileName);
  } while (find.Next(&found));
  list.ReleaseRedraw();
  const double us = Microseconds(start, PerformanceNow());
  list.Destroy();
  return us;
}

// Opening and closing every picture file once, which reading its trailer cannot avoid.
double OpenAndClose() {
  const LARGE_INTEGER start = PerformanceNow();
  WIN32_FIND_DATAA found;
  const FindHandle find((Background() + "\\*.orb").c_str(), &found);
  do {
    const std::string path = Background() + "\\" + found.cFileName;
    CloseHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  } while (find.Next(&found));
  return Microseconds(start, PerformanceNow());
}

void MeasureBackgroundPage() {
  MakePictures();
  TestWindow window(0, 0, 320, 240, RGB(255, 255, 255));
  ClockFace face;
  face.Attach(window.get());
  DrawSurface skin;
  skin.Create(window.get(), 400, 400, 24);
  const bool closing = false;
  PageParams params{&face, &skin, nullptr, &closing};
  std::vector<double> page, floor, opened;
  for (int run = 0; run < kCreateRuns; ++run) {
    BackgroundPage background;
    const LARGE_INTEGER start = PerformanceNow();
    background.Create(window.get(), &params);
    page.push_back(Microseconds(start, PerformanceNow()));
    background.Destroy();
    floor.push_back(ListWithoutReading(window.get()));
    opened.push_back(floor.back() + OpenAndClose());
  }
  RemovePictures();
  char label[128];
  std::snprintf(label, sizeof label, "background page Create, %d orb files, %d runs", kPictures,
                kCreateRuns);
  PrintFigure(label, Median(page), Median(floor));
  std::snprintf(label, sizeof label,
                "the same (floor: the rows, and opening and closing each file once)");
  PrintFigure(label, Median(page), Median(opened));
}

// Microseconds from posting `key` to the clock until the screen shows `expected`
// at client point (x, y) of the dialog it opens; the dialog is then closed with
// command `close`. Negative when no dialog showed.
double KeyToPaintedDialog(HWND clock, WPARAM key, int x, int y, COLORREF expected, int close) {
  const LARGE_INTEGER start = PerformanceNow();
  PostMessageA(clock, WM_KEYDOWN, key, 0);
  const HWND dialog = WaitForDialog(ProcessOf(clock));
  if (dialog == nullptr) return -1;
  WaitFor([&] {
    const POINT at = ClientToScreenPoint(dialog, x, y);
    return ScreenPixel(at.x, at.y) == expected;
  });
  const double us = Microseconds(start, PerformanceNow());
  PostMessageA(dialog, WM_COMMAND, close, 0);
  WaitFor([dialog] { return !IsWindow(dialog); });
  Sleep(200);  // the screen under the dialog is drawn again
  return us;
}

void MeasureOpening() {
  const DecodedPicture customize(SkinResource(IDR_CUSTOMIZE_SKIN));
  const DecodedPicture message(SkinResource(IDR_MESSAGE_SKIN));
  ProgramFolder folder;
  RunningClock clock(folder);
  const HWND window = clock.WaitForWindow();
  if (window == nullptr) return;
  std::vector<double> customizeUs, quitUs;
  for (int run = 0; run < kOpenRuns; ++run) {
    const double opened = KeyToPaintedDialog(window, VK_SPACE, 150, 10, customize.At(150, 10), 2);
    const double asked = KeyToPaintedDialog(window, VK_ESCAPE, 120, 10, message.At(120, 10), 9903);
    if (opened < 0 || asked < 0) continue;
    customizeUs.push_back(opened);
    quitUs.push_back(asked);
  }
  char label[128];
  std::snprintf(label, sizeof label,
                "Space to painted customize dialog (floor: Esc to painted quit question), %zu runs",
                customizeUs.size());
  PrintFigure(label, Median(customizeUs), Median(quitUs));
  PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

int main() {
  MeasureBackgroundPage();
  MeasureOpening();
  return 0;
}
