#include "base/file_name.h"

#include "base/cp932.h"

namespace {

unsigned char Lower(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

const char* FileExtension(const char* path) {
  const char* extension = nullptr;
  const char* p = path;
  for (; *p != '\0'; p = NextCp932Char(p)) {
    if (*p == '\\') extension = nullptr;
    if (*p == '.') extension = p + 1;
  }
  return extension != nullptr ? extension : p;
}

int FindExtension(const char* path, std::initializer_list<const char*> extensions) {
  const char* extension = FileExtension(path);
  int index = 0;
  for (const char* candidate : extensions) {
    const char* a = extension;
    const char* b = candidate;
    while (*a != '\0' && Lower(static_cast<unsigned char>(*a)) == static_cast<unsigned char>(*b)) {
      ++a;
      ++b;
    }
    if (*a == '\0' && *b == '\0') return index;
    ++index;
  }
  return -1;
}

int CompareFileNames(const char* a, size_t aLength, const char* b, size_t bLength) {
  size_t i = 0;
  while (i < aLength && i < bLength) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    // Below 0x80 no byte leads a double-byte character: the common case, decided first.
    if ((x >= 0x80 || y >= 0x80) && (IsCp932LeadByte(x) || IsCp932LeadByte(y))) {
      // Both lead bytes alike; then the trail bytes as they are.
      if (x != y) return x - y;
      if (i + 1 >= aLength || i + 1 >= bLength) break;
      const auto xTrail = static_cast<unsigned char>(a[i + 1]);
      const auto yTrail = static_cast<unsigned char>(b[i + 1]);
      if (xTrail != yTrail) return xTrail - yTrail;
      i += 2;
      continue;
    }
    if (Lower(x) != Lower(y)) return Lower(x) - Lower(y);
    ++i;
  }
  return static_cast<int>(aLength > bLength) - static_cast<int>(aLength < bLength);
}
