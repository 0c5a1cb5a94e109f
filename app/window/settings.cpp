#include "app/window/settings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "base/cp932.h"
#include "base/format_path.h"
#include "base/relative_path.h"
#include "base/win/module_folder.h"

namespace {

// False when the program's folder is unknown or the file's path does not fit: a
// cut path would name some other folder's file, so there is no settings file then.
bool GetSettingsPath(char (&path)[MAX_PATH]) {
  std::memset(path, 0, sizeof path);
  if (!GetProgramDir(path, MAX_PATH)) return false;
  const size_t used = std::strlen(path);
  const int added = std::snprintf(path + used, sizeof path - used, "\\kelvane.ini");
  return added > 0 && static_cast<size_t>(added) < sizeof path - used;
}

}  // namespace

int GetProgramDir(char* buffer, int size) {
  char folder[MAX_PATH];
  if (size <= 0 || !GetModuleFolder(nullptr, folder)) return 0;
  std::strncpy(buffer, folder, static_cast<size_t>(size));
  buffer[size - 1] = '\0';
  return 1;
}

int ReadSetting(const char* section, const char* key, char* buffer, int sizeOrDefault) {
  char path[MAX_PATH];
  if (!GetSettingsPath(path)) {
    if (buffer == nullptr) return sizeOrDefault;
    if (sizeOrDefault > 0) buffer[0] = '\0';
    return 0;
  }
  if (buffer != nullptr) {
    return static_cast<int>(GetPrivateProfileStringA(section, key, "", buffer,
                                                     static_cast<DWORD>(sizeOrDefault), path));
  }
  return static_cast<int>(GetPrivateProfileIntA(section, key, sizeOrDefault, path));
}

bool WriteSetting(const char* section, const char* key, const char* text, int value) {
  char path[MAX_PATH];
  if (!GetSettingsPath(path)) return false;
  char number[32];
  if (text == nullptr) {
    std::snprintf(number, sizeof number, "%d", value);
    text = number;
  }
  return WritePrivateProfileStringA(section, key, text, path) != 0;
}

int ReadPathSetting(const char* section, const char* key, char (&path)[MAX_PATH]) {
  char value[MAX_PATH + 1] = {};
  const int length = ReadSetting(section, key, value, sizeof value);
  path[0] = '\0';
  if (length <= 0 || length >= MAX_PATH) return 0;
  if (!IsRelativePath(value)) {
    std::memcpy(path, value, static_cast<size_t>(length) + 1);
    return 1;
  }
  char dir[MAX_PATH] = {};
  if (GetProgramDir(dir, MAX_PATH) && FormatPath(path, "%s\\%s", dir, value)) return 1;
  path[0] = '\0';
  return 0;
}

int FindMovedFile(const char* folder, char (&path)[MAX_PATH]) {
  if (path[0] == '\0' || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return 0;
  const char* slash = FindLastBackslash(path);
  char dir[MAX_PATH] = {};
  char moved[MAX_PATH];
  if (slash == nullptr || slash[1] == '\0' || !GetProgramDir(dir, MAX_PATH) ||
      !FormatPath(moved, "%s\\%s\\%s", dir, folder, slash + 1) ||
      GetFileAttributesA(moved) == INVALID_FILE_ATTRIBUTES) {
    return 0;
  }
  std::strcpy(path, moved);
  return 1;
}
