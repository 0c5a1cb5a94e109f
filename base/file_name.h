#pragma once

#include <cstddef>
#include <initializer_list>

// File names and paths in code page 932: their real extension, and the order the
// file lists show them in.

// The extension of the last name in `path`: what follows its last dot, or "" when
// that name has none. Steps by characters, so a backslash that is a trail byte
// ("表" is 0x95 0x5C) never ends a name.
const char* FileExtension(const char* path);

// The index in `extensions` (ASCII, lower case, without the dot) of the extension
// of `path`, compared without case; -1 when it is none of them. A search pattern
// such as "*.jpg" also finds "a.jpgx" through its short 8.3 name, so listings
// compare the real extension.
int FindExtension(const char* path, std::initializer_list<const char*> extensions);

// Orders two names of `aLength` and `bLength` bytes as the lists show them: byte by
// byte, with single-byte letters compared without case; a double-byte character's
// trail byte is never folded. Negative, 0 or positive as `a` sorts before, with or
// after `b`.
int CompareFileNames(const char* a, size_t aLength, const char* b, size_t bLength);
