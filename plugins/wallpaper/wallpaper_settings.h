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
// Options whose absence (0) keeps the folder alone and the listing order.
constexpr char kIncludeSubfoldersValue[] = "INCLUDE_SUBFOLDERS";
constexpr char kShuffleValue[] = "SHUFFLE";
// Where the change in random order stands (see ShuffleState).
constexpr char kShuffleSeedValue[] = "SHUFFLE_SEED";
constexpr char kShufflePositionValue[] = "SHUFFLE_POSITION";

// Reads a string into a field of `size` bytes as RegistryKey::ReadString does.
void ReadString(const char* name, char* field, DWORD size);
// Reads up to four bytes as a number; 0 when the value cannot be read.
DWORD ReadNumber(const char* name);

// Writes REG_SZ with its terminator counted.
void WriteString(const char* name, const char* text);
void WriteNumber(const char* name, DWORD value);
