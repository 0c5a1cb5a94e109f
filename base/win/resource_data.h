#pragma once

#include <windows.h>

// The bytes of resource `id` of `type` in the program's own executable. They stay
// valid and read-only for the life of the process. Returns 1, or 0 when the
// resource is missing (then `data` and `size` mean nothing).
int LoadResourceData(int id, const char* type, const unsigned char** data, DWORD* size);
