#pragma once

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

// The three hands, the centre cap and their shadows. The shapes are made once;
// each Draw lays them onto a buffer at the time's angles, over what it holds.
class ClockHands {
 public:
  ClockHands();

  void Draw(const PixelBuffer& buffer, Point centre, const HandTime& time,
            const HandStyle& style) const;

 private:
  // One shape of a hand: its shadow, and its body over a thin rim.
  struct Part {
    Part(const ConvexShape& shape, float rimWidth);
    Stencil shadow;
    Stencil body;
  };

  Part hour_;
  Part minute_;
  Part cap_;
  Part needle_;
  Part counterweight_;
  Part hub_;
};
