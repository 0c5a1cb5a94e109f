// Draws the built-in dial overlay: a white ring with a dark outer edge, minute marks, and the
// numerals 1 to 12 with a dot towards the ring. The numerals come in as a 200x200 greyscale
// picture (white glyphs on black, binary PGM); the ring, the dots and every outline are drawn
// here, so the result holds only a handful of exact colours and magenta, the transparent colour.
// Usage: make_dial NUMERALS.pgm OUT.bmp

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "base/little_endian.h"

namespace {

constexpr int kSize = 200;
constexpr double kCentre = 100.0;
constexpr double kRingInner = 73.0;
constexpr double kRingOuter = 82.0;
constexpr double kRingEdge = 84.0;       // dark edge outside the white ring
constexpr double kRingInnerEdge = 72.0;  // thin dark edge inside it, for light backgrounds
constexpr double kDotRadius = 67.0;
constexpr double kDotSize = 1.5;
constexpr double kPi = 3.14159265358979323846;

// Palette indices. Magenta is the colour the program treats as transparent; no other entry comes
// near it, so a 16-bit screen cannot round an opaque pixel into a hole.
enum Ink : uint8_t { kClear, kWhite, kDark, kGrey, kInkCount };
constexpr uint8_t kPalette[kInkCount][3] = {
    {255, 0, 255}, {255, 255, 255}, {28, 28, 36}, {120, 120, 132}};

using Canvas = std::vector<uint8_t>;  // one ink per pixel, top row first
using Mask = std::vector<bool>;

int At(int x, int y) { return y * kSize + x; }

double Distance(int x, int y, double cx, double cy) {
  return std::hypot(x + 0.5 - cx, y + 0.5 - cy);
}

bool ReadPgm(const std::string& path, std::vector<uint8_t>* grey) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  if (!(in >> magic >> width >> height >> maxValue) || magic != "P5" || width != kSize ||
      height != kSize || maxValue != 255) {
    return false;
  }
  in.get();
  grey->resize(kSize * kSize);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(grey->data()), kSize * kSize));
}

// Grey minute marks across the white ring: long at the hours, short between them.
bool OnMinuteMark(int x, int y) {
  const double dx = x + 0.5 - kCentre;
  const double dy = y + 0.5 - kCentre;
  const double radius = std::hypot(dx, dy);
  const double minutes = std::atan2(dx, -dy) / (2 * kPi) * 60.0;
  const double nearest = std::round(minutes);
  const double across = std::fabs(minutes - nearest) * 2 * kPi / 60.0 * radius;
  const bool hour = static_cast<long>(nearest) % 5 == 0;
  const double inner = hour ? kRingInner + 1.0 : kRingInner + 4.0;
  return across < (hour ? 1.0 : 0.5) && radius >= inner && radius < kRingOuter - 1.0;
}

void DrawRing(Canvas* canvas) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double d = Distance(x, y, kCentre, kCentre);
      uint8_t& ink = (*canvas)[At(x, y)];
      if (d >= kRingInner && d < kRingOuter) ink = OnMinuteMark(x, y) ? kGrey : kWhite;
      const bool onEdge =
          (d >= kRingInnerEdge && d < kRingInner) || (d >= kRingOuter && d < kRingEdge);
      if (onEdge) ink = kDark;
    }
  }
}

bool OnHourDot(int x, int y) {
  for (int hour = 0; hour < 12; ++hour) {
    const double angle = 2 * kPi * hour / 12;
    // Centred on a pixel, so that all twelve dots get the same shape.
    const double cx = std::floor(kCentre + kDotRadius * std::sin(angle)) + 0.5;
    const double cy = std::floor(kCentre - kDotRadius * std::cos(angle)) + 0.5;
    if (Distance(x, y, cx, cy) < kDotSize) return true;
  }
  return false;
}

// The numerals cut at half coverage, and the hour dots.
Mask WhiteMarks(const std::vector<uint8_t>& numerals) {
  Mask white(kSize * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) white[At(x, y)] = numerals[At(x, y)] >= 128 || OnHourDot(x, y);
  }
  return white;
}

bool TouchesMark(const Mask& white, int x, int y) {
  for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, kSize - 1); ++ny) {
    for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, kSize - 1); ++nx) {
      if (white[At(nx, ny)]) return true;
    }
  }
  return false;
}

// Numerals and dots in white with a one-pixel dark outline, so that they read over light and
// dark backgrounds alike.
void DrawMarks(const std::vector<uint8_t>& numerals, Canvas* canvas) {
  const Mask white = WhiteMarks(numerals);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (white[At(x, y)]) {
        (*canvas)[At(x, y)] = kWhite;
      } else if (TouchesMark(white, x, y)) {
        (*canvas)[At(x, y)] = kDark;
      }
    }
  }
}

// An 8-bit BI_RGB BMP, bottom-up, with all 256 table entries present (unused ones black).
std::vector<uint8_t> EightBitBmp(const Canvas& canvas) {
  constexpr uint32_t kInfoBytes = 40;
  constexpr uint32_t kPixelOffset = 14 + kInfoBytes + 256 * 4;
  constexpr uint32_t kPixelBytes = kSize * kSize;  // 200 is a multiple of 4: no row padding
  constexpr uint32_t kPixelsPerMetre = 2835;       // 72 dpi
  std::vector<uint8_t> out = {'B', 'M'};
  AppendUint32(out, kPixelOffset + kPixelBytes);
  AppendUint32(out, 0);
  AppendUint32(out, kPixelOffset);
  AppendUint32(out, kInfoBytes);
  AppendUint32(out, kSize);
  AppendUint32(out, kSize);
  AppendUint16(out, 1);  // planes
  AppendUint16(out, 8);  // bits per pixel
  AppendUint32(out, 0);  // BI_RGB
  AppendUint32(out, kPixelBytes);
  AppendUint32(out, kPixelsPerMetre);
  AppendUint32(out, kPixelsPerMetre);
  AppendUint32(out, 0);  // colours used: all 256
  AppendUint32(out, 0);
  for (int i = 0; i < 256; ++i) {
    const bool used = i < kInkCount;
    for (int c = 2; c >= 0; --c) out.push_back(used ? kPalette[i][c] : 0);
    out.push_back(0);
  }
  for (int y = kSize - 1; y >= 0; --y) {
    out.insert(out.end(), canvas.begin() + At(0, y), canvas.begin() + At(0, y + 1));
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_dial NUMERALS.pgm OUT.bmp\n");
    return 2;
  }
  std::vector<uint8_t> numerals;
  if (!ReadPgm(argv[1], &numerals)) {
    std::fprintf(stderr, "make_dial: %s is not a %dx%d 8-bit PGM\n", argv[1], kSize, kSize);
    return 1;
  }
  Canvas canvas(kSize * kSize, kClear);
  DrawRing(&canvas);
  DrawMarks(numerals, &canvas);
  const std::vector<uint8_t> bmp = EightBitBmp(canvas);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "make_dial: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
