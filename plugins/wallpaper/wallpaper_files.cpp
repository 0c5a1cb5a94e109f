#include "plugins/wallpaper/wallpaper_files.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/file_name.h"

void WallpaperFileList::Reset(const char* folder) {
  folder_ = folder;
  paths_.clear();
  starts_.clear();
}

bool WallpaperFileList::Add(const char* relativePath) {
  const size_t start = paths_.size();
  try {
    paths_.insert(paths_.end(), relativePath, relativePath + std::strlen(relativePath) + 1);
    starts_.push_back(static_cast<uint32_t>(start));
  } catch (const std::bad_alloc&) {
    paths_.resize(start);
    return false;
  }
  return true;
}

const char* WallpaperFileList::RelativePath(unsigned index) const {
  return index < starts_.size() ? paths_.data() + starts_[index] : nullptr;
}

bool WallpaperFileList::FullPath(unsigned index, char (&path)[kPathBytes]) const {
  const char* relative = RelativePath(index);
  if (relative == nullptr || folder_.size() + 1 + std::strlen(relative) >= kPathBytes) return false;
  std::memcpy(path, folder_.data(), folder_.size());
  path[folder_.size()] = '\\';
  std::strcpy(path + folder_.size() + 1, relative);
  return true;
}

FileEntry EntryOf(const WallpaperFileList& files, unsigned index) {
  const char* path = files.RelativePath(index);
  const size_t length = std::strlen(path);
  const bool bmp = FindExtension(path, {"bmp"}) == 0;
  return {path, bmp ? length - 4 : length, index};
}

std::vector<FileEntry> SortedEntries(const WallpaperFileList& files, const char* none) {
  std::vector<FileEntry> entries;
  entries.reserve(files.size() + 1);
  for (unsigned index = 0; index < files.size(); ++index) entries.push_back(EntryOf(files, index));
  entries.push_back({none, std::strlen(none), files.size()});
  std::sort(entries.begin(), entries.end(), [](const FileEntry& a, const FileEntry& b) {
    return CompareFileNames(a.text, a.length, b.text, b.length) < 0;
  });
  return entries;
}
