#include "base/win/module_folder.h"

#include <cstring>

#include "base/cp932.h"

bool GetModuleFolder(HMODULE module, char (&folder)[MAX_PATH]) {
  std::memset(folder, 0, sizeof folder);
  const DWORD length = GetModuleFileNameA(module, folder, MAX_PATH);
  char* backslash =
      length > 0 && length < MAX_PATH ? const_cast<char*>(FindLastBackslash(folder)) : nullptr;
  if (backslash == nullptr) {
    folder[0] = '\0';
    return false;
  }
  *backslash = '\0';
  return true;
}
