#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The pictures of the wallpaper folder, in the order of the folder listing: each
// file's path below the folder ("sub\picture.jpg"), packed one after the other, so
// that 100,000 files take little more than their names.
class WallpaperFileList {
 public:
  // A full path with its terminator fits this many bytes.
  static constexpr size_t kPathBytes = 260;

  // Empties the list for the files of `folder`, keeping its storage.
  void Reset(const char* folder);
  // Appends a file by its path below the folder. False when no memory was left.
  bool Add(const char* relativePath);
  unsigned size() const { return static_cast<unsigned>(starts_.size()); }
  // The path below the folder of the file at `index`, or null beyond the end.
  const char* RelativePath(unsigned index) const;
  // Writes "<folder>\<relative path>" of the file at `index` into `path`; false
  // beyond the end or when it does not fit.
  bool FullPath(unsigned index, char (&path)[kPathBytes]) const;

 private:
  std::string folder_;
  std::vector<char> paths_;
  std::vector<uint32_t> starts_;
};

// The text of a file's entry in the dialog's list, from its path below the folder,
// `length` bytes of it: a BMP file's without its ".bmp", any other file's whole.
struct FileEntry {
  const char* text;
  size_t length;
  unsigned index;  // in the file list; its size for the entry with no picture
};

FileEntry EntryOf(const WallpaperFileList& files, unsigned index);

// Every file's entry and one for no picture with the text `none`, sorted by text as
// CompareFileNames orders them.
std::vector<FileEntry> SortedEntries(const WallpaperFileList& files, const char* none);
