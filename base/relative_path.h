#pragma once

// True for a path that names no drive ("C:...") and does not start at a root
// ("\...", "/...", "\\server\..."): such a setting names a file relative to the
// program's folder, so a copy of the program folder moved anywhere still finds
// its own files and never another folder's.
inline bool IsRelativePath(const char* path) {
  const unsigned char first = static_cast<unsigned char>(path[0]);
  if (first == '\0' || first == '\\' || first == '/') return false;
  const bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  return !(letter && path[1] == ':');
}
