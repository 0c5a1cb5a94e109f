#pragma once

#include <cstdint>

// The tick timer of the clock window fires just after each second of the local
// time begins, so that the face changes with the system clock's second, and
// sleeps in between.

// How far past the start of a second the tick aims, in milliseconds: a timer that
// fires a little early finds the old second and waits on for the rest of it.
constexpr unsigned kTickMarginMs = 1;
// How much later than aimed a tick may come and still leave the timer running
// steadily at one second; a later one arms it afresh for the next second.
constexpr unsigned kTickSlackMs = 0;
constexpr unsigned kSteadyTickMs = 1000;

// The interval to run the tick timer at, from local time `second` and
// `millisecond` (0 to 999) while the face shows `shownSecond`: one second when the
// tick came on the beat (the margin, give or take the slack), the rest of the
// second and the margin when it came off it, and the least wait when the shown
// second is already past (the tick's own work outlasted its second, or the clock
// was set).
unsigned TickInterval(uint16_t shownSecond, uint16_t second, uint16_t millisecond);

// A window timer waits at least this long (USER_TIMER_MINIMUM): one set for the
// last few milliseconds of a second would come that much late.
constexpr unsigned kShortestTimerMs = 10;

// How long a tick that came just before the end of the shown second waits in
// place for the next one (0: it does not wait, a timer is set instead).
unsigned WaitInPlace(uint16_t shownSecond, uint16_t second, uint16_t millisecond);
