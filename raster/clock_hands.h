#pragma once

#include <initializer_list>
#include <memory>

#include "raster/painted_layer.h"
#include "raster/stencil.h"

// What the second hand does: not shown, jumps once a second, or sweeps on
// with the milliseconds.
enum class SecondHand { kOff = 0, kStep = 1, kSweep = 2 };

// The time the hands show, as a clock reads it: hour 0 to 23 and so on.
struct HandTime {
  int hour;
  int minute;
  int second;
  int millisecond;
};

// Each hand's angle in degrees, clockwise from twelve o'clock.
struct HandAngles {
  float hour;
  float minute;
  float second;
};

// The minute hand moves on with the seconds and the hour hand with the minutes;
// the second hand takes the milliseconds in only when it sweeps.
HandAngles AnglesAt(const HandTime& time, bool sweeping);

// The colours of one hand scheme.
struct HandColours {
  Rgb hands;  // the hour and minute hands
  Rgb rim;    // a thin edge around them and the cap, against the face behind
  uint8_t rimOpacity;
  Rgb second;  // the second hand with its counterweight and hub
  Rgb cap;     // the centre cap
};

struct HandStyle {
  HandColours colours;
  SecondHand secondHand;
  bool shadow;
};

// How far each hand reaches from the centre: inside the dial's ring (radius 72).
constexpr float kHourLength = 43;
constexpr float kMinuteLength = 64;
constexpr float kSecondLength = 68;
constexpr float kSecondTail = 17;

// The three hands, the centre cap and their shadows. The shapes are made once
// for each scale; each Draw lays them onto a buffer at the time's angles, over
// what it holds: first the hour and minute hands and the cap with their shadows,
// then the second hand with its own, which rides above them.
//
// While the second hand sweeps, a face is drawn many times a second, yet the
// slower hands move at most once a second: they are kept as a painted layer,
// made again only when their angles, the style or the scale change, so that each
// face works out only the second hand. (When nothing sweeps, each face shows a
// new second and a layer would be made for one use only.)
class ClockHands {
 public:
  // Draws the hands around `centre` with every measure of the 200 x 200 face
  // (lengths, widths, rims, the shadows' offsets and blur) times `scale`, the
  // face's size over 200. The edges stay one pixel soft at any scale, as crisp
  // as at 200.
  void Draw(const PixelBuffer& buffer, Point centre, float scale, const HandTime& time,
            const HandStyle& style);

 private:
  struct ScaledDiscs;
  // One shape of a hand: its shadow, and its body over a thin rim.
  struct Part {
    Part(std::initializer_list<Disc> discs, float rimWidth, float scale);
    Part(const ScaledDiscs& discs, float rimWidth, Fade shadowFade);
    Stencil shadow;
    Stencil body;
  };
  // Every part at one scale, and the shadows' offsets there.
  struct Shapes {
    explicit Shapes(float scale);
    float scale;
    Point shadowOffset;
    Point secondShadowOffset;
    Part hour;
    Part minute;
    Part cap;
    Part needle;
    Part counterweight;
    Part hub;
  };
  // What the kept layer shows, and where in its square the centre lies.
  struct LayerKey {
    float hour;
    float minute;
    float scale;
    Point centre;
    HandColours colours;
    bool shadow;

    bool operator==(const LayerKey& other) const;
  };
  class SlowHandsPainter;

  // Has a layer whose square holds the slow hands at the present scale, unless
  // its memory cannot be had.
  void MakeLayer();
  void DrawSlowHands(const PixelBuffer& buffer, Point centre, const HandAngles& angles,
                     const HandStyle& style) const;
  // The pixels of the layer's square that the slow hands may change.
  PixelRect SlowHandsBounds(Point centre, const HandAngles& angles, bool shadow) const;
  void LaySlowHands(const PixelBuffer& buffer, Point centre, const HandAngles& angles,
                    const HandStyle& style);
  void DrawSecondHand(const PixelBuffer& buffer, Point centre, float degrees,
                      const HandStyle& style) const;

  Shapes shapes_{1};
  // Made when the second hand first sweeps, and again for another scale; while
  // its memory cannot be had, the slow hands are drawn each time.
  std::unique_ptr<PaintedLayer> layer_;
  LayerKey layerKey_{};
  bool layerKept_ = false;
};
