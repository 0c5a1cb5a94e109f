#include "base/cp932.h"

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const char* NextCp932Char(const char* p) {
  if (IsCp932LeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') return p + 2;
  return p + 1;
}

const char* FindLastBackslash(const char* path) {
  const char* last = nullptr;
  for (const char* p = path; *p != '\0'; p = NextCp932Char(p)) {
    if (*p == '\\') last = p;
  }
  return last;
}
