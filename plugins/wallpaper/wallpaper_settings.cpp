#include "plugins/wallpaper/wallpaper_settings.h"

#include <cstring>

#include "base/win/registry_key.h"

bool ReadValue(const char* name, void* data, DWORD* size) {
  const RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kWallpaperKey);
  if (key.get() == nullptr) return false;
  return RegQueryValueExA(key.get(), name, nullptr, nullptr, static_cast<BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

void WriteValue(const char* name, DWORD type, const void* data, DWORD size) {
  const RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kWallpaperKey);
  if (key.get() == nullptr) return;
  RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

void ReadString(const char* name, char* field, DWORD size) {
  DWORD read = size;
  if (!ReadValue(name, field, &read) || read > size) {
    field[0] = '\0';
    return;
  }
  if (std::memchr(field, '\0', read) != nullptr) return;
  if (read < size) {
    field[read] = '\0';
  } else {
    field[0] = '\0';
  }
}

DWORD ReadNumber(const char* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!ReadValue(name, &value, &size)) return 0;
  return value;
}

void WriteString(const char* name, const char* text) {
  WriteValue(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

void WriteNumber(const char* name, DWORD value) {
  WriteValue(name, REG_DWORD, &value, sizeof value);
}
