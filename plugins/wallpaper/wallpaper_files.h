#pragma once

#include <cstddef>
#include <vector>

// The full paths of a folder's BMP files, in the order of the folder listing. Each
// path lives in a zero-filled record of 261 bytes and is at most 260 bytes long.
class WallpaperFileList {
 public:
  static constexpr size_t kRecordSize = 261;

  // Empties the list and keeps its storage.
  void Clear() { records_.clear(); }
  // Appends "<folder>\<fileName>", cut to 260 bytes. False when no memory was left.
  bool Add(const char* folder, const char* fileName);
  unsigned size() const { return static_cast<unsigned>(records_.size()); }
  // The path at `index`, or null beyond the end.
  const char* At(unsigned index) const;

 private:
  struct Record {
    char path[kRecordSize];
  };

  std::vector<Record> records_;
};

// True when "<folder>\<fileName>" with its terminator fits a path buffer of 260 bytes.
bool PathFits(const char* folder, const char* fileName);

// A listed file's name as the dialog shows it: without its last four characters,
// the extension with its dot ("picture.BMP" gives "picture"). Steps by code page 932
// characters, so a name is never cut inside a double-byte character. The result
// is cut to `size` - 1 bytes and terminated.
void PictureName(const char* fileName, char* name, size_t size);
