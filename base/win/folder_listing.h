#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>

// Lists the files of `folder` that match `pattern` ("*.dll"), in the order the
// system returns them, and calls `visit` with each one's name and full path.
// Directories are passed over, and so is a file whose full path would not fit a
// path buffer: cut, the path would name another file. False when the folder
// cannot be listed (missing, empty of matches, or its pattern does not fit).
bool ListFolder(const char* folder, const char* pattern,
                const std::function<void(const char* name, const char* path)>& visit);

// A file ListFiles found: its name, its full path, and the index of its extension
// among those asked for.
struct ListedFile {
  const char* name;
  const char* path;
  int extension;
};

// How far ListFiles looks: `depth` folder levels below the one it is given (0 for
// that folder alone), and no more than `maxFiles` files in all.
struct ListingReach {
  int depth;
  size_t maxFiles;
};

// Lists the files of `folder` whose extension is one of `extensions` (see
// FindExtension), in the order the system returns them. A folder below is listed
// where it is met, depth-first, within `reach`; reparse points (links, junctions)
// are not entered, so no folder is reached twice through them. Files and folders
// whose full path would not fit a path buffer are passed over. False when
// `folder` itself cannot be listed.
bool ListFiles(const char* folder, std::initializer_list<const char*> extensions,
               ListingReach reach, const std::function<void(const ListedFile&)>& visit);
