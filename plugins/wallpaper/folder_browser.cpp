#include "plugins/wallpaper/folder_browser.h"

#include <shlobj.h>

#include <cstring>

namespace {

// The shell's allocator, which frees what the folder browser returns; released at the end.
class ShellAllocator {
 public:
  ShellAllocator() {
    if (FAILED(SHGetMalloc(&allocator_))) allocator_ = nullptr;
  }
  ~ShellAllocator() {
    if (allocator_ != nullptr) allocator_->Release();
  }
  ShellAllocator(const ShellAllocator&) = delete;
  ShellAllocator& operator=(const ShellAllocator&) = delete;

  IMalloc* get() const { return allocator_; }

 private:
  IMalloc* allocator_ = nullptr;
};

// The item list of a picked folder, freed with the shell's allocator.
class ItemList {
 public:
  ItemList(const ShellAllocator& allocator, LPITEMIDLIST items)
      : allocator_(allocator), items_(items) {}
  ~ItemList() {
    if (items_ != nullptr) allocator_.get()->Free(items_);
  }
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  LPITEMIDLIST get() const { return items_; }

 private:
  const ShellAllocator& allocator_;
  LPITEMIDLIST items_;
};

}  // namespace

bool BrowseForFolder(HWND owner, const char* title, char (&folder)[MAX_PATH]) {
  const ShellAllocator allocator;
  if (allocator.get() == nullptr) return false;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = owner;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  const ItemList picked(allocator, SHBrowseForFolderA(&browse));
  // The path goes to a buffer of its own first, so that a failed conversion leaves
  // the folder as it was.
  char path[MAX_PATH] = {};
  if (picked.get() == nullptr || !SHGetPathFromIDListA(picked.get(), path)) return false;
  std::memcpy(folder, path, sizeof path);
  return true;
}
