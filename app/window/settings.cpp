#include "app/window/settings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "base/cp932.h"

namespace {

void GetSettingsPath(char (&path)[MAX_PATH]) {
  std::memset(path, 0, sizeof path);
  if (!GetProgramDir(path, MAX_PATH)) return;
  const size_t used = std::strlen(path);
  std::snprintf(path + used, sizeof path - used, "\\kelvane.ini");
}

}  // namespace

int GetProgramDir(char* buffer, int size) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  path[MAX_PATH - 1] = '\0';
  char* backslash = const_cast<char*>(FindLastBackslash(path));
  if (backslash == nullptr || size <= 0) return 0;
  *backslash = '\0';
  std::strncpy(buffer, path, static_cast<size_t>(size));
  buffer[size - 1] = '\0';
  return 1;
}

int ReadSetting(const char* section, const char* key, char* buffer, int sizeOrDefault) {
  char path[MAX_PATH];
  GetSettingsPath(path);
  if (buffer != nullptr) {
    return static_cast<int>(GetPrivateProfileStringA(section, key, "", buffer,
                                                     static_cast<DWORD>(sizeOrDefault), path));
  }
  return static_cast<int>(GetPrivateProfileIntA(section, key, sizeOrDefault, path));
}

int WriteSetting(const char* section, const char* key, const char* text, int value) {
  char path[MAX_PATH];
  GetSettingsPath(path);
  char number[32];
  if (text == nullptr) {
    std::snprintf(number, sizeof number, "%d", value);
    text = number;
  }
  WritePrivateProfileStringA(section, key, text, path);
  return 1;
}
