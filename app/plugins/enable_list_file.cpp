#include "app/plugins/enable_list_file.h"

#include <new>

#include "app/window/settings.h"
#include "base/format_path.h"
#include "base/win/kernel_handle.h"

bool GetPluginFolder(char (&folder)[MAX_PATH]) {
  char dir[MAX_PATH] = {};
  return GetProgramDir(dir, MAX_PATH) && FormatPath(folder, "%s\\plugin", dir);
}

std::unique_ptr<char[]> ReadEnableList(const char* folder) {
  char path[MAX_PATH];
  if (!FormatPath(path, "%s\\enable.txt", folder)) return nullptr;
  // An editor or a virus scanner may hold the file open meanwhile.
  KernelHandle file(CreateFileA(path, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return nullptr;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE) return nullptr;
  std::unique_ptr<char[]> text(new (std::nothrow) char[size + 1]());
  if (!text) return nullptr;
  DWORD read = 0;
  ReadFile(file.get(), text.get(), size, &read, nullptr);
  return text;
}

namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool WriteNewFile(const char* path, const std::vector<std::string>& names) {
  KernelHandle file(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  for (const std::string& name : names) {
    if (!WriteAll(file.get(), name + "\r\n")) return false;
  }
  return FlushFileBuffers(file.get()) != 0;
}

}  // namespace

bool WriteEnableList(const char* folder, const std::vector<std::string>& names) {
  char path[MAX_PATH];
  char newPath[MAX_PATH];
  if (!FormatPath(path, "%s\\enable.txt", folder) || !FormatPath(newPath, "%s.new", path)) {
    return false;
  }
  if (WriteNewFile(newPath, names) &&
      MoveFileExA(newPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(newPath);
  return false;
}
