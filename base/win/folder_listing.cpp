#include "base/win/folder_listing.h"

#include <windows.h>

#include "base/format_path.h"
#include "base/win/find_handle.h"

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
