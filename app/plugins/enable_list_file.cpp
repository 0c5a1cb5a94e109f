#include "app/plugins/enable_list_file.h"

#include <new>
#include <utility>

#include "base/format_path.h"
#include "base/win/kernel_handle.h"
#include "base/win/module_folder.h"

bool GetPluginFolder(char (&folder)[MAX_PATH]) {
  char dir[MAX_PATH];
  return GetModuleFolder(nullptr, dir) && FormatPath(folder, "%s\\plugin", dir);
}

EnableListText ReadEnableList(const char* folder) {
  EnableListText list;
  char path[MAX_PATH];
  if (!FormatPath(path, "%s\\enable.txt", folder)) return list;
  // An editor or a virus scanner may hold the file open meanwhile.
  KernelHandle file(CreateFileA(path, GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    list.state = missing ? EnableListText::State::kMissing : EnableListText::State::kUnreadable;
    return list;
  }
  list.state = EnableListText::State::kUnreadable;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE) return list;
  std::unique_ptr<char[]> text(new (std::nothrow) char[size + 1]());
  DWORD read = 0;
  if (!text || !ReadFile(file.get(), text.get(), size, &read, nullptr) || read != size) return list;
  list.state = EnableListText::State::kRead;
  list.text = std::move(text);
  return list;
}

namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool WriteNewFile(const char* path, const std::string& text) {
  KernelHandle file(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  return WriteAll(file.get(), text) && FlushFileBuffers(file.get()) != 0;
}

}  // namespace

bool WriteEnableList(const char* folder, const std::string& text) {
  char path[MAX_PATH];
  char newPath[MAX_PATH];
  if (!FormatPath(path, "%s\\enable.txt", folder) || !FormatPath(newPath, "%s.new", path)) {
    return false;
  }
  if (WriteNewFile(newPath, text) &&
      MoveFileExA(newPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(newPath);
  return false;
}
