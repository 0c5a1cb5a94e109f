#include "base/win/resource_data.h"

int LoadResourceData(int id, const char* type, const unsigned char** data, DWORD* size) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(LOWORD(id)), type);
  if (resource == nullptr) return 0;
  HGLOBAL loaded = LoadResource(module, resource);
  if (loaded == nullptr) return 0;
  *data = static_cast<const unsigned char*>(LockResource(loaded));
  if (*data == nullptr) return 0;
  *size = SizeofResource(module, resource);
  return 1;
}
