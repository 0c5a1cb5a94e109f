// Draws the built-in dial overlay: a white ring with a dark outer edge, minute marks, and the
// numerals 1 to 12 with a dot towards the ring. The numerals come in as a square greyscale
// picture (white glyphs on black, binary PGM); the ring, the dots and every outline are drawn
// here, so the result holds only a handful of exact colours and magenta, the transparent colour.
// The dial is designed for the 200 x 200 face; at a larger SIZE (the numerals' size too) every
// measure is scaled, and the bitmap is run-length encoded to stay small.
// Usage: make_dial NUMERALS.pgm OUT.bmp [SIZE]

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "base/little_endian.h"

namespace {

constexpr int kDesignSize = 200;
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

// The dial at one size: its measures are the 200 x 200 dial's times `scale`, in
// pixels of that size.
class Dial {
 public:
  explicit Dial(int size) : size_(size), scale_(static_cast<double>(size) / kDesignSize) {}

  int size() const { return size_; }

  Canvas Draw(const std::vector<uint8_t>& numerals) const {
    Canvas canvas(static_cast<size_t>(size_) * size_, kClear);
    DrawRing(&canvas);
    DrawMarks(numerals, &canvas);
    return canvas;
  }

 private:
  size_t At(int x, int y) const { return static_cast<size_t>(y) * size_ + x; }

  // The distance of pixel (x, y)'s centre from (cx, cy), in units of the 200 dial.
  double Distance(int x, int y, double cx, double cy) const {
    return std::hypot((x + 0.5) / scale_ - cx, (y + 0.5) / scale_ - cy);
  }

  // Grey minute marks across the white ring: long at the hours, short between them.
  bool OnMinuteMark(int x, int y) const {
    const double dx = (x + 0.5) / scale_ - kCentre;
    const double dy = (y + 0.5) / scale_ - kCentre;
    const double radius = std::hypot(dx, dy);
    const double minutes = std::atan2(dx, -dy) / (2 * kPi) * 60.0;
    const double nearest = std::round(minutes);
    const double across = std::fabs(minutes - nearest) * 2 * kPi / 60.0 * radius;
    const bool hour = static_cast<long>(nearest) % 5 == 0;
    const double inner = hour ? kRingInner + 1.0 : kRingInner + 4.0;
    return across < (hour ? 1.0 : 0.5) && radius >= inner && radius < kRingOuter - 1.0;
  }

  void DrawRing(Canvas* canvas) const {
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const double d = Distance(x, y, kCentre, kCentre);
        uint8_t& ink = (*canvas)[At(x, y)];
        if (d >= kRingInner && d < kRingOuter) ink = OnMinuteMark(x, y) ? kGrey : kWhite;
        const bool onEdge =
            (d >= kRingInnerEdge && d < kRingInner) || (d >= kRingOuter && d < kRingEdge);
        if (onEdge) ink = kDark;
      }
    }
  }

  bool OnHourDot(int x, int y) const {
    for (int hour = 0; hour < 12; ++hour) {
      const double angle = 2 * kPi * hour / 12;
      // Centred on a pixel, so that all twelve dots get the same shape.
      const double cx =
          (std::floor((kCentre + kDotRadius * std::sin(angle)) * scale_) + 0.5) / scale_;
      const double cy =
          (std::floor((kCentre - kDotRadius * std::cos(angle)) * scale_) + 0.5) / scale_;
      if (Distance(x, y, cx, cy) < kDotSize) return true;
    }
    return false;
  }

  // The numerals cut at half coverage, and the hour dots.
  Mask WhiteMarks(const std::vector<uint8_t>& numerals) const {
    Mask white(numerals.size());
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x)
        white[At(x, y)] = numerals[At(x, y)] >= 128 || OnHourDot(x, y);
    }
    return white;
  }

  // Whether a white mark lies within the outline's width (one pixel of the 200 dial).
  bool TouchesMark(const Mask& white, int x, int y) const {
    const int reach = static_cast<int>(scale_);
    for (int ny = std::max(y - reach, 0); ny <= std::min(y + reach, size_ - 1); ++ny) {
      for (int nx = std::max(x - reach, 0); nx <= std::min(x + reach, size_ - 1); ++nx) {
        if (white[At(nx, ny)]) return true;
      }
    }
    return false;
  }

  // Numerals and dots in white with a dark outline, so that they read over light and dark
  // backgrounds alike.
  void DrawMarks(const std::vector<uint8_t>& numerals, Canvas* canvas) const {
    const Mask white = WhiteMarks(numerals);
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        if (white[At(x, y)]) {
          (*canvas)[At(x, y)] = kWhite;
        } else if (TouchesMark(white, x, y)) {
          (*canvas)[At(x, y)] = kDark;
        }
      }
    }
  }

  int size_;
  double scale_;
};

bool ReadPgm(const std::string& path, int size, std::vector<uint8_t>* grey) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  if (!(in >> magic >> width >> height >> maxValue) || magic != "P5" || width != size ||
      height != size || maxValue != 255) {
    return false;
  }
  in.get();
  grey->resize(static_cast<size_t>(size) * size);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(grey->data()), size * size));
}

// The rows bottom up: as they are (BI_RGB; the 200 dial's rows need no padding), or as runs of one ink of at most 255 pixels with each row's end and the bitmap's
// end marked (BI_RLE8).
std::vector<uint8_t> PixelBytes(const Canvas& canvas, int size, bool encoded) {
  std::vector<uint8_t> out;
  for (int y = size - 1; y >= 0; --y) {
    const auto row = canvas.begin() + static_cast<ptrdiff_t>(y) * size;
    if (!encoded) {
      out.insert(out.end(), row, row + size);
      continue;
    }
    for (int x = 0; x < size;) {
      int run = 1;
      while (x + run < size && run < 255 && row[x + run] == row[x]) ++run;
      out.insert(out.end(), {static_cast<uint8_t>(run), row[x]});
      x += run;
    }
    out.insert(out.end(), {0, 0});
  }
  if (encoded) out.insert(out.end(), {0, 1});
  return out;
}

// An 8-bit BMP, bottom-up, with all 256 table entries present (unused ones black).
std::vector<uint8_t> EightBitBmp(const Canvas& canvas, int size, bool encoded) {
  constexpr uint32_t kInfoBytes = 40;
  constexpr uint32_t kPixelOffset = 14 + kInfoBytes + 256 * 4;
  constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi
  constexpr uint32_t kRle8 = 1;
  const std::vector<uint8_t> pixels = PixelBytes(canvas, size, encoded);
  const auto pixelBytes = static_cast<uint32_t>(pixels.size());
  std::vector<uint8_t> out = {'B', 'M'};
  AppendUint32(out, kPixelOffset + pixelBytes);
  AppendUint32(out, 0);
  AppendUint32(out, kPixelOffset);
  AppendUint32(out, kInfoBytes);
  AppendUint32(out, size);
  AppendUint32(out, size);
  AppendUint16(out, 1);  // planes
  AppendUint16(out, 8);  // bits per pixel
  AppendUint32(out, encoded ? kRle8 : 0);
  AppendUint32(out, pixelBytes);
  AppendUint32(out, kPixelsPerMetre);
  AppendUint32(out, kPixelsPerMetre);
  AppendUint32(out, 0);  // colours used: all 256
  AppendUint32(out, 0);
  for (int i = 0; i < 256; ++i) {
    const bool used = i < kInkCount;
    for (int c = 2; c >= 0; --c) out.push_back(used ? kPalette[i][c] : 0);
    out.push_back(0);
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const int size = argc == 4 ? std::atoi(argv[3]) : kDesignSize;
  if ((argc != 3 && argc != 4) || size < kDesignSize) {
    std::fprintf(stderr, "usage: make_dial NUMERALS.pgm OUT.bmp [SIZE, 200 or more]\n");
    return 2;
  }
  std::vector<uint8_t> numerals;
  if (!ReadPgm(argv[1], size, &numerals)) {
    std::fprintf(stderr, "make_dial: %s is not a %dx%d 8-bit PGM\n", argv[1], size, size);
    return 1;
  }
  const Canvas canvas = Dial(size).Draw(numerals);
  const std::vector<uint8_t> bmp = EightBitBmp(canvas, size, size != kDesignSize);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "make_dial: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
