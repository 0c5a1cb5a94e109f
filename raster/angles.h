#pragma once

// Angles of the hands: degrees clockwise from twelve o'clock, in radians for the
// trigonometry.
constexpr float kPi = 3.14159265358979f;

constexpr float Radians(float degrees) { return degrees * kPi / 180; }
