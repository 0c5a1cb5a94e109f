#pragma once

#include <windows.h>

#include <functional>

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

// Runs `work` and waits until GDI has carried it out; returns the time taken.
inline double Time(const std::function<void()>& work) {
  const LARGE_INTEGER start = PerformanceNow();
  work();
  GdiFlush();
  return Microseconds(start, PerformanceNow());
}
