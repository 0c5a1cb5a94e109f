#include "formats/clock_outline.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kDesignSize = 200.0;
constexpr double kCentre = 100.0;
constexpr double kDialRadius = 88.0;
constexpr double kStemHalfWidth = 8.0;
constexpr int kLugSteps = 12;  // one lug every 30 degrees, except where the stems are
constexpr int kLugCount = kLugSteps - 2;
constexpr double kLugRadius = 8.0;
constexpr double kLugReach = 100.0;  // the lugs at 3 and 9 o'clock touch the window's sides
constexpr double kPi = 3.14159265358979323846;

struct Disc {
  double x;
  double y;
  double radius;

  bool Contains(double px, double py) const {
    const double dx = px - x;
    const double dy = py - y;
    return dx * dx + dy * dy < radius * radius;
  }
};

// The outline's measures at one size.
class Outline {
 public:
  explicit Outline(int size) : size_(size) {
    const double scale = size / kDesignSize;
    centre_ = kCentre * scale;
    stemHalfWidth_ = kStemHalfWidth * scale;
    dial_ = {centre_, centre_, kDialRadius * scale};
    const double distance = (kLugReach - kLugRadius) * scale;
    int lug = 0;
    for (int step = 1; step < kLugSteps; ++step) {
      if (step == kLugSteps / 2) continue;
      const double angle = 2 * kPi * step / kLugSteps;
      lugs_[lug++] = {centre_ + distance * std::sin(angle), centre_ - distance * std::cos(angle),
                      kLugRadius * scale};
    }
  }

  // Whether the pixel's centre lies inside, so that the shape is symmetric about
  // the face's centre.
  bool Covers(int column, int row) const {
    const double x = column + 0.5;
    const double y = row + 0.5;
    if (std::fabs(x - centre_) < stemHalfWidth_) return true;
    if (dial_.Contains(x, y)) return true;
    for (const Disc& lug : lugs_) {
      if (lug.Contains(x, y)) return true;
    }
    return false;
  }

  // The [first, last) columns of the row's runs.
  std::vector<std::pair<int, int>> RowSpans(int row) const {
    std::vector<std::pair<int, int>> spans;
    for (int x = 0; x < size_;) {
      if (!Covers(x, row)) {
        ++x;
        continue;
      }
      const int first = x;
      while (x < size_ && Covers(x, row)) ++x;
      spans.emplace_back(first, x);
    }
    return spans;
  }

 private:
  int size_;
  double centre_;
  double stemHalfWidth_;
  Disc dial_;
  Disc lugs_[kLugCount];
};

}  // namespace

// Windows keeps a region as bands: runs of rows with the same spans, each span
// one rectangle as tall as its band.
std::vector<RegionRect> ClockOutlineRects(int size) {
  std::vector<RegionRect> rects;
  if (size < 1) return rects;
  const Outline outline(size);
  std::vector<std::pair<int, int>> spans = outline.RowSpans(0);
  for (int top = 0; top < size;) {
    int bottom = top + 1;
    std::vector<std::pair<int, int>> next;
    while (bottom < size && (next = outline.RowSpans(bottom)) == spans) ++bottom;
    for (const auto& [first, last] : spans) rects.push_back({first, top, last, bottom});
    spans = std::move(next);
    top = bottom;
  }
  return rects;
}

std::vector<uint8_t> ClockOutlineRegionFile(int size) {
  return RegionFileBytes(ClockOutlineRects(size));
}
