#include "modules/clock/gdi_hands.h"

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

void Line(HDC dc, int width, Rgb colour, POINT from, POINT to) {
  const GdiObject<HPEN> pen(CreatePen(PS_SOLID, width, ToColorRef(colour)));
  const ScopedSelect select(dc, pen.get());
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

}  // namespace

void DrawHandsWithLines(HDC dc, Point centre, const HandTime& time, const HandStyle& style) {
  const HandAngles angles = AnglesAt(time, style.secondHand == SecondHand::kSweep);
  const HandColours& colours = style.colours;
  POINT previous;
  MoveToEx(dc, 0, 0, &previous);
  const POINT middle = Along(centre, 0, 0);
  Line(dc, 5, colours.hands, middle, Along(centre, angles.hour, kHourLength));
  Line(dc, 3, colours.hands, middle, Along(centre, angles.minute, kMinuteLength));
  if (style.secondHand != SecondHand::kOff) {
    Line(dc, 1, colours.second, Along(centre, angles.second, -kSecondTail),
         Along(centre, angles.second, kSecondLength));
  }
  MoveToEx(dc, previous.x, previous.y, nullptr);
}
