#include "modules/clock/analog_settings.h"

#include <cstdio>

#include "base/format_path.h"
#include "base/win/module_folder.h"
#include "modules/clock/hand_schemes.h"

namespace {

constexpr char kFileName[] = "Analog.ini";
constexpr char kSection[] = "ANALOG";
constexpr char kSecondHandKey[] = "SECOND_HAND";
constexpr char kSchemeKey[] = "SCHEME";
constexpr char kShadowKey[] = "SHADOW";

// The value of `key` when it is a plain decimal number from 0 to `count` - 1;
// otherwise -1. Signs, spaces, other characters and leading zeros all count as
// damage, so that nothing half-read is taken for a choice.
int ReadChoice(const char* path, const char* key, int count) {
  char text[8] = {};
  const DWORD length = GetPrivateProfileStringA(kSection, key, "", text, sizeof text, path);
  if (length == 0 || length > 2 || (length == 2 && text[0] == '0')) return -1;
  int value = 0;
  for (DWORD i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value < count ? value : -1;
}

bool WriteChoice(const char* path, const char* key, int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%d", value);
  return WritePrivateProfileStringA(kSection, key, text, path) != 0;
}

}  // namespace

bool SettingsPathBeside(HMODULE module, char (&path)[MAX_PATH]) {
  char folder[MAX_PATH];
  if (GetModuleFolder(module, folder) && FormatPath(path, "%s\\%s", folder, kFileName)) return true;
  path[0] = '\0';
  return false;
}

AnalogSettings LoadAnalogSettings(const char* path) {
  AnalogSettings settings;
  if (path[0] == '\0') return settings;
  const int secondHand = ReadChoice(path, kSecondHandKey, 3);
  const int scheme = ReadChoice(path, kSchemeKey, kHandSchemeCount);
  const int shadow = ReadChoice(path, kShadowKey, 2);
  if (secondHand >= 0) settings.secondHand = static_cast<SecondHand>(secondHand);
  if (scheme >= 0) settings.scheme = scheme;
  if (shadow >= 0) settings.shadow = shadow == 1;
  return settings;
}

bool SaveAnalogSettings(const char* path, const AnalogSettings& settings) {
  if (path[0] == '\0') return false;
  const bool secondHand = WriteChoice(path, kSecondHandKey, static_cast<int>(settings.secondHand));
  const bool scheme = WriteChoice(path, kSchemeKey, settings.scheme);
  const bool shadow = WriteChoice(path, kShadowKey, settings.shadow ? 1 : 0);
  return secondHand && scheme && shadow;
}
