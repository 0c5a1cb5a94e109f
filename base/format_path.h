#pragma once

#include <cstddef>
#include <cstdio>

// Formats a path into a fixed buffer; false when it does not fit, since a cut path
// would name another file. The buffer then holds the cut text, which no caller uses.
template <size_t kSize, typename... Args>
bool FormatPath(char (&path)[kSize], const char* format, Args... args) {
  const int length = std::snprintf(path, kSize, format, args...);
  return length >= 0 && static_cast<size_t>(length) < kSize;
}
