#include "raster/clock_hands.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <new>
#include <utility>

namespace {

// The shadow falls down and to the right, as from a light above the top left; the
// second hand rides higher above the face, so its shadow lies further off.
constexpr Point kShadowOffset = {1.2f, 2.2f};
constexpr Point kSecondShadowOffset = {1.8f, 3.2f};
constexpr Fade kShadowFade = {0.2f, 2.6f};
constexpr Paint kShadowPaint = {{0, 0, 0}, 84};
constexpr Fade kCrisp = {0, 1};
constexpr float kRimWidth = 0.9f;
constexpr float kSecondRimWidth = 0.6f;
// Every slow hand with its shadow reaches less than this from the centre on the
// 200 x 200 face.
constexpr float kSlowHandsReach = 80;

Point Offset(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }
Point Scaled(Point p, float scale) { return {p.x * scale, p.y * scale}; }

bool SameColours(const HandColours& a, const HandColours& b) {
  const auto same = [](Rgb p, Rgb q) {
    return p.red == q.red && p.green == q.green && p.blue == q.blue;
  };
  return same(a.hands, b.hands) && same(a.rim, b.rim) && a.rimOpacity == b.rimOpacity &&
         same(a.second, b.second) && same(a.cap, b.cap);
}

}  // namespace

// A part's discs with every measure times a scale.
struct ClockHands::ScaledDiscs {
  ScaledDiscs(std::initializer_list<Disc> discs, float scale) {
    for (const Disc& disc : discs) {
      if (count == ConvexShape::kMaxDiscs) break;
      items[count++] = {disc.along * scale, disc.radius * scale};
    }
  }
  Disc items[ConvexShape::kMaxDiscs];
  int count = 0;
};

HandAngles AnglesAt(const HandTime& time, bool sweeping) {
  const float seconds = static_cast<float>(time.second) +
                        (sweeping ? static_cast<float>(time.millisecond) / 1000 : 0);
  const float minutes = static_cast<float>(time.minute) + static_cast<float>(time.second) / 60;
  const float hours = static_cast<float>(time.hour % 12) + static_cast<float>(time.minute) / 60;
  return {hours * 30, minutes * 6, seconds * 6};
}

// The rim and the shadow's blur grow with the scale; the edges' softness stays
// one pixel.
ClockHands::Part::Part(std::initializer_list<Disc> discs, float rimWidth, float scale)
    : Part(ScaledDiscs(discs, scale), rimWidth * scale,
           Fade{kShadowFade.grow * scale, kShadowFade.softness * scale}) {}

ClockHands::Part::Part(const ScaledDiscs& discs, float rimWidth, Fade shadowFade)
    : shadow(discs.items, discs.count, shadowFade),
      body(discs.items, discs.count, Fade{rimWidth, kCrisp.softness}, kCrisp) {}

ClockHands::Shapes::Shapes(float s)
    : scale(s),
      shadowOffset(Scaled(kShadowOffset, s)),
      secondShadowOffset(Scaled(kSecondShadowOffset, s)),
      hour({{-9, 2.8f}, {9, 4.1f}, {kHourLength - 1.7f, 1.7f}}, kRimWidth, s),
      minute({{-11, 2.3f}, {11, 3.1f}, {kMinuteLength - 1.1f, 1.1f}}, kRimWidth, s),
      cap({{0, 4.8f}}, kRimWidth, s),
      needle({{-kSecondTail + 1, 1.0f}, {kSecondLength - 0.55f, 0.55f}}, kSecondRimWidth, s),
      counterweight({{-12, 2.6f}}, kSecondRimWidth, s),
      hub({{0, 2.8f}}, kSecondRimWidth, s) {}

// Draws the slow hands into the layer's square, the centre moved with it.
class ClockHands::SlowHandsPainter final : public PaintedLayer::Painter {
 public:
  SlowHandsPainter(const ClockHands& hands, Point centre, const HandAngles& angles,
                   const HandStyle& style)
      : hands_(hands), centre_(centre), angles_(angles), style_(style) {}

  void Paint(const PixelBuffer& square) const override {
    hands_.DrawSlowHands(square, centre_, angles_, style_);
  }

 private:
  const ClockHands& hands_;
  Point centre_;
  const HandAngles& angles_;
  const HandStyle& style_;
};

bool ClockHands::LayerKey::operator==(const LayerKey& other) const {
  return hour == other.hour && minute == other.minute && scale == other.scale &&
         centre.x == other.centre.x && centre.y == other.centre.y &&
         SameColours(colours, other.colours) && shadow == other.shadow;
}

void ClockHands::Draw(const PixelBuffer& buffer, Point centre, float scale, const HandTime& time,
                      const HandStyle& style) {
  if (scale != shapes_.scale) shapes_ = Shapes(scale);
  const bool sweeping = style.secondHand == SecondHand::kSweep;
  const HandAngles angles = AnglesAt(time, sweeping);
  if (sweeping) MakeLayer();
  if (sweeping && layer_ != nullptr) {
    LaySlowHands(buffer, centre, angles, style);
  } else {
    DrawSlowHands(buffer, centre, angles, style);
  }
  if (style.secondHand != SecondHand::kOff) DrawSecondHand(buffer, centre, angles.second, style);
}

void ClockHands::MakeLayer() {
  const int size = static_cast<int>(std::ceil(2 * kSlowHandsReach * shapes_.scale));
  if (layer_ != nullptr && layer_->size() == size) return;
  layer_ = PaintedLayer::Make(size);
  layerKept_ = false;
}

void ClockHands::DrawSlowHands(const PixelBuffer& buffer, Point centre, const HandAngles& angles,
                               const HandStyle& style) const {
  const HandColours& colours = style.colours;
  const Paint rim = {colours.rim, colours.rimOpacity};
  if (style.shadow) {
    const Point shade = Offset(centre, shapes_.shadowOffset);
    shapes_.hour.shadow.Fill(buffer, shade, angles.hour, kShadowPaint);
    shapes_.minute.shadow.Fill(buffer, shade, angles.minute, kShadowPaint);
  }
  shapes_.hour.body.Fill(buffer, centre, angles.hour, rim, {colours.hands, 255});
  shapes_.minute.body.Fill(buffer, centre, angles.minute, rim, {colours.hands, 255});
  shapes_.cap.body.Fill(buffer, centre, 0, rim, {colours.cap, 255});
}

PixelRect ClockHands::SlowHandsBounds(Point centre, const HandAngles& angles, bool shadow) const {
  const int size = layer_->size();
  const Point shade = Offset(centre, shapes_.shadowOffset);
  PixelRect all = shapes_.cap.body.Bounds(centre, 0, size, size);
  const auto add = [&all](PixelRect r) {
    if (r.right < r.left || r.bottom < r.top) return;
    all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
           std::max(all.bottom, r.bottom)};
  };
  for (const auto& [part, degrees] :
       {std::pair{&shapes_.hour, angles.hour}, {&shapes_.minute, angles.minute}}) {
    add(part->body.Bounds(centre, degrees, size, size));
    if (shadow) add(part->shadow.Bounds(shade, degrees, size, size));
  }
  return all;
}

void ClockHands::LaySlowHands(const PixelBuffer& buffer, Point centre, const HandAngles& angles,
                              const HandStyle& style) {
  // The square is centred on the dial.
  const int left = static_cast<int>(std::lrint(centre.x)) - layer_->size() / 2;
  const int top = static_cast<int>(std::lrint(centre.y)) - layer_->size() / 2;
  const Point inSquare = {centre.x - static_cast<float>(left), centre.y - static_cast<float>(top)};
  const LayerKey key = {angles.hour, angles.minute, shapes_.scale,
                        inSquare,    style.colours, style.shadow};
  if (!layerKept_ || !(key == layerKey_)) {
    layer_->Record(SlowHandsPainter(*this, inSquare, angles, style),
                   SlowHandsBounds(inSquare, angles, style.shadow));
    layerKey_ = key;
    layerKept_ = true;
  }
  layer_->Apply(buffer, left, top);
}

void ClockHands::DrawSecondHand(const PixelBuffer& buffer, Point centre, float degrees,
                                const HandStyle& style) const {
  const HandColours& colours = style.colours;
  if (style.shadow) {
    const Point shade = Offset(centre, shapes_.secondShadowOffset);
    shapes_.needle.shadow.Fill(buffer, shade, degrees, kShadowPaint);
    shapes_.counterweight.shadow.Fill(buffer, shade, degrees, kShadowPaint);
  }
  const Paint rim = {colours.rim, colours.rimOpacity};
  const Paint paint = {colours.second, 255};
  shapes_.needle.body.Fill(buffer, centre, degrees, rim, paint);
  shapes_.counterweight.body.Fill(buffer, centre, degrees, rim, paint);
  shapes_.hub.body.Fill(buffer, centre, 0, paint);
}
