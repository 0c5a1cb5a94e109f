#include "app/customize/background_page.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

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

// BMP rows first, then the orb rows, then the photographs, each group in the
// folder's order; a BMP or photograph is titled with its file name.
void BackgroundPage::FillList() const {
  list_.DeleteAllRows();
  if (!hasFolder_) return;
  struct Row {
    std::string title;
    std::string author;
    std::string name;
  };
  std::vector<Row> groups[3];
  ListFiles(folder_, {"bmp", "orb", "jpg", "jpeg", "png", "gif"},
            {0, std::numeric_limits<size_t>::max()}, [&](const ListedFile& file) {
              const int group = std::min(file.extension, 2);
              Row row{file.name, kNoAuthor, file.name};
              if (group == 1) {
                std::string title;
                std::string author;
                ReadOrbFileTexts(file.path, &title, &author);
                if (!title.empty()) row.title = title;
                row.author = author.empty() ? kUnknownAuthor : author;
              }
              groups[group].push_back(std::move(row));
            });
  list_.HoldRedraw();
  for (const std::vector<Row>& group : groups) {
    for (const Row& row : group) {
      const int inserted = list_.InsertRow(list_.RowCount(), row.title.c_str());
      if (inserted < 0) continue;
      list_.SetText(inserted, 1, row.author.c_str());
      list_.SetText(inserted, 2, row.name.c_str());
    }
  }
  list_.ReleaseRedraw();
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
