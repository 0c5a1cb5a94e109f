#pragma once

#include <functional>

// Lists the files of `folder` that match `pattern` ("*.dll"), in the order the
// system returns them, and calls `visit` with each one's name and full path.
// Directories are passed over, and so is a file whose full path would not fit a
// path buffer: cut, the path would name another file. False when the folder
// cannot be listed (missing, empty of matches, or its pattern does not fit).
bool ListFolder(const char* folder, const char* pattern,
                const std::function<void(const char* name, const char* path)>& visit);
