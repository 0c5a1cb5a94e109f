#include "plugins/wallpaper/wallpaper_files.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "base/cp932.h"

bool WallpaperFileList::Add(const char* folder, const char* fileName) {
  Record record = {};
  std::snprintf(record.path, sizeof record.path, "%s\\%s", folder, fileName);
  try {
    records_.push_back(record);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

const char* WallpaperFileList::At(unsigned index) const {
  return index < records_.size() ? records_[index].path : nullptr;
}

bool PathFits(const char* folder, const char* fileName) {
  constexpr size_t kPathBytes = 260;
  return std::strlen(folder) + 1 + std::strlen(fileName) < kPathBytes;
}

void PictureName(const char* fileName, char* name, size_t size) {
  if (size == 0) return;
  size_t characters = 0;
  for (const char* p = fileName; *p != '\0'; p = NextCp932Char(p)) ++characters;
  const size_t keep = characters > 4 ? characters - 4 : 0;
  const char* end = fileName;
  for (size_t i = 0; i < keep; ++i) {
    const char* next = NextCp932Char(end);
    if (static_cast<size_t>(next - fileName) > size - 1) break;
    end = next;
  }
  const size_t length = static_cast<size_t>(end - fileName);
  std::memcpy(name, fileName, length);
  name[length] = '\0';
}
