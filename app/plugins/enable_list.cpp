#include "app/plugins/enable_list.h"

#include <cstring>

#include "app/window/program_path.h"

bool IsNamedInEnableList(const char* text, const char* fileName) {
  const size_t length = std::strlen(fileName);
  for (const char* p = text; *p != '\0'; ++p) {
    if (std::strncmp(p, fileName, length) == 0) return true;
    if (IsCp932LeadByte(static_cast<unsigned char>(*p))) {
      if (p[1] == '\0') break;
      ++p;
    }
  }
  return false;
}
