#include "app/plugins/enable_list.h"

#include <cstring>

#include "base/cp932.h"

bool IsNamedInEnableList(const char* text, const char* fileName) {
  const size_t length = std::strlen(fileName);
  for (const char* p = text; *p != '\0'; p = NextCp932Char(p)) {
    if (std::strncmp(p, fileName, length) == 0) return true;
  }
  return false;
}
