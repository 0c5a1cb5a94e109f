// Writes the clock's notification-area icon: a small round clock face in 16 colours (4 bits per
// pixel with a 1-bit transparency mask), drawn anew at each of the sizes the notification area
// asks for at 96 to 192 DPI, so that every size is crisp rather than another size scaled. The
// drawing is made for 32 x 32; the other sizes scale its measures and keep rings and hands at
// least one pixel wide.
//   make_icon OUT.ico
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/little_endian.h"

namespace {

constexpr int kSizes[] = {16, 20, 24, 32, 48};
constexpr double kDesignSize = 32;

// The standard 16-colour palette, as blue, green, red.
constexpr uint8_t kPalette[16][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
constexpr int kBlack = 0, kNavy = 4, kGrey = 8, kRed = 12, kWhite = 15, kSilver = 7;
constexpr int kClear = -1;

// Distance from point (px, py) to the segment from (ax, ay) to (bx, by).
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The face's measures at one size: the 32 x 32 drawing's times size / 32, the centre on a
// pixel's centre, rings at least a pixel wide and hands thick enough to stay joined.
struct Face {
  explicit Face(int size) {
    const double k = size / kDesignSize;
    scale = k;
    cx = std::floor(15.5 * k) + 0.5;
    cy = cx + std::max(1.0, std::round(k));
    outer = 14.5 * k;
    navy = outer - std::max(1.0, std::round(2 * k));
    silver = navy - std::max(1.0, std::round(k));
    marks = 9.0 * k;
    // One pixel, or at least the 3 x 3 square of the 32 x 32 drawing.
    hub = k < 0.7 ? 0.6 : std::max(1.5, 1.6 * k);
    hourWidth = std::max(0.9, 1.2 * k);
    minuteWidth = std::max(0.71, 0.9 * k);
  }
  double scale, cx, cy, outer, navy, silver, marks, hub, hourWidth, minuteWidth;
};

int ColourAt(const Face& f, int x, int y) {
  const double k = f.scale;
  const double px = x + 0.5 - f.cx, py = y + 0.5 - f.cy;
  const double r = std::hypot(px, py);
  if (y + 0.5 < 3 * k && std::fabs(px - 0.5 * k) < 2 * k) return kGrey;  // the crown
  if (r > f.outer) return kClear;
  if (r > f.navy) return kNavy;
  if (r > f.silver) return kSilver;
  const double angle = std::atan2(py, px) * 180 / M_PI + 90;  // 0 at twelve o'clock
  const double step = std::fmod(angle + 360 + 15, 30.0);
  if (r > f.marks && step < 4.0) return kGrey;  // hour marks
  if (r < f.hub) return kRed;
  // The hour hand towards ten, the minute hand towards one.
  if (SegmentDistance(px, py, 0, 0, -6.0 * k, -3.5 * k) < f.hourWidth) return kBlack;
  if (SegmentDistance(px, py, 0, 0, 5.0 * k, -8.5 * k) < f.minuteWidth) return kBlack;
  return kWhite;
}

// Bytes of one row of `bits` bits a pixel, padded to whole 32-bit words.
int RowBytes(int size, int bits) { return (size * bits + 31) / 32 * 4; }

int ImageBytes(int size) { return 40 + 16 * 4 + (RowBytes(size, 4) + RowBytes(size, 1)) * size; }

// One image: its header (height counting image and mask), palette, pixels and mask, bottom up.
void AppendImage(std::vector<uint8_t>& out, int size) {
  const Face face(size);
  AppendUint32(out, 40);
  AppendUint32(out, size);
  AppendUint32(out, 2 * size);
  AppendUint16(out, 1);
  AppendUint16(out, 4);
  for (int i = 0; i < 6; ++i) AppendUint32(out, 0);
  for (const auto& c : kPalette) out.insert(out.end(), {c[0], c[1], c[2], 0});
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(RowBytes(size, 4));
    for (int x = 0; x < size; ++x) {
      const int colour = std::max(0, ColourAt(face, x, y));
      row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? colour << 4 : colour);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(RowBytes(size, 1));
    for (int x = 0; x < size; ++x) {
      if (ColourAt(face, x, y) == kClear) row[x / 8] |= static_cast<uint8_t>(0x80 >> x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

std::vector<uint8_t> IconFile() {
  constexpr int kCount = sizeof kSizes / sizeof kSizes[0];
  std::vector<uint8_t> out;
  AppendUint16(out, 0);
  AppendUint16(out, 1);  // an icon
  AppendUint16(out, kCount);
  uint32_t offset = 6 + 16 * kCount;
  for (int size : kSizes) {
    out.insert(out.end(), {static_cast<uint8_t>(size), static_cast<uint8_t>(size), 16, 0});
    AppendUint16(out, 1);
    AppendUint16(out, 4);
    AppendUint32(out, ImageBytes(size));
    AppendUint32(out, offset);
    offset += ImageBytes(size);
  }
  for (int size : kSizes) AppendImage(out, size);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUT.ico\n");
    return 2;
  }
  const std::vector<uint8_t> icon = IconFile();
  FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr || std::fwrite(icon.data(), 1, icon.size(), file) != icon.size()) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  std::fclose(file);
  return 0;
}
