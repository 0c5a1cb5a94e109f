#pragma once

#include <windows.h>

// The plug-in's settings under HKEY_CURRENT_USER. Every access opens the key,
// creating it when missing, and closes it again; errors are not reported.
constexpr char kWallpaperKey[] = "Software\\Ornwick\\Kelvane Vesk\\plugin\\wallpaper";

constexpr char kFolderPathValue[] = "FOLDER_PATH";
constexpr char kAutoCloseValue[] = "AUTO_CLOSE";
constexpr char kTransparentTextValue[] = "TRANSLATE";
constexpr char kAutoChangeValue[] = "AUTO_CHANGE";
constexpr char kChangeTimeValue[] = "CHANGE_TIME";
constexpr char kLastFileValue[] = "LAST_FILE";
constexpr char kLastNumValue[] = "LAST_NUM";

// Reads a value of any type into `data`, allowing `*size` bytes; on success
// `*size` is the count read.
bool ReadValue(const char* name, void* data, DWORD* size);
void WriteValue(const char* name, DWORD type, const void* data, DWORD size);

// Reads a string into a field of `size` bytes, which always ends terminated: data
// stored without a terminator is terminated after it, and a value that fills the
// field with no room for the terminator, is longer, or cannot be read, leaves the
// field empty.
void ReadString(const char* name, char* field, DWORD size);
// Reads up to four bytes as a number; 0 when the value cannot be read.
DWORD ReadNumber(const char* name);

// Writes REG_SZ with its terminator counted.
void WriteString(const char* name, const char* text);
void WriteNumber(const char* name, DWORD value);
