#pragma once

#include <windows.h>

// Owns an open registry key and closes it. Null when opening failed.
class RegistryKey {
 public:
  explicit RegistryKey(HKEY key = nullptr) : key_(key) {}
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens the key, creating it (and the keys above it) when it is missing.
  static RegistryKey Create(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
      key = nullptr;
    }
    return RegistryKey(key);
  }

  // Opens an existing key with the given access.
  static RegistryKey Open(HKEY root, const char* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) key = nullptr;
    return RegistryKey(key);
  }

  HKEY get() const { return key_; }

 private:
  HKEY key_;
};
