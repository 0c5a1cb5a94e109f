#include "app/customize/background_page.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "app/window/clock_face.h"
#include "app/window/settings.h"
#include "base/format_path.h"
#include "base/win/folder_listing.h"
#include "base/win/kernel_handle.h"
#include "formats/orb_format.h"

namespace {

const char kUnknownAuthor[] = "不明";
const char kNoAuthor[] = "N/A";

// The title and author in the trailer of the orb file at `path`, reading its
// header and its trailer and nothing between. A text that cannot be read, or a
// trailer that lies anywhere but after the pixels, leaves them empty.
void ReadOrbFileTexts(const char* path, std::string* title, std::string* author) {
  KernelHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return;
  uint8_t head[kOrbColorTableOffset];
  DWORD read = 0;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) ||
      !ReadFile(file.get(), head, sizeof head, &read, nullptr) || read != sizeof head) {
    return;
  }
  LARGE_INTEGER offset{};
  offset.QuadPart = LocateOrbTrailer(head, static_cast<uint64_t>(size.QuadPart));
  if (offset.QuadPart == 0 || !SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN)) return;
  uint8_t trailer[kOrbTrailerMaxBytes];
  if (!ReadFile(file.get(), trailer, sizeof trailer, &read, nullptr)) return;
  ReadOrbTexts(trailer, read, title, author);
}

}  // namespace

void BackgroundPage::Create(HWND window, PageParams* params) {
  Begin(window, *params);
  face_ = params->face;
  list_.Create(window, kListId, LVS_EX_FULLROWSELECT);
  list_.AddColumn(0, "タイトル", 141);
  list_.AddColumn(1, "著 作 者", 60);
  list_.AddColumn(2, "ファイル名", 80);

  char dir[MAX_PATH] = {};
  hasFolder_ = GetProgramDir(dir, MAX_PATH) && FormatPath(folder_, "%s\\background", dir);
  ReadPathSetting("BACKGROUND", "FILE", storedFile_);
  // Pictures are listed from the background folder itself; no sub-folder is chosen,
  // so a stored one is emptied. Nothing else is written before the user picks.
  char subfolder[MAX_PATH] = {};
  if (ReadSetting("BACKGROUND", "DIRECTORY", subfolder, MAX_PATH) > 0) {
    WriteSetting("BACKGROUND", "DIRECTORY", "", 0);
  }
  FillList();

  MarkTab();
  ShowBuilt();
}

// Unpicked or picked again, the stored value stays as it is, also one too long to
// be read or one relative to the program's folder.
void BackgroundPage::Destroy() {
  list_.Destroy();
  ReleaseTab();
  if (appliedRow_ >= 0 && lstrcmpiA(chosenFile_, storedFile_) != 0) {
    WriteSetting("BACKGROUND", "FILE", chosenFile_, 0);
  }
}

void BackgroundPage::Paint(HWND, HDC dc) { CopySkinRows(dc, 0, 50); }

int BackgroundPage::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      return DrawTabButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? 1 : -1;
    case WM_NOTIFY:
      if (wParam != kListId || reinterpret_cast<const NMHDR*>(lParam)->code != LVN_ITEMCHANGED) {
        return -1;
      }
      ApplySelection();
      return 1;
  }
  return -1;
}

// Each pass inserts from row 0, so the BMP rows, listed last, end up first.
void BackgroundPage::FillList() const {
  list_.DeleteAllRows();
  if (!hasFolder_) return;
  list_.HoldRedraw();
  ListFiles("orb");
  ListFiles("bmp");
  list_.ReleaseRedraw();
}

void BackgroundPage::ListFiles(const char* extension) const {
  char pattern[MAX_PATH];
  if (!FormatPath(pattern, "*.%s", extension)) return;
  const bool isOrb = std::strcmp(extension, "orb") == 0;
  int row = 0;
  std::string title;
  std::string author;
  ListFolder(folder_, pattern, [&](const char* name, const char* path) {
    title.clear();
    author.clear();
    if (isOrb) ReadOrbFileTexts(path, &title, &author);
    const int inserted = list_.InsertRow(row, title.empty() ? name : title.c_str());
    if (inserted < 0) return;
    const char* defaultAuthor = isOrb ? kUnknownAuthor : kNoAuthor;
    list_.SetText(inserted, 1, author.empty() ? defaultAuthor : author.c_str());
    list_.SetText(inserted, 2, name);
    ++row;
  });
}

// A click raises several notifications (the old row deselected, the new one
// selected, the focus moved): only a newly selected row loads its picture.
void BackgroundPage::ApplySelection() {
  const int row = list_.FirstSelected();
  if (row < 0 || row == appliedRow_) return;
  appliedRow_ = row;
  char name[MAX_PATH];
  list_.GetText(row, 2, name, MAX_PATH);
  char path[MAX_PATH];
  if (!FormatPath(path, "%s\\%s", folder_, name)) return;
  face_->LoadBackground(path);
  SYSTEMTIME now;
  GetLocalTime(&now);
  face_->Draw(&now);
  std::strcpy(chosenFile_, path);
}
