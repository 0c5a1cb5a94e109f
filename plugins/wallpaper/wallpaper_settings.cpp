#include "plugins/wallpaper/wallpaper_settings.h"

#include "base/win/registry_key.h"

namespace {

RegistryKey WallpaperKey() { return RegistryKey::Create(HKEY_CURRENT_USER, kWallpaperKey); }

}  // namespace

void ReadString(const char* name, char* field, DWORD size) {
  WallpaperKey().ReadString(name, field, size);
}

DWORD ReadNumber(const char* name) {
  DWORD value = 0;
  WallpaperKey().ReadNumber(name, &value);
  return value;
}

void WriteString(const char* name, const char* text) { WallpaperKey().WriteString(name, text); }

void WriteNumber(const char* name, DWORD value) { WallpaperKey().WriteNumber(name, value); }
