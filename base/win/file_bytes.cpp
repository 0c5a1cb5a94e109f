#include "base/win/file_bytes.h"

#include <windows.h>

#include "base/win/kernel_handle.h"

bool ReadFileBytes(const char* path, size_t maxBytes, std::vector<unsigned char>* bytes) {
  KernelHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return false;
  const size_t wanted = static_cast<unsigned long long>(size.QuadPart) < maxBytes
                            ? static_cast<size_t>(size.QuadPart)
                            : maxBytes;
  bytes->resize(wanted);
  size_t done = 0;
  while (done < wanted) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(wanted - done < 0x1000000 ? wanted - done : 0x1000000);
    if (!ReadFile(file.get(), bytes->data() + done, chunk, &got, nullptr)) return false;
    if (got == 0) break;
    done += got;
  }
  bytes->resize(done);
  return true;
}
