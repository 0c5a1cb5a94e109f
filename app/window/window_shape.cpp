#include "app/window/window_shape.h"

#include <cstdio>
#include <vector>

#include "base/win/file_bytes.h"
#include "formats/clock_outline.h"

namespace {

// A region file is never longer than this: 16 + 32 + 32767 rectangle bytes.
constexpr size_t kMaxRegionFileBytes = 16 + 32 + 32767;

void ShowRegionError(const char* text) { MessageBoxA(nullptr, text, "ERROR", MB_OK); }

}  // namespace

HRGN LoadRegionResource(RegionInfo* info, int id, const char* type) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (resource == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(module, resource);
  if (loaded == nullptr) return nullptr;
  const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
  const DWORD size = SizeofResource(module, resource);
  if (data == nullptr || size < kRegionFileHeaderBytes) return nullptr;

  const uint8_t* block = data + kRegionFileHeaderBytes;
  const DWORD blockBytes = size - kRegionFileHeaderBytes;
  if (!CheckRegionData(block, blockBytes)) return nullptr;
  *info = RegionBoundSize(block);
  return ExtCreateRegion(nullptr, blockBytes, reinterpret_cast<const RGNDATA*>(block));
}

HRGN LoadRegionFile(RegionInfo* info, const char* path) {
  std::vector<unsigned char> file;
  if (!ReadFileBytes(path, kMaxRegionFileBytes, &file)) {
    char text[MAX_PATH + 32];
    std::snprintf(text, sizeof text, "Not found rgn file\n%s", path);
    ShowRegionError(text);
    return nullptr;
  }
  size_t blockBytes = 0;
  switch (CheckRegionFile(file.data(), file.size(), info, &blockBytes)) {
    case RegionFileResult::kOk: break;
    case RegionFileResult::kWrongMagic: ShowRegionError("File format wrong"); return nullptr;
    case RegionFileResult::kBadHeader: ShowRegionError("File Format wrong"); return nullptr;
    case RegionFileResult::kBadLength: ShowRegionError("malloc was failed"); return nullptr;
  }
  return ExtCreateRegion(nullptr, static_cast<DWORD>(blockBytes),
                         reinterpret_cast<const RGNDATA*>(file.data() + kRegionFileHeaderBytes));
}

namespace {

// Shapes `window` with `region` and sizes it to `info`, keeping its top-left corner.
int SetRegion(HWND window, const RegionInfo& info, HRGN region) {
  if (region == nullptr) return 0;
  RECT rect{};
  GetWindowRect(window, &rect);
  MoveWindow(window, rect.left, rect.top, 0, 0, TRUE);
  if (!SetWindowRgn(window, region, FALSE)) {
    DeleteObject(region);
    return 0;
  }
  // The region now belongs to the system.
  MoveWindow(window, rect.left, rect.top, info.width, info.height, TRUE);
  return 1;
}

}  // namespace

int ApplyRegion(RegionInfo* info, HWND window, const char* typeOrPath, int id) {
  HRGN region =
      id != 0 ? LoadRegionResource(info, id, typeOrPath) : LoadRegionFile(info, typeOrPath);
  return SetRegion(window, *info, region);
}

int ApplyClockOutline(HWND window, int size) {
  const std::vector<uint8_t> file = ClockOutlineRegionFile(size);
  RegionInfo info{};
  size_t blockBytes = 0;
  if (CheckRegionFile(file.data(), file.size(), &info, &blockBytes) != RegionFileResult::kOk) {
    return 0;
  }
  return SetRegion(
      window, info,
      ExtCreateRegion(nullptr, static_cast<DWORD>(blockBytes),
                      reinterpret_cast<const RGNDATA*>(file.data() + kRegionFileHeaderBytes)));
}
