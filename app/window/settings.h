#pragma once

// The settings file "kelvane.ini" beside the executable. There is no cache: every
// read and write goes to the file at once, so a value written anywhere is seen
// by the next read everywhere.

// The executable's directory without a trailing backslash, cut to `size` - 1
// characters and terminated. Returns 1, or 0 (buffer untouched) when the module
// path holds no backslash.
int GetProgramDir(char* buffer, int size);

// With `buffer`: copies the string value (empty by default) into `buffer` of
// `sizeOrDefault` characters and returns the count copied. Without: returns the
// integer value, or `sizeOrDefault` when the key or the file is missing.
int ReadSetting(const char* section, const char* key, char* buffer, int sizeOrDefault);

// With `text`: writes it (`value` is ignored). Without: writes `value` as decimal
// text. Creates file, section and key as needed. Always returns 1.
int WriteSetting(const char* section, const char* key, const char* text, int value);
