#pragma once

#include <windows.h>

// The performance counter's time between two readings, in microseconds.
inline double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

inline LARGE_INTEGER PerformanceNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}
