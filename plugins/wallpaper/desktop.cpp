#include "plugins/wallpaper/desktop.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/win/registry_key.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kTileValue[] = "TileWallpaper";
constexpr char kStyleValue[] = "WallpaperStyle";

// Each value is read into four bytes; the fifth keeps the text terminated.
int ReadDecimal(HKEY key, const char* name) {
  char text[5] = {};
  DWORD size = 4;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS) {
    return 0;
  }
  return std::atoi(text);
}

void WriteDecimal(HKEY key, const char* name, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(std::strlen(text) + 1));
}

}  // namespace

DesktopStyle ReadDesktopStyle() {
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_READ);
  if (key.get() == nullptr) return DesktopStyle{0, 0};
  const int tile = ReadDecimal(key.get(), kTileValue);
  return DesktopStyle{tile, ReadDecimal(key.get(), kStyleValue)};
}

void WriteDesktopStyle(int tile, int wallpaperStyle) {
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_WRITE);
  if (key.get() == nullptr) return;
  WriteDecimal(key.get(), kTileValue, tile);
  WriteDecimal(key.get(), kStyleValue, wallpaperStyle);
}

void SetWallpaper(const char* path) {
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path),
                        SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

void MakeIconTextTransparent() {
  const INT element = COLOR_BACKGROUND;
  const COLORREF noColor = 0xFFFFFFFF;
  SetSysColors(1, &element, &noColor);
}
