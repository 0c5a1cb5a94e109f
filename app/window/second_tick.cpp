#include "app/window/second_tick.h"

unsigned TickInterval(uint16_t shownSecond, uint16_t second, uint16_t millisecond) {
  if (second != shownSecond || millisecond >= 1000) return kTickMarginMs;
  // A steady timer drifts against the local time a little: one that came before the
  // margin is armed afresh, so that it never reaches the end of the second before.
  if (millisecond >= kTickMarginMs && millisecond <= kTickMarginMs + kTickSlackMs) {
    return kSteadyTickMs;
  }
  return 1000u - millisecond + kTickMarginMs;
}

unsigned WaitInPlace(uint16_t shownSecond, uint16_t second, uint16_t millisecond) {
  if (second != shownSecond || millisecond >= 1000) return 0;
  const unsigned rest = 1000u - millisecond;
  return rest < kShortestTimerMs ? rest : 0;
}
