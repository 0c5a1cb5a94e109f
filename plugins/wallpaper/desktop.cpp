#include "plugins/wallpaper/desktop.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "base/file_name.h"
#include "base/format_path.h"
#include "base/win/file_bytes.h"
#include "base/win/registry_key.h"
#include "base/win/wic_picture.h"
#include "formats/picture_header.h"

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

// Writes the JPEG file at `path` upright to the copy when its EXIF orientation is
// not upright; false when it is upright, no JPEG file (of the kinds listed, only
// JPEG files carry an orientation), or the copy cannot be made.
bool WriteUprightCopy(const char* path, char (&copy)[MAX_PATH]) {
  std::vector<unsigned char> file;
  PictureHeader header;
  if (FindExtension(path, {"jpg", "jpeg"}) < 0 ||
      !ReadFileBytes(path, kMaxPictureFileBytes + 1, &file) ||
      !ReadPictureHeader(file.data(), file.size(), &header) || header.orientation == 1) {
    return false;
  }
  const WicPicture picture(std::move(file));
  const PictureSize size = picture.size();
  return UprightCopyPath(copy) &&
         WritePictureFile(copy, picture.Decode({0, 0, size.width, size.height}, size),
                          PictureFileType::kJpeg);
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

bool UprightCopyPath(char (&path)[MAX_PATH]) {
  char local[MAX_PATH];
  char kelvane[MAX_PATH];
  char folder[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                              SHGFP_TYPE_CURRENT, local)) ||
      !FormatPath(kelvane, "%s\\Kelvane", local) || !FormatPath(folder, "%s\\wallpaper", kelvane) ||
      !FormatPath(path, "%s\\upright.jpg", folder)) {
    return false;
  }
  CreateDirectoryA(kelvane, nullptr);
  CreateDirectoryA(folder, nullptr);
  return GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES;
}

void SetPictureAsWallpaper(const char* path) {
  char copy[MAX_PATH];
  SetWallpaper(WriteUprightCopy(path, copy) ? copy : path);
}

void MakeIconTextTransparent() {
  const INT element = COLOR_BACKGROUND;
  const COLORREF noColor = 0xFFFFFFFF;
  SetSysColors(1, &element, &noColor);
}
