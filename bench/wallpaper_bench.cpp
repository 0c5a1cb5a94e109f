// Prints what listing a folder of 20,000 pictures costs the wallpaper plug-in, each
// figure next to a bare FindFirstFile/FindNextFile listing of the same folder from
// the same run: the automatic change's rebuild of its file list, and the same with
// the settings dialog open, whose list then shows every picture; then the rebuild
// of 100,000 files in ten subfolders next to a bare listing of each, and the memory
// the list of those takes. The pictures are small JPEG files (empty ones in the
// subfolders), written beside the program when missing; none is decoded.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/win/find_handle.h"
#include "bench/bench_figure.h"
#include "bench/bench_timer.h"
#include "plugins/wallpaper/wallpaper_dialog.h"
#include "plugins/wallpaper/wallpaper_ids.h"
#include "plugins/wallpaper/wallpaper_state.h"
#include "tests/win32/modal_timer.h"
#include "tests/win32/test_support.h"

namespace {

constexpr int kPictures = 20000;
constexpr int kSubfolders = 10;
constexpr int kSubfolderPictures = 10000;
constexpr int kRuns = 9;

// The folder of pictures beside the program, filled when it holds fewer than wanted.
std::string PictureFolder() {
  const std::string folder = ExeDir() + "\\bench_pictures";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string last = folder + "\\IMG_" + std::to_string(kPictures - 1) + ".jpg";
  if (GetFileAttributesA(last.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const std::vector<unsigned char> jpeg =
        EncodePicture(MakePicture(64, 48, [](int x, int y) { return RGB(x * 4, y * 5, 128); }),
                      PictureFileType::kJpeg);
    for (int i = 0; i < kPictures; ++i) {
      WriteBytes(folder + "\\IMG_" + std::to_string(i) + ".jpg", jpeg);
    }
  }
  return folder;
}

// A folder of ten subfolders of 10,000 empty pictures each beside the program,
// filled when the last file is missing.
std::string PictureTree() {
  const std::string tree = ExeDir() + "\\bench_tree";
  CreateDirectoryA(tree.c_str(), nullptr);
  for (int folder = 0; folder < kSubfolders; ++folder) {
    const std::string sub = tree + "\\" + std::to_string(folder);
    CreateDirectoryA(sub.c_str(), nullptr);
    const std::string last = sub + "\\IMG_" + std::to_string(kSubfolderPictures - 1) + ".jpg";
    if (GetFileAttributesA(last.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    for (int i = 0; i < kSubfolderPictures; ++i) {
      CloseHandle(CreateFileA((sub + "\\IMG_" + std::to_string(i) + ".jpg").c_str(), GENERIC_WRITE,
                              0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
  }
  return tree;
}

size_t ListNames(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const FindHandle find((folder + "\\*").c_str(), &found);
  size_t names = 0;
  for (bool more = find.valid(); more; more = find.Next(&found)) names += found.cFileName[0] != 0;
  return names;
}

// The floor: every name of the folder (and of its numbered subfolders) read,
// nothing kept.
double BareListing(const std::string& folder, int subfolders = 0) {
  return Time([&] {
    size_t names = ListNames(folder);
    for (int sub = 0; sub < subfolders; ++sub)
      names += ListNames(folder + "\\" + std::to_string(sub));
    KeepAlive(&names);
  });
}

// With the dialog open, its list is emptied before each run, as it is when the
// dialog opens.
void Measure(const char* name, WallpaperState* state, const std::string& folder,
             int subfolders = 0) {
  std::vector<double> listings, floors;
  for (int run = 0; run < kRuns; ++run) {
    if (state->dialog != nullptr) {
      SendDlgItemMessageA(state->dialog, IDC_FILE_LIST, LB_RESETCONTENT, 0, 0);
    }
    listings.push_back(Time([&] { state->BuildFileList(); }));
    floors.push_back(BareListing(folder, subfolders));
  }
  char label[160];
  std::snprintf(label, sizeof label, "%s, %u files, %d runs", name, state->fileCount, kRuns);
  PrintFigure(label, Median(listings), Median(floors));
}

}  // namespace

int main() {
  const std::string folder = PictureFolder();
  WallpaperState state;
  std::strcpy(state.folder, folder.c_str());
  Measure("wallpaper file list rebuilt (floor: FindFirstFile/FindNextFile)", &state, folder);

  const std::string tree = PictureTree();
  {
    const long long before = CommittedPrivateKib();
    WallpaperState subfolders;
    std::strcpy(subfolders.folder, tree.c_str());
    subfolders.includeSubfolders = 1;
    Measure("the same with ten subfolders (floor: FindFirstFile/FindNextFile of each)", &subfolders,
            tree, kSubfolders);
    std::printf("memory committed for the state with those %u files: %lld KiB\n",
                subfolders.fileCount, CommittedPrivateKib() - before);
  }

  const HMODULE plugin = LoadLibraryA((ExeDir() + "\\wallpaper.dll").c_str());
  bool measured = false;
  const ModalTimer timer([&] {
    if (state.dialog == nullptr || measured) return;
    measured = true;
    // Opening read the folder from the registry; the bench lists its own.
    std::strcpy(state.folder, folder.c_str());
    Measure("the same filling the open dialog's list (floor: FindFirstFile/FindNextFile)", &state,
            folder);
    // Ended without its close, which would save the options.
    EndDialog(state.dialog, IDCANCEL);
  });
  WallpaperDialog dialog(&state);
  dialog.Show(plugin, nullptr);
  FreeLibrary(plugin);
  return 0;
}
