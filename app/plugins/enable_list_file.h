#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The plug-in folder "<program dir>\plugin" and its enable list "enable.txt", which
// the plug-in host reads and the plug-in page rewrites.

// The plug-in folder's path; false when there is no program folder or the path does
// not fit.
bool GetPluginFolder(char (&folder)[MAX_PATH]);

// The enable list of `folder` as one NUL-terminated text, or null when it cannot be read.
std::unique_ptr<char[]> ReadEnableList(const char* folder);

// Replaces the enable list of `folder` with `names`, each ended by CR LF. The new
// list is written beside the old one and takes its place only once complete, so a
// write that fails (disk full, the file held open by another program) keeps the
// old list; false then.
bool WriteEnableList(const char* folder, const std::vector<std::string>& names);
