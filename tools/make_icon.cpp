// Writes the clock's notification-area icon: one 32 x 32 image in 16 colours
// (4 bits per pixel with a 1-bit transparency mask), a small round clock face.
//   make_icon OUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/little_endian.h"

namespace {

constexpr int kSize = 32;

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

int ColourAt(int x, int y) {
  const double cx = 15.5, cy = 16.5, px = x + 0.5 - cx, py = y + 0.5 - cy;
  const double r = std::hypot(px, py);
  if (y <= 2 && x >= 14 && x <= 17) return kGrey;  // the crown
  if (r > 14.5) return kClear;
  if (r > 12.5) return kNavy;
  if (r > 11.5) return kSilver;
  const double angle = std::atan2(py, px) * 180 / M_PI + 90;  // 0 at twelve o'clock
  const double step = std::fmod(angle + 360 + 15, 30.0);
  if (r > 9.0 && step < 4.0) return kGrey;  // hour marks
  if (r < 1.6) return kRed;
  // Ten past ten: the hour hand towards ten, the minute hand towards two.
  if (SegmentDistance(px, py, 0, 0, -6.0, -3.5) < 1.2) return kBlack;
  if (SegmentDistance(px, py, 0, 0, 5.0, -8.5) < 0.9) return kBlack;
  return kWhite;
}

std::vector<uint8_t> IconFile() {
  const int xorBytes = kSize * kSize / 2, andBytes = kSize * 4;
  const uint32_t imageBytes = 40 + 16 * 4 + xorBytes + andBytes;
  std::vector<uint8_t> out;
  AppendUint16(out, 0);
  AppendUint16(out, 1);  // an icon
  AppendUint16(out, 1);  // one image
  out.insert(out.end(), {kSize, kSize, 16, 0});
  AppendUint16(out, 1);
  AppendUint16(out, 4);
  AppendUint32(out, imageBytes);
  AppendUint32(out, 6 + 16);
  AppendUint32(out, 40);
  AppendUint32(out, kSize);
  AppendUint32(out, 2 * kSize);  // image and mask
  AppendUint16(out, 1);
  AppendUint16(out, 4);
  for (int i = 0; i < 6; ++i) AppendUint32(out, 0);
  for (const auto& c : kPalette) out.insert(out.end(), {c[0], c[1], c[2], 0});
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 2) {
      const int left = ColourAt(x, y), right = ColourAt(x + 1, y);
      out.push_back(static_cast<uint8_t>((left < 0 ? 0 : left) << 4 | (right < 0 ? 0 : right)));
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    uint32_t bits = 0;
    for (int x = 0; x < kSize; ++x) {
      if (ColourAt(x, y) == kClear) bits |= 1u << (31 - x);
    }
    out.insert(out.end(), {static_cast<uint8_t>(bits >> 24), static_cast<uint8_t>(bits >> 16),
                           static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits)});
  }
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
