// Draws the clock's face at a size through the drawing modules' scaled exports, as
// the program composes it on a screen of more than 96 DPI, into a BMP file for
// scripts/dpi-screenshots.sh. Mirrick.dll and Analog.dll (with its Analog.ini)
// are taken from beside this program.
//   scaled_face_shot background PICTURE OUT.bmp
//     the 200 x 200 background the program makes of PICTURE (an orb picture, or a
//     BMP with the built-in dial laid over)
//   scaled_face_shot face BACKGROUND.bmp SIZE HH:MM:SS OUT.bmp
//     BACKGROUND (SIZE x SIZE) with Mirrick and Analog drawn at SIZE for the time,
//     and outside the clock's outline at SIZE the desktop's grey
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/window/clock_face.h"
#include "base/win/gdi_handles.h"
#include "base/win/loaded_library.h"
#include "formats/clock_outline.h"
#include "imaging/draw_surface.h"
#include "tests/win32/test_support.h"

namespace {

constexpr COLORREF kDesktop = RGB(0xD8, 0xDD, 0xE6);

// A 5-bit channel widened to eight bits, as a screen shows it.
int Widened(int fiveBits) { return fiveBits << 3 | fiveBits >> 2; }

// The surface's pixels as a 24-bit BMP, `outside` where `inside` says no.
std::vector<unsigned char> Bmp(const DrawSurface& surface, const std::vector<bool>& inside) {
  GdiFlush();
  const int size = static_cast<int>(surface.width());
  return MakeBmp24(size, size, [&](int x, int y) {
    if (!inside[static_cast<size_t>(y) * size + x]) return kDesktop;
    const unsigned char* p = surface.bits() + y * surface.stride() + 2 * x;
    const int v = p[0] | p[1] << 8;
    return RGB(Widened(v >> 10 & 31), Widened(v >> 5 & 31), Widened(v & 31));
  });
}

int SaveBackground(const char* picture, const char* out) {
  const TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  ClockFace face;
  if (face.Attach(window.get()) != 1) return 1;
  face.LoadBackground(picture);
  WriteBytes(out, Bmp(face.BackgroundSurface(), std::vector<bool>(200 * 200, true)));
  face.Clear();
  return 0;
}

int SaveFace(const char* background, int size, const char* time, const char* out) {
  SYSTEMTIME now{};
  now.wYear = 2026;
  now.wMonth = 5;
  now.wDay = 1;
  if (std::sscanf(time, "%hu:%hu:%hu", &now.wHour, &now.wMinute, &now.wSecond) != 3) return 2;
  const TestWindow window(0, 0, 10, 10, RGB(0, 0, 0));
  DrawSurface face;
  const GdiObject<HBITMAP> picture(
      static_cast<HBITMAP>(LoadImageA(nullptr, background, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (picture.get() == nullptr || face.Create(window.get(), size, size, 16) != 1) return 1;
  {
    const MemoryDc source(face.memoryDc());
    const ScopedSelect select(source.get(), picture.get());
    BitBlt(face.memoryDc(), 0, 0, size, size, source.get(), 0, 0, SRCCOPY);
  }
  const LoadedLibrary mirrick(LoadLibraryA((ExeDir() + "\\Mirrick.dll").c_str()));
  const LoadedLibrary analog(LoadLibraryA((ExeDir() + "\\Analog.dll").c_str()));
  for (const auto& [module, draw] :
       {std::pair{&mirrick, "DrawInfoScaled"}, {&analog, "DrawClockScaled"}}) {
    const auto initialize = module->Export<KelvaneModuleInitializeFn>("Initialize");
    const auto drawScaled = module->Export<KelvaneModuleDrawScaledFn>(draw);
    if (initialize == nullptr || drawScaled == nullptr) return 1;
    initialize(window.get());
    drawScaled(face.memoryDc(), &now, size);
    module->Export<KelvaneModuleUninitializeFn>("Uninitialize")();
  }
  std::vector<bool> inside(static_cast<size_t>(size) * size);
  for (const RegionRect& r : ClockOutlineRects(size)) {
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) inside[static_cast<size_t>(y) * size + x] = true;
    }
  }
  WriteBytes(out, Bmp(face, inside));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "background" && argc == 4) return SaveBackground(argv[2], argv[3]);
  if (mode == "face" && argc == 6) return SaveFace(argv[2], std::atoi(argv[3]), argv[4], argv[5]);
  std::fprintf(stderr,
               "usage: scaled_face_shot background PICTURE OUT.bmp\n"
               "       scaled_face_shot face BACKGROUND.bmp SIZE HH:MM:SS OUT.bmp\n");
  return 2;
}
