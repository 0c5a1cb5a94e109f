#include "app/window/program_path.h"

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const char* FindLastBackslash(const char* path) {
  const char* last = nullptr;
  for (const char* p = path; *p != '\0'; ++p) {
    if (IsCp932LeadByte(static_cast<unsigned char>(*p))) {
      if (p[1] == '\0') break;
      ++p;
      continue;
    }
    if (*p == '\\') last = p;
  }
  return last;
}
