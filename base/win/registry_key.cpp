#include "base/win/registry_key.h"

#include <cstring>

bool RegistryKey::ReadValue(const char* name, void* data, DWORD* size) const {
  if (key_ == nullptr) return false;
  return RegQueryValueExA(key_, name, nullptr, nullptr, static_cast<BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

void RegistryKey::ReadString(const char* name, char* field, DWORD size) const {
  DWORD read = size;
  if (!ReadValue(name, field, &read) || read > size) {
    field[0] = '\0';
    return;
  }
  if (std::memchr(field, '\0', read) != nullptr) return;
  if (read < size) {
    field[read] = '\0';
  } else {
    field[0] = '\0';
  }
}

bool RegistryKey::ReadNumber(const char* name, DWORD* value) const {
  DWORD read = 0;
  DWORD size = sizeof read;
  if (!ReadValue(name, &read, &size)) return false;
  *value = read;
  return true;
}

void RegistryKey::WriteValue(const char* name, DWORD type, const void* data, DWORD size) const {
  if (key_ == nullptr) return;
  RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size);
}

void RegistryKey::WriteString(const char* name, const char* text) const {
  WriteValue(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

void RegistryKey::WriteNumber(const char* name, DWORD value) const {
  WriteValue(name, REG_DWORD, &value, sizeof value);
}
