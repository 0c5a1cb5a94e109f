#pragma once

// What every benchmark prints: a median next to its floor, the cheapest thing
// that does the same job's unavoidable part, measured in the same run, so that a
// figure reads the same on a fast and on a slow or busy machine.

#include <algorithm>
#include <cstdio>
#include <vector>

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Keeps the compiler from dropping work whose result nobody reads, such as a
// copy into a buffer that is overwritten by the next run.
inline void KeepAlive(const void* data) { asm volatile("" : : "r"(data) : "memory"); }

// Prints "name: median X µs (floor Y µs, ratio Z)". The figures are read on a
// UTF-8 terminal; the micro sign is spelt as its UTF-8 bytes, which the Windows
// build's CP932 execution character set leaves alone.
inline void PrintFigure(const char* name, double medianUs, double floorUs) {
  const char* const kMicroseconds = "\xC2\xB5s";
  const int digits = medianUs >= 1000 ? 0 : 1;
  const int floorDigits = floorUs >= 1000 ? 0 : 1;
  std::printf("%s: median %.*f %s (floor %.*f %s, ratio %.2f)\n", name, digits, medianUs,
              kMicroseconds, floorDigits, floorUs, kMicroseconds,
              floorUs > 0 ? medianUs / floorUs : 0.0);
  std::fflush(stdout);
}
