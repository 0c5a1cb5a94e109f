#include "raster/clock_hands.h"

#include <initializer_list>

namespace {

ConvexShape Hull(std::initializer_list<Disc> discs) {
  return ConvexShape::HullOfDiscs(discs.begin(), static_cast<int>(discs.size()));
}

// The shadow falls down and to the right, as from a light above the top left; the
// second hand rides higher above the face, so its shadow lies further off.
constexpr Point kShadowOffset = {1.2f, 2.2f};
constexpr Point kSecondShadowOffset = {1.8f, 3.2f};
constexpr Fade kShadowFade = {0.2f, 2.6f};
constexpr Paint kShadowPaint = {{0, 0, 0}, 84};
constexpr Fade kCrisp = {0, 1};
constexpr float kRimWidth = 0.9f;
constexpr float kSecondRimWidth = 0.6f;

Point Offset(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }

}  // namespace

HandAngles AnglesAt(const HandTime& time, bool sweeping) {
  const float seconds = static_cast<float>(time.second) +
                        (sweeping ? static_cast<float>(time.millisecond) / 1000 : 0);
  const float minutes = static_cast<float>(time.minute) + static_cast<float>(time.second) / 60;
  const float hours = static_cast<float>(time.hour % 12) + static_cast<float>(time.minute) / 60;
  return {hours * 30, minutes * 6, seconds * 6};
}

ClockHands::Part::Part(const ConvexShape& shape, float rimWidth)
    : shadow(shape, kShadowFade), body(shape, Fade{rimWidth, 1}, kCrisp) {}

ClockHands::ClockHands()
    : hour_(Hull({{-9, 2.8f}, {9, 4.1f}, {kHourLength - 1.7f, 1.7f}}), kRimWidth),
      minute_(Hull({{-11, 2.3f}, {11, 3.1f}, {kMinuteLength - 1.1f, 1.1f}}), kRimWidth),
      cap_(Hull({{0, 4.8f}}), kRimWidth),
      needle_(Hull({{-kSecondTail + 1, 1.0f}, {kSecondLength - 0.55f, 0.55f}}), kSecondRimWidth),
      counterweight_(Hull({{-12, 2.6f}}), kSecondRimWidth),
      hub_(Hull({{0, 2.8f}}), kSecondRimWidth) {}

void ClockHands::Draw(const PixelBuffer& buffer, Point centre, const HandTime& time,
                      const HandStyle& style) const {
  const HandAngles angles = AnglesAt(time, style.secondHand == SecondHand::kSweep);
  const bool second = style.secondHand != SecondHand::kOff;
  const HandColours& colours = style.colours;
  const Paint rim = {colours.rim, colours.rimOpacity};

  if (style.shadow) {
    const Point shade = Offset(centre, kShadowOffset);
    hour_.shadow.Fill(buffer, shade, angles.hour, kShadowPaint);
    minute_.shadow.Fill(buffer, shade, angles.minute, kShadowPaint);
    if (second) {
      const Point secondShade = Offset(centre, kSecondShadowOffset);
      needle_.shadow.Fill(buffer, secondShade, angles.second, kShadowPaint);
      counterweight_.shadow.Fill(buffer, secondShade, angles.second, kShadowPaint);
    }
  }
  hour_.body.Fill(buffer, centre, angles.hour, rim, {colours.hands, 255});
  minute_.body.Fill(buffer, centre, angles.minute, rim, {colours.hands, 255});
  cap_.body.Fill(buffer, centre, 0, rim, {colours.cap, 255});
  if (!second) return;
  const Paint secondPaint = {colours.second, 255};
  needle_.body.Fill(buffer, centre, angles.second, rim, secondPaint);
  counterweight_.body.Fill(buffer, centre, angles.second, rim, secondPaint);
  hub_.body.Fill(buffer, centre, 0, secondPaint);
}
