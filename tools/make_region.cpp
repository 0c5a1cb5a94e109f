// Writes the clock window's outline as a region file: a 16-byte "RGN" header followed by the block
// that GetRegionData would return for the outline (RGNDATAHEADER and rectangles).
// Usage: make_region OUT.rgn

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <utility>
#include <vector>

#include "base/little_endian.h"

namespace {

constexpr int kSize = 200;
constexpr double kCentre = 100.0;
constexpr double kDialRadius = 88.0;
constexpr double kStemHalfWidth = 8.0;
constexpr int kLugSteps = 12;  // one lug every 30 degrees, except where the stems are
constexpr double kLugRadius = 8.0;
constexpr double kLugReach = 100.0;  // the lugs at 3 and 9 o'clock touch the window's sides
constexpr int16_t kFormatNumber = 100;
constexpr uint32_t kRdhRectangles = 1;
constexpr double kPi = 3.14159265358979323846;

struct Rect {
  int32_t left, top, right, bottom;
};

using Span = std::pair<int, int>;  // [first, last) pixel columns of one run

bool InDisc(double x, double y, double centreX, double centreY, double radius) {
  const double dx = x - centreX;
  const double dy = y - centreY;
  return dx * dx + dy * dy < radius * radius;
}

bool InLug(double x, double y) {
  for (int step = 1; step < kLugSteps; ++step) {
    if (step == kLugSteps / 2) continue;
    const double angle = 2 * kPi * step / kLugSteps;
    const double distance = kLugReach - kLugRadius;
    const double lugX = kCentre + distance * std::sin(angle);
    const double lugY = kCentre - distance * std::cos(angle);
    if (InDisc(x, y, lugX, lugY, kLugRadius)) return true;
  }
  return false;
}

// Samples the outline at pixel centres, so the shape is symmetric about (100, 100).
bool InOutline(int column, int row) {
  const double x = column + 0.5;
  const double y = row + 0.5;
  if (std::fabs(x - kCentre) < kStemHalfWidth) return true;
  return InDisc(x, y, kCentre, kCentre, kDialRadius) || InLug(x, y);
}

std::vector<Span> RowSpans(int row) {
  std::vector<Span> spans;
  for (int x = 0; x < kSize;) {
    if (!InOutline(x, row)) {
      ++x;
      continue;
    }
    const int first = x;
    while (x < kSize && InOutline(x, row)) ++x;
    spans.emplace_back(first, x);
  }
  return spans;
}

// Windows keeps a region as bands: runs of rows with the same spans, each span one rectangle
// as tall as its band, bands top to bottom and rectangles left to right.
std::vector<Rect> BandRectangles(const std::vector<std::vector<Span>>& rows) {
  std::vector<Rect> rects;
  for (size_t top = 0; top < rows.size();) {
    size_t bottom = top + 1;
    while (bottom < rows.size() && rows[bottom] == rows[top]) ++bottom;
    for (const Span& span : rows[top]) {
      rects.push_back(
          {span.first, static_cast<int32_t>(top), span.second, static_cast<int32_t>(bottom)});
    }
    top = bottom;
  }
  return rects;
}

Rect BoundingBox(const std::vector<Rect>& rects) {
  Rect bound = rects.front();
  for (const Rect& r : rects) {
    bound = {std::min(bound.left, r.left), std::min(bound.top, r.top),
             std::max(bound.right, r.right), std::max(bound.bottom, r.bottom)};
  }
  return bound;
}

void PutRect(std::vector<uint8_t>* out, const Rect& r) {
  for (int32_t v : {r.left, r.top, r.right, r.bottom}) AppendUint32(*out, static_cast<uint32_t>(v));
}

std::vector<uint8_t> RegionFile(const std::vector<Rect>& rects, const Rect& bound) {
  const uint32_t rectBytes = static_cast<uint32_t>(16 * rects.size());
  std::vector<uint8_t> out = {'R', 'G', 'N', 0};
  AppendUint16(out, kFormatNumber);
  AppendUint16(out, static_cast<int32_t>(rectBytes));
  AppendUint16(out, bound.right - bound.left);
  AppendUint16(out, bound.bottom - bound.top);
  AppendUint32(out, 0);
  AppendUint32(out, 32);
  AppendUint32(out, kRdhRectangles);
  AppendUint32(out, static_cast<uint32_t>(rects.size()));
  AppendUint32(out, rectBytes);
  PutRect(&out, bound);
  for (const Rect& r : rects) PutRect(&out, r);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_region OUT.rgn\n");
    return 2;
  }
  std::vector<std::vector<Span>> rows;
  int multiSpanRows = 0;
  for (int row = 0; row < kSize; ++row) {
    rows.push_back(RowSpans(row));
    if (rows.back().size() > 1) ++multiSpanRows;
  }
  const std::vector<Rect> rects = BandRectangles(rows);
  const Rect bound = BoundingBox(rects);
  if (bound.left != 0 || bound.top != 0 || bound.right != kSize || bound.bottom != kSize ||
      rects.size() * 16 > 0x7fff) {
    std::fprintf(stderr, "make_region: the outline does not fill a %dx%d box\n", kSize, kSize);
    return 1;
  }
  const std::vector<uint8_t> file = RegionFile(rects, bound);
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "make_region: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %zu rectangles, %d rows of more than one span\n", argv[1], rects.size(),
              multiSpanRows);
  return 0;
}
