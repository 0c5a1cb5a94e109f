#include "modules/clock/gdi_hands.h"

#include <algorithm>
#include <cmath>

#include "base/win/gdi_handles.h"
#include "raster/angles.h"

namespace {

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

POINT Along(Point centre, float degrees, float length) {
  const float radians = Radians(degrees);
  return {static_cast<LONG>(std::lround(centre.x + length * std::sin(radians))),
          static_cast<LONG>(std::lround(centre.y - length * std::cos(radians)))};
}

// A pen `width` pixels wide at 200 x 200, at least one pixel at any scale.
void Line(HDC dc, int width, float scale, Rgb colour, POINT from, POINT to) {
  const int scaled = std::max(1, static_cast<int>(std::lround(width * scale)));
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, scaled, ToColorRef(colour)));
  const ScopedSelect select(dc, pen.get());
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

}  // namespace

void DrawHandsWithLines(HDC dc, Point centre, float scale, const HandTime& time,
                        const HandStyle& style) {
  const HandAngles angles = AnglesAt(time, style.secondHand == SecondHand::kSweep);
  const HandColours& colours = style.colours;
  POINT previous;
  MoveToEx(dc, 0, 0, &previous);
  const POINT middle = Along(centre, 0, 0);
  Line(dc, 5, scale, colours.hands, middle, Along(centre, angles.hour, kHourLength * scale));
  Line(dc, 3, scale, colours.hands, middle, Along(centre, angles.minute, kMinuteLength * scale));
  if (style.secondHand != SecondHand::kOff) {
    Line(dc, 1, scale, colours.second, Along(centre, angles.second, -kSecondTail * scale),
         Along(centre, angles.second, kSecondLength * scale));
  }
  MoveToEx(dc, previous.x, previous.y, nullptr);
}
