#include "base/win/folder_listing.h"

#include <windows.h>

#include <cstring>

#include "base/file_name.h"
#include "base/format_path.h"
#include "base/win/find_handle.h"

namespace {

// One ListFiles call: what it looks for and how many files it has found so far.
struct FileWalk {
  std::initializer_list<const char*> extensions;
  ListingReach reach;
  const std::function<void(const ListedFile&)>& visit;
  size_t found;
};

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool ListLevel(const char* folder, int level, FileWalk* walk) {
  char search[MAX_PATH];
  if (!FormatPath(search, "%s\\*", folder)) return false;
  WIN32_FIND_DATAA found;
  const FindHandle find(search, &found);
  if (!find.valid()) return false;
  do {
    if (walk->found >= walk->reach.maxFiles) break;
    const DWORD attributes = found.dwFileAttributes;
    char path[MAX_PATH];
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      if (level < walk->reach.depth && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
          !IsDotEntry(found.cFileName) && FormatPath(path, "%s\\%s", folder, found.cFileName)) {
        ListLevel(path, level + 1, walk);
      }
      continue;
    }
    const int extension = FindExtension(found.cFileName, walk->extensions);
    if (extension < 0 || !FormatPath(path, "%s\\%s", folder, found.cFileName)) continue;
    ++walk->found;
    walk->visit({found.cFileName, path, extension});
  } while (find.Next(&found));
  return true;
}

}  // namespace

bool ListFolder(const char* folder, const char* pattern,
                const std::function<void(const char* name, const char* path)>& visit) {
  char search[MAX_PATH];
  if (!FormatPath(search, "%s\\%s", folder, pattern)) return false;
  WIN32_FIND_DATAA found;
  const FindHandle find(search, &found);
  if (!find.valid()) return false;
  do {
    char path[MAX_PATH];
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !FormatPath(path, "%s\\%s", folder, found.cFileName)) {
      continue;
    }
    visit(found.cFileName, path);
  } while (find.Next(&found));
  return true;
}

bool ListFiles(const char* folder, std::initializer_list<const char*> extensions,
               ListingReach reach, const std::function<void(const ListedFile&)>& visit) {
  FileWalk walk{extensions, reach, visit, 0};
  return ListLevel(folder, 0, &walk);
}
