#pragma once

#include <windows.h>

// Owns an open registry key and closes it. Null when opening failed; reading a
// null key finds nothing and writing to it does nothing.
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

  // Reads a value of any type into `data`, allowing `*size` bytes; on success
  // `*size` is the count read.
  bool ReadValue(const char* name, void* data, DWORD* size) const;
  // Reads a string into a field of `size` bytes, which always ends terminated: data
  // stored without a terminator is terminated after it, and a value that fills the
  // field with no room for the terminator, is longer, or cannot be read, leaves the
  // field empty.
  void ReadString(const char* name, char* field, DWORD size) const;
  // Reads up to four bytes as a number into `value`; false, leaving `value` alone,
  // when the value cannot be read.
  bool ReadNumber(const char* name, DWORD* value) const;

  void WriteValue(const char* name, DWORD type, const void* data, DWORD size) const;
  // Writes REG_SZ with its terminator counted.
  void WriteString(const char* name, const char* text) const;
  void WriteNumber(const char* name, DWORD value) const;

 private:
  HKEY key_;
};
