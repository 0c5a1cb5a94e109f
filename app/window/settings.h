#pragma once

#include <windows.h>

// The settings file "kelvane.ini" beside the executable. There is no cache: every
// read and write goes to the file at once, so a value written anywhere is seen
// by the next read everywhere.

// The executable's directory without a trailing backslash, cut to `size` - 1
// characters and terminated. Returns 1, or 0 (buffer untouched) when the module
// path holds no backslash or does not fit MAX_PATH characters. Without a program
// folder there is no settings file: reads give their defaults, writes do nothing.
int GetProgramDir(char* buffer, int size);

// With `buffer`: copies the string value (empty by default) into `buffer` of
// `sizeOrDefault` characters and returns the count copied. Without: returns the
// integer value, or `sizeOrDefault` when the key or the file is missing.
int ReadSetting(const char* section, const char* key, char* buffer, int sizeOrDefault);

// With `text`: writes it (`value` is ignored). Without: writes `value` as decimal
// text. Creates file, section and key as needed. False when nothing was written
// (no program folder, a read-only file).
bool WriteSetting(const char* section, const char* key, const char* text, int value);

// Reads a path into a MAX_PATH buffer. A relative value (no drive, no leading
// backslash) names a file in the program's folder and comes back as its full path.
// A value that does not fit would name another file once cut, so it counts as
// missing: `path` is then empty and the result 0; otherwise 1 (0 also for an empty
// value).
int ReadPathSetting(const char* section, const char* key, char (&path)[MAX_PATH]);

// A stored full path whose file is gone (the program folder was moved, or runs
// from a stick under another drive letter) is taken from the program's own
// `folder` ("background", "clock", "info") when a file of the same name lies
// there. `path` is then replaced and the result is 1; otherwise `path` stays as
// it is and the result 0. The settings file is not touched.
int FindMovedFile(const char* folder, char (&path)[MAX_PATH]);
