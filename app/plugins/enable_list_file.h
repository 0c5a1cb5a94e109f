#pragma once

#include <windows.h>

#include <memory>
#include <string>

// The plug-in folder "<program dir>\plugin" and its enable list "enable.txt", which
// the plug-in host reads and the plug-in page rewrites.

// The plug-in folder's path; false when there is no program folder or the path does
// not fit.
bool GetPluginFolder(char (&folder)[MAX_PATH]);

// The enable list of a folder as it was read: a missing list enables nothing, and
// one that is there but could not be read (held open by another program, a read
// error) must not be taken for an empty one.
struct EnableListText {
  enum class State { kRead, kMissing, kUnreadable };
  State state = State::kMissing;
  std::unique_ptr<char[]> text;  // NUL-terminated, when read
};

EnableListText ReadEnableList(const char* folder);

// Replaces the enable list of `folder` with `text`. The new list is written beside
// the old one and takes its place only once complete, so a write that fails (disk
// full, the file held open by another program) keeps the old list; false then.
bool WriteEnableList(const char* folder, const std::string& text);
