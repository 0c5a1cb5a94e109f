#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/win/loaded_library.h"
#include "base/win/registry_key.h"
#include "plugins/wallpaper/desktop.h"
#include "plugins/wallpaper/wallpaper_ids.h"
#include "plugins/wallpaper/wallpaper_settings.h"
#include "plugins/wallpaper/wallpaper_state.h"
#include "sdk/kelvane_plugin.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/modal_timer.h"
#include "tests/win32/test_support.h"
#include "tools/exif_segment.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kCaption[] = "壁紙ツール(&W)";

using Lines = std::vector<std::string>;

void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
  const RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, kWallpaperKey);
  RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

void SetNumber(const char* name, DWORD value) { SetRaw(name, REG_DWORD, &value, sizeof value); }

void SetText(const char* name, const std::string& text) {
  SetRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// A value as it is stored: its type and bytes, or type REG_NONE when absent.
struct StoredValue {
  DWORD type = REG_NONE;
  std::string bytes;
};

StoredValue Stored(HKEY root, const char* path, const char* name) {
  StoredValue value;
  const RegistryKey key = RegistryKey::Open(root, path, KEY_READ);
  char data[1024];
  DWORD size = sizeof data;
  if (key.get() != nullptr &&
      RegQueryValueExA(key.get(), name, nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS) {
    value.bytes.assign(data, size);
  }
  return value;
}

StoredValue Stored(const char* name) { return Stored(HKEY_CURRENT_USER, kWallpaperKey, name); }
StoredValue Desktop(const char* name) { return Stored(HKEY_CURRENT_USER, kDesktopKey, name); }

void SetDesktop(const char* name, DWORD type, const std::string& bytes) {
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_WRITE);
  RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
}

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

std::string DesktopWallpaper() {
  char path[MAX_PATH] = {};
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  return path;
}

// The files of a folder that match `pattern`, full paths, in the order the folder
// listing gives them.
Lines ListedPictures(const std::string& folder, const std::string& pattern = "*.bmp") {
  Lines paths;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return paths;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      paths.push_back(folder + "\\" + found.cFileName);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return paths;
}

// The dialog of this thread, shown or not; its title shows the previewed file once
// it is painted.
HWND ThreadDialog() {
  const std::vector<HWND> dialogs =
      FindDialogs(GetCurrentProcessId(), GetCurrentThreadId(), nullptr, false);
  return dialogs.empty() ? nullptr : dialogs.front();
}

// The plug-in loaded and started as the host does it.
class WallpaperDll {
 public:
  WallpaperDll() : module_(LoadLibraryA((ExeDir() + "\\wallpaper.dll").c_str())) {
    char caption[25] = {};
    if (auto init = Export<KelvanePluginInitFn>("Init")) init(caption);
  }
  ~WallpaperDll() {
    if (auto release = Export<KelvanePluginReleaseFn>("Release")) release();
  }
  WallpaperDll(const WallpaperDll&) = delete;
  WallpaperDll& operator=(const WallpaperDll&) = delete;

  template <typename Fn>
  Fn Export(const char* name) const {
    return module_.Export<Fn>(name);
  }

  HMODULE get() const { return module_.get(); }

  // One minute notification; returns what the wallpaper is afterwards.
  std::string Minute() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(Export<KelvanePluginNotifyFn>("NotifyTimeChangeMin")(&now), 1);
    return DesktopWallpaper();
  }

 private:
  LoadedLibrary module_;
};

// Keeps the desktop's wallpaper and style and the plug-in's key as the test found
// them: the key starts missing, the rest is put back afterwards.
class WallpaperTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kWallpaperKey);
    savedWallpaper_ = DesktopWallpaper();
    savedTile_ = Desktop("TileWallpaper");
    savedStyle_ = Desktop("WallpaperStyle");
    SetWallpaper("");
  }

  void TearDown() override {
    SetWallpaper(savedWallpaper_.c_str());
    Restore("TileWallpaper", savedTile_);
    Restore("WallpaperStyle", savedStyle_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kWallpaperKey);
  }

  // `count` small pictures in `folder`; their paths in listing order.
  static Lines MakePictures(const TempDir& folder, int count) {
    for (int i = 0; i < count; ++i) {
      WriteBytes(folder.File("p" + std::to_string(i) + ".bmp"),
                 MakeBmp24(8, 8, [i](int, int) { return RGB(40 * i, 0, 0); }));
    }
    return ListedPictures(folder.path());
  }

  static void AutoChange(const TempDir& folder, int minutes, DWORD lastIndex = 0) {
    SetText("FOLDER_PATH", folder.path());
    SetNumber("AUTO_CHANGE", 1);
    SetNumber("CHANGE_TIME", static_cast<DWORD>(minutes));
    SetNumber("LAST_NUM", lastIndex);
  }

  TempDir pictures_{"kelvane-pictures"};

 private:
  static void Restore(const char* name, const StoredValue& value) {
    if (value.type == REG_NONE) {
      RegDeleteValueA(RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_WRITE).get(), name);
    } else {
      SetDesktop(name, value.type, value.bytes);
    }
  }

  std::string savedWallpaper_;
  StoredValue savedTile_;
  StoredValue savedStyle_;
};

TEST_F(WallpaperTest, TheDllExportsFourFunctionsAndGivesTheSameCaptionEachTime) {
  WallpaperDll dll;
  ASSERT_NE(dll.get(), nullptr);
  EXPECT_EQ(dll.Export<void*>("NotifyTimeChangeSec"), nullptr);
  EXPECT_EQ(dll.Export<void*>("NotifyTimeChangeHour"), nullptr);
  char initBuffer[25] = {};
  EXPECT_EQ(dll.Export<KelvanePluginInitFn>("Init")(initBuffer), 1);
  EXPECT_STREQ(initBuffer, kCaption);
  EXPECT_EQ(std::strlen(initBuffer), 14u);

  // OpenConfig shows dialog 101 modally over the owner; Esc closes it.
  TestWindow owner(0, 0, 10, 10, RGB(0, 0, 0));
  HWND dialogOwner = nullptr;
  int controls = 0;
  const ModalWatchdog watchdog;
  const ModalTimer timer([&] {
    if (HWND dialog = ThreadDialog()) {
      dialogOwner = GetWindow(dialog, GW_OWNER);
      controls = 0;
      for (int id = 1000; id <= 1008; ++id) controls += GetDlgItem(dialog, id) != nullptr;
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  });
  char configBuffer[24] = {};
  EXPECT_EQ(dll.Export<KelvanePluginOpenConfigFn>("OpenConfig")(owner.get(), configBuffer), 1);
  EXPECT_STREQ(configBuffer, kCaption);
  EXPECT_EQ(dialogOwner, owner.get());
  EXPECT_EQ(controls, 9);
  EXPECT_EQ(ThreadDialog(), nullptr);
}

TEST_F(WallpaperTest, TheDialogAlsoClosesWithOk) {
  WallpaperDll dll;
  bool clicked = false;
  const ModalWatchdog watchdog;
  const ModalTimer timer([&] {
    if (HWND dialog = ThreadDialog()) {
      clicked = true;
      SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    }
  });
  char buffer[24] = {};
  EXPECT_EQ(dll.Export<KelvanePluginOpenConfigFn>("OpenConfig")(nullptr, buffer), 1);
  EXPECT_TRUE(clicked);
}

// Loading alone reads nothing (no work under the loader lock); Init makes the key.
TEST_F(WallpaperTest, AMissingKeyIsCreatedEmptyByInitAndNothingChanges) {
  const LoadedLibrary loaded(LoadLibraryA((ExeDir() + "\\wallpaper.dll").c_str()));
  EXPECT_EQ(RegistryKey::Open(HKEY_CURRENT_USER, kWallpaperKey, KEY_READ).get(), nullptr);
  WallpaperDll dll;
  ASSERT_NE(dll.get(), nullptr);
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kWallpaperKey, KEY_READ);
  ASSERT_NE(key.get(), nullptr);
  DWORD values = 99;
  RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                   nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(values, 0u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(dll.Minute(), "");
  EXPECT_EQ(Stored("LAST_NUM").type, static_cast<DWORD>(REG_NONE));
}

// Each value stored as the table says, alone in the key, and the field it gives.
TEST_F(WallpaperTest, SettingsAreReadAsStoredAndNeverOverrunTheirFields) {
  using Field = std::function<std::string(const WallpaperState&)>;
  const Field folder = [](const WallpaperState& s) { return std::string(s.folder); };
  const Field file = [](const WallpaperState& s) { return std::string(s.currentFile); };
  const auto number = [](int WallpaperState::*field) {
    return Field([field](const WallpaperState& s) { return std::to_string(s.*field); });
  };
  const struct {
    const char* name;
    DWORD type;
    std::string data;
    Field field;
    std::string expected;
  } table[] = {
      {"FOLDER_PATH", REG_SZ, Sz("C:\\\x95\x5C\x8E\xA6"), folder,
       "C:\\\x95\x5C\x8E\xA6"},                                        // C:\表示
      {"FOLDER_PATH", REG_BINARY, std::string(260, 'A'), folder, ""},  // no room for the terminator
      {"FOLDER_PATH", REG_SZ, "D:\\pics", folder, "D:\\pics"},         // written without one
      {"FOLDER_PATH", REG_SZ, std::string(259, 'F'), folder, std::string(259, 'F')},
      {"LAST_FILE", REG_SZ, Sz(std::string(300, 'B')), file, ""},
      {"LAST_FILE", REG_SZ, Sz(std::string(260, 'C')), file, std::string(260, 'C')},
      {"LAST_FILE", REG_DWORD, "EEEE", file, "EEEE"},
      {"CHANGE_TIME", REG_DWORD, Dword(300), number(&WallpaperState::changeMinutes), "300"},
      {"CHANGE_TIME", REG_SZ, "12345678", number(&WallpaperState::changeMinutes), "0"},
      {"AUTO_CLOSE", REG_DWORD, Dword(1), number(&WallpaperState::autoClose), "1"},
      {"TRANSLATE", REG_DWORD, Dword(1), number(&WallpaperState::transparentText), "1"},
      {"AUTO_CHANGE", REG_DWORD, Dword(1), number(&WallpaperState::autoChange), "1"},
      {"LAST_NUM", REG_DWORD, Dword(7),
       [](const WallpaperState& s) { return std::to_string(s.lastIndex); }, "7"},
  };
  for (const auto& row : table) {
    RegDeleteKeyA(HKEY_CURRENT_USER, kWallpaperKey);
    SetRaw(row.name, row.type, row.data.data(), static_cast<DWORD>(row.data.size()));
    const WallpaperState state;
    EXPECT_EQ(row.field(state), row.expected) << row.name << " " << row.data.size();
    EXPECT_EQ(state.fileCount, 0u);
  }

  WriteString("LAST_FILE", "C:\\b.bmp");
  WriteNumber("CHANGE_TIME", 4);
  EXPECT_EQ(Stored("LAST_FILE").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored("LAST_FILE").bytes, Sz("C:\\b.bmp"));
  EXPECT_EQ(Stored("CHANGE_TIME").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Stored("CHANGE_TIME").bytes, Dword(4));
}

// A single picture is never set automatically; a stored index beyond the list starts
// again at the first picture.
TEST_F(WallpaperTest, EveryIntervalTheNextPictureInListingOrderIsSet) {
  const struct {
    int pictures, interval;
    DWORD lastIndex;
    std::vector<int> set;  // the index set after each minute, -1 for none yet
    DWORD lastNum;
  } table[] = {
      {5, 3, 0, {-1, -1, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 0}, 0},
      {3, 0, 0, {1, 2, 0}, 0},
      {1, 1, 0, {-1, -1, -1}, 0},
      {5, 1, 9, {0}, 0},
  };
  for (const auto& row : table) {
    RegDeleteKeyA(HKEY_CURRENT_USER, kWallpaperKey);
    SetWallpaper("");
    const TempDir folder("kelvane-minutes");
    const Lines pictures = MakePictures(folder, row.pictures);
    AutoChange(folder, row.interval, row.lastIndex);
    WallpaperDll dll;
    Lines seen, expected;
    for (const int index : row.set) {
      seen.push_back(dll.Minute());
      expected.push_back(index < 0 ? "" : pictures[static_cast<size_t>(index)]);
    }
    EXPECT_EQ(seen, expected) << row.pictures << " pictures every " << row.interval;
    EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(row.lastNum)) << row.pictures;
    if (row.set.back() >= 0) {
      EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(expected.back()));
    }
  }
}

TEST_F(WallpaperTest, WhileTheChangeIsOffMinutesAreNotCounted) {
  const Lines pictures = MakePictures(pictures_, 3);
  AutoChange(pictures_, 2);
  SetNumber("AUTO_CHANGE", 0);
  WallpaperState state;
  for (int i = 0; i < 4; ++i) state.AdvanceWallpaper();
  EXPECT_EQ(state.minuteCount, 0);
  EXPECT_EQ(DesktopWallpaper(), "");
  state.autoChange = 1;
  state.AdvanceWallpaper();
  EXPECT_EQ(DesktopWallpaper(), "");
  state.AdvanceWallpaper();
  EXPECT_EQ(DesktopWallpaper(), pictures[1]);
  EXPECT_STREQ(state.currentFile, "");  // refreshed from LAST_FILE on the next load only
}

// Once round a folder of five pictures in random order, released and loaded again
// after three: the round goes on where it stood, and the next one repeats none at once.
TEST_F(WallpaperTest, InRandomOrderEveryPictureIsSetOnceARoundAndARestartGoesOn) {
  const Lines pictures = MakePictures(pictures_, 5);
  AutoChange(pictures_, 1);
  SetNumber("SHUFFLE", 1);
  Lines seen;
  std::string seed;
  for (const int minutes : {3, 7}) {
    WallpaperDll dll;
    if (!seed.empty()) {
      EXPECT_EQ(Stored("SHUFFLE_SEED").bytes, seed);
    }
    for (int i = 0; i < minutes; ++i) {
      seen.push_back(dll.Minute());
      EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(seen.back()));
    }
    seed = Stored("SHUFFLE_SEED").bytes;
    EXPECT_EQ(Stored("SHUFFLE_POSITION").bytes, Dword(minutes == 3 ? 3 : 5));
  }
  for (const auto round : {seen.begin(), seen.begin() + 5}) {
    EXPECT_EQ(std::set<std::string>(round, round + 5),
              std::set<std::string>(pictures.begin(), pictures.end()));
  }
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_NE(seen[i], seen[i - 1]) << i;
}

// "表示ソフト": both 表 and ソ end in a 0x5C trail byte. A file whose full path with
// its terminator fills 260 bytes is listed, one a byte longer is not.
TEST_F(WallpaperTest, TheFileListHoldsEveryPictureKindAndWithSubfoldersThoseTenLevelsBelow) {
  const TempDir folder("\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67");
  const size_t room = 259 - folder.path().size() - 1;
  const std::string fits = std::string(room - 4, 'f') + ".bmp";
  const std::string over = std::string(room - 3, 'o') + ".bmp";
  const std::set<std::string> flat = {"picture.BMP", "\x95\x5C.bmp", "a.JPG", "b.jpeg",
                                      "c.png",       "d.Gif",        fits};
  for (const std::string& name : flat) WriteBytes(folder.File(name), {'x'});
  for (const char* name : {"e.jpgx", "notes.txt"}) WriteBytes(folder.File(name), {'x'});
  WriteBytes(folder.File(over), {'x'});
  CreateDirectoryA(folder.File("folder.bmp").c_str(), nullptr);
  std::set<std::string> deeper = flat;
  std::string deep;
  for (int level = 1; level <= 11; ++level) {
    deep += (level > 1 ? "\\" : "") + std::to_string(level);
    CreateDirectoryA(folder.File(deep).c_str(), nullptr);
    WriteBytes(folder.File(deep + "\\p.png"), {'x'});
    if (level <= 10) deeper.insert(deep + "\\p.png");
  }
  SetText("FOLDER_PATH", folder.path());
  for (const int include : {0, 1}) {
    SetNumber("INCLUDE_SUBFOLDERS", static_cast<DWORD>(include));
    const WallpaperState state;
    std::set<std::string> listed;
    for (unsigned i = 0; i < state.fileCount; ++i) listed.insert(state.files.RelativePath(i));
    EXPECT_EQ(listed, include ? deeper : flat) << include;
  }
  // Without subfolders the files come in the order the folder lists them.
  SetNumber("INCLUDE_SUBFOLDERS", 0);
  const WallpaperState state;
  Lines order, expected;
  for (unsigned i = 0; i < state.fileCount; ++i) order.push_back(state.files.RelativePath(i));
  for (const std::string& path : ListedPictures(folder.path(), "*")) {
    const std::string name = path.substr(folder.path().size() + 1);
    if (flat.count(name) != 0) expected.push_back(name);
  }
  EXPECT_EQ(order, expected);
}

// Tiled whenever TileWallpaper is 1; a value too long for its four bytes reads as 0
// where its type keeps no terminator; one Windows does not write gives no style. The
// pairs each style writes are seen through the dialog.
TEST_F(WallpaperTest, DesktopValuesAreReadAsTheTableSays) {
  const struct {
    DWORD tileType;
    std::string tile, wallpaperStyle;
    int tileRead, styleRead, style;
  } table[] = {
      {REG_SZ, Sz("1"), Sz("6"), 1, 6, kStyleTiled},
      {REG_SZ, Sz("0"), Sz("99"), 0, 99, -1},
      {REG_BINARY, "2222", Sz("22222222"), 2222, 0, kStyleCentred},
  };
  for (const auto& row : table) {
    SetDesktop("TileWallpaper", row.tileType, row.tile);
    SetDesktop("WallpaperStyle", REG_SZ, row.wallpaperStyle);
    EXPECT_EQ(ReadDesktopStyle().tile, row.tileRead) << row.wallpaperStyle;
    EXPECT_EQ(ReadDesktopStyle().wallpaperStyle, row.styleRead) << row.wallpaperStyle;
    EXPECT_EQ(StyleOfDesktop(ReadDesktopStyle()), row.style) << row.wallpaperStyle;
  }
}

constexpr COLORREF kDesktop = RGB(58, 110, 165);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// True when every channel of `a` lies within 24 of `b`'s: JPEG keeps colours roughly.
bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 24 &&
         std::abs(GetGValue(a) - GetGValue(b)) <= 24 && std::abs(GetBValue(a) - GetBValue(b)) <= 24;
}

// The dialog's client pixel over point (x, y) of the preview's 192 x 144 area, which
// lies inside the frame at (2, 1).
COLORREF PreviewPixel(HWND dialog, int x, int y) {
  HDC dc = GetDC(dialog);
  const COLORREF color = GetPixel(dc, 3 + x, 2 + y);
  ReleaseDC(dialog, dc);
  return color;
}

// Selects the file list's entry `name` as a click does; with `twice`, as a double click.
void ClickEntry(HWND dialog, const std::string& name, bool twice = false) {
  const LRESULT entry =
      SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(name.c_str()));
  ASSERT_NE(entry, LB_ERR) << name;
  SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  Command(dialog, IDC_FILE_LIST, LBN_SELCHANGE);
  if (twice) Command(dialog, IDC_FILE_LIST, LBN_DBLCLK);
}

void PickStyle(HWND dialog, int style) {
  SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_SETCURSEL, static_cast<WPARAM>(style), 0);
  Command(dialog, IDC_STYLE_LIST, CBN_SELCHANGE);
}

using Step = std::function<void(HWND)>;

// The dialog tests: pictures in the stored folder, a known desktop colour, and the
// dialog opened through OpenConfig of the real DLL.
class WallpaperDialogTest : public WallpaperTest {
 protected:
  void SetUp() override {
    WallpaperTest::SetUp();
    savedColor_ = GetSysColor(COLOR_BACKGROUND);
    SetDesktopColor(kDesktop);
    SetText("FOLDER_PATH", pictures_.path());
  }
  void TearDown() override {
    SetDesktopColor(savedColor_);
    WallpaperTest::TearDown();
  }

  std::string Picture(const std::string& name, int width = 512, int height = 384,
                      COLORREF left = kRed, COLORREF right = kRed) {
    return Put(name + ".bmp",
               MakeBmp24(width, height, [=](int x, int) { return x < width / 2 ? left : right; }));
  }
  std::string Put(const std::string& name, const std::vector<unsigned char>& bytes) {
    WriteBytes(pictures_.File(name), bytes);
    return pictures_.File(name);
  }

  // Opens the dialog and runs one step per tick of a timer inside its modal loop, so
  // the dialog paints in between; Esc closes it after the last step. Returns how many
  // steps ran before the dialog closed.
  size_t RunDialog(const std::vector<Step>& steps) {
    size_t done = 0;
    const ModalWatchdog watchdog;
    const ModalTimer timer([&] {
      HWND dialog = ThreadDialog();
      if (dialog == nullptr || !IsWindowVisible(dialog)) return;
      if (done < steps.size()) {
        steps[done++](dialog);
      } else {
        PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
      }
    });
    char caption[24] = {};
    dll_.Export<KelvanePluginOpenConfigFn>("OpenConfig")(nullptr, caption);
    return done;
  }

  WallpaperDll dll_;

 private:
  static void SetDesktopColor(COLORREF color) {
    const INT element = COLOR_BACKGROUND;
    SetSysColors(1, &element, &color);
  }

  COLORREF savedColor_ = 0;
};

// With "close automatically" ticked the double click also closes the dialog.
TEST_F(WallpaperDialogTest, AClickPreviewsOnlyAndADoubleClickSetsTheWallpaper) {
  const std::string red = Picture("red");
  for (const DWORD autoClose : {0u, 1u}) {
    SetNumber("AUTO_CLOSE", autoClose);
    SetWallpaper("");
    SetText("LAST_FILE", "");
    const size_t steps = RunDialog({
        [&](HWND dialog) {
          ClickEntry(dialog, "red");
          EXPECT_EQ(WindowText(dialog), red);
          // Centred, 102 x 76 at (45, 34) of the area.
          EXPECT_EQ(PreviewPixel(dialog, 96, 72), kRed);
          EXPECT_EQ(PreviewPixel(dialog, 44, 72), kDesktop);
          EXPECT_EQ(DesktopWallpaper(), "");
          EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(""));
        },
        [&](HWND dialog) { ClickEntry(dialog, "red", true); },
        [&](HWND) {},
    });
    EXPECT_EQ(steps, autoClose ? 2u : 3u);
    EXPECT_EQ(DesktopWallpaper(), red);
    EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(red));
    EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(0));
  }
}

// Stretched over the area, each picture's top left corner shows at (10, 10). The list
// shows BMP files without their extension, sorted, 模様 after 無し.
TEST_F(WallpaperDialogTest, EveryKindIsListedPreviewedAndSetByItsOwnPath) {
  WriteDesktopStyle(0, 2);
  const BgraPicture green = MakePicture(64, 48, [](int, int) { return RGB(0, 160, 0); });
  const BgraPicture blue = MakePicture(64, 48, [](int, int) { return kBlue; });
  const struct {
    const char* entry;
    std::string path;
    COLORREF corner;
  } table[] = {
      {"b.JPG", Put("b.JPG", EncodePicture(green, PictureFileType::kJpeg)), RGB(0, 160, 0)},
      {"c.png", Put("c.png", EncodePicture(blue, PictureFileType::kPng)), kBlue},
      {"d.gif", Put("d.gif", QuadrantsGif()), kRed},
      {"\x96\xCD\x97\x6C", Picture("\x96\xCD\x97\x6C"), kRed},  // 模様
  };
  const Lines listed = ListedPictures(pictures_.path(), "*");
  Lines entries;
  RunDialog({[&](HWND dialog) {
    for (int entry = 0; entry < 5; ++entry) {
      char text[MAX_PATH] = {};
      SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(text));
      entries.push_back(text);
    }
    for (const auto& row : table) {
      ClickEntry(dialog, row.entry, true);
      EXPECT_EQ(WindowText(dialog), row.path);
      EXPECT_TRUE(Near(PreviewPixel(dialog, 10, 10), row.corner))
          << row.entry << std::hex << " " << PreviewPixel(dialog, 10, 10);
      EXPECT_EQ(DesktopWallpaper(), row.path);
      EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(row.path));
      const auto index = std::find(listed.begin(), listed.end(), row.path) - listed.begin();
      EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(static_cast<DWORD>(index))) << row.entry;
    }
  }});
  EXPECT_EQ(entries, (Lines{"b.JPG", "c.png", "d.gif", "\x96\xB3\x82\xB5", "\x96\xCD\x97\x6C"}));
  // Opened again, the dialog selects the entry of the file set.
  RunDialog({[&](HWND dialog) {
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_GETCURSEL, 0, 0), 4);
    ClickEntry(dialog, "\x96\xB3\x82\xB5", true);  // 無し
    EXPECT_EQ(DesktopWallpaper(), "");
    EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(""));
    EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(4));
  }});
}

// Ticking "include subfolders" lists the picture below at once.
TEST_F(WallpaperDialogTest, OkAndEscSaveEveryOptionAndLeaveTheDesktopStyleAlone) {
  Picture("a");
  CreateDirectoryA(pictures_.File("sub").c_str(), nullptr);
  Put("sub\\b.png",
      EncodePicture(MakePicture(4, 4, [](int, int) { return kRed; }), PictureFileType::kPng));
  for (const bool esc : {false, true}) {
    WriteDesktopStyle(0, 0);
    SetNumber("INCLUDE_SUBFOLDERS", 0);
    SetNumber("SHUFFLE", 0);
    SetNumber("TRANSLATE", 1);
    SetNumber("CHANGE_TIME", 0);
    SetNumber("AUTO_CHANGE", 0);
    SetNumber("AUTO_CLOSE", 0);
    RunDialog({
        [&](HWND dialog) {
          EXPECT_EQ(WindowText(dialog, IDC_INTERVAL), "1");  // a stored 0 becomes 1
          EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_INTERVAL)));
          SendDlgItemMessageA(dialog, IDC_AUTO_CHANGE, BM_CLICK, 0, 0);
          EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_INTERVAL)));
          SendDlgItemMessageA(dialog, IDC_AUTO_CLOSE, BM_CLICK, 0, 0);
          SendDlgItemMessageA(dialog, IDC_SHUFFLE, BM_CLICK, 0, 0);
          EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_GETCOUNT, 0, 0), 2);
          SendDlgItemMessageA(dialog, IDC_INCLUDE_SUBFOLDERS, BM_CLICK, 0, 0);
          EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_GETCOUNT, 0, 0), 3);
          SetDlgItemTextA(dialog, IDC_INTERVAL, "");
          EXPECT_EQ(WindowText(dialog, IDC_INTERVAL), "");  // while typing, no 1 appears
          SetDlgItemTextA(dialog, IDC_INTERVAL, "42");
          if (esc) {
            PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
          } else {
            SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
          }
        },
    });
    EXPECT_EQ(Stored("AUTO_CHANGE").bytes, Dword(1)) << esc;
    EXPECT_EQ(Stored("AUTO_CLOSE").bytes, Dword(1)) << esc;
    EXPECT_EQ(Stored("TRANSLATE").bytes, Dword(1)) << esc;
    EXPECT_EQ(Stored("INCLUDE_SUBFOLDERS").bytes, Dword(1)) << esc;
    EXPECT_EQ(Stored("SHUFFLE").bytes, Dword(1)) << esc;
    EXPECT_EQ(Stored("CHANGE_TIME").bytes, Dword(42)) << esc;
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), 0xFFFFFFFFu) << esc;  // the icon text option
    EXPECT_EQ(Desktop("TileWallpaper").bytes, Sz("0"));
    EXPECT_EQ(DesktopWallpaper(), "");
  }
}

// Each style is picked with the one before it on the desktop, so each writes its
// pair; the next opening selects it. Red left of x 128, blue right, 512 x 256: the
// preview's pixels at four points tell every style from the others.
TEST_F(WallpaperDialogTest, EachStylePreviewsWritesItsPairOnCloseAndIsReadBack) {
  const std::string stored =
      Put("bands.png",
          EncodePicture(MakePicture(512, 256, [](int x, int) { return x < 128 ? kRed : kBlue; }),
                        PictureFileType::kPng));
  const std::string other = Picture("other");
  SetText("LAST_FILE", stored);
  WriteDesktopStyle(0, 6);
  const struct {
    int style;
    const char* tile;
    const char* wallpaperStyle;
    std::vector<COLORREF> pixels;  // at (5, 5), (36, 72), (60, 72) and (110, 72) of the area
  } table[] = {
      {kStyleCentred, "0", "0", {kDesktop, kDesktop, kRed, kBlue}},
      {kStyleTiled, "1", "0", {kRed, kBlue, kBlue, kRed}},
      {kStyleStretched, "0", "2", {kRed, kRed, kBlue, kBlue}},
      {kStyleFill, "0", "10", {kRed, kBlue, kBlue, kBlue}},
      {kStyleFit, "0", "6", {kDesktop, kRed, kBlue, kBlue}},
  };
  int shown = kStyleFit;
  for (const auto& row : table) {
    RunDialog({[&](HWND dialog) {
      EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0), shown);
      ClickEntry(dialog, "bands.png");
      PickStyle(dialog, row.style);
      std::vector<COLORREF> pixels;
      for (const POINT at : {POINT{5, 5}, POINT{36, 72}, POINT{60, 72}, POINT{110, 72}}) {
        pixels.push_back(PreviewPixel(dialog, at.x, at.y));
      }
      EXPECT_EQ(pixels, row.pixels) << row.style;
      if (row.style == kStyleFit) ClickEntry(dialog, "other");  // previewed only
    }});
    EXPECT_EQ(Desktop("TileWallpaper").bytes, Sz(row.tile));
    EXPECT_EQ(Desktop("WallpaperStyle").bytes, Sz(row.wallpaperStyle));
    EXPECT_EQ(DesktopWallpaper(), stored) << row.style;
    EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(stored));
    shown = row.style;
  }
  // With no wallpaper set by the plug-in, the user's own stays; only the style is written.
  SetText("LAST_FILE", "");
  SetWallpaper(other.c_str());
  RunDialog({[](HWND dialog) { PickStyle(dialog, kStyleStretched); }});
  EXPECT_EQ(Desktop("WallpaperStyle").bytes, Sz("2"));
  EXPECT_EQ(DesktopWallpaper(), other);
  // Span shows as fill, a value Windows does not write as centred; neither is rewritten.
  for (const auto& [value, entry] :
       {std::make_pair("22", kStyleFill), std::make_pair("99", kStyleCentred)}) {
    WriteDesktopStyle(0, std::atoi(value));
    RunDialog({[&, entry = entry](HWND dialog) {
      EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_GETCURSEL, 0, 0), entry);
    }});
    EXPECT_EQ(Desktop("WallpaperStyle").bytes, Sz(value));
  }
}

// Stored 400 x 200 with red left and blue right, a camera's orientation 6 stands it up
// 200 x 400, red above blue: so the preview shows it, stretched, and so the copy set
// holds it. LAST_FILE keeps the photograph's own path, also after a change of style.
TEST_F(WallpaperDialogTest, APhotographStoredTurnedIsPreviewedAndSetUpright) {
  const std::string photo = Put(
      "turned.jpg",
      WithExifOrientation(
          EncodePicture(MakePicture(400, 200, [](int x, int) { return x < 200 ? kRed : kBlue; }),
                        PictureFileType::kJpeg),
          6));
  char copy[MAX_PATH];
  ASSERT_TRUE(UprightCopyPath(copy));
  DeleteFileA(copy);
  WriteDesktopStyle(0, 2);
  RunDialog({[&](HWND dialog) {
    ClickEntry(dialog, "turned.jpg", true);
    EXPECT_TRUE(Near(PreviewPixel(dialog, 180, 10), kRed))
        << std::hex << PreviewPixel(dialog, 180, 10);
    EXPECT_TRUE(Near(PreviewPixel(dialog, 10, 130), kBlue))
        << std::hex << PreviewPixel(dialog, 10, 130);
    PickStyle(dialog, kStyleFill);
  }});
  EXPECT_EQ(DesktopWallpaper(), copy);
  EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(photo));
  const WicPicture upright(copy);
  ASSERT_EQ(upright.size(), (PictureSize{200, 400}));
  const BgraPicture pixels = upright.Decode({0, 0, 200, 400}, {200, 400});
  for (const auto& [y, color] : {std::make_pair(10, kRed), std::make_pair(390, kBlue)}) {
    const uint32_t pixel = pixels.pixels[static_cast<size_t>(y) * 200 + 100];
    EXPECT_TRUE(Near(RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF), color)) << y;
  }
  DeleteFileA(copy);
}

// Focus passing through the interval field is no edit: the minutes go on counting.
TEST_F(WallpaperDialogTest, OnlyANewIntervalRestartsTheMinuteCount) {
  Picture("a");
  Picture("b");
  SetNumber("AUTO_CHANGE", 1);
  SetNumber("CHANGE_TIME", 2);
  SetWallpaper("");
  const auto minute = dll_.Export<KelvanePluginNotifyFn>("NotifyTimeChangeMin");
  const SYSTEMTIME now{};
  RunDialog({[&](HWND dialog) {
    minute(&now);
    SetFocus(GetDlgItem(dialog, IDC_INTERVAL));
    SetFocus(GetDlgItem(dialog, IDOK));
    minute(&now);
    EXPECT_NE(DesktopWallpaper(), "");
  }});
}

// Repainting draws the picture read when it was chosen, under the title set then;
// a hostile file gives the empty frame.
TEST_F(WallpaperDialogTest, HostileFilesShowTheEmptyFrame) {
  Picture("good");
  std::vector<NamedFile> files = HostilePictures();
  files.push_back({"bad.bmp", MakeBmp24(512, 384, [](int, int) { return kRed; })});
  files.back().bytes[13] = 0x7F;  // the pixel offset lies far past the end
  for (const NamedFile& file : files) Put(file.name, file.bytes);
  std::vector<Step> steps = {[](HWND dialog) { ClickEntry(dialog, "good"); },
                             [&](HWND dialog) {
                               DeleteFileA(pictures_.File("good.bmp").c_str());
                               SetWindowTextA(dialog, "retitled");
                               RedrawWindow(dialog, nullptr, nullptr,
                                            RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                               EXPECT_EQ(WindowText(dialog), "retitled");
                               ASSERT_EQ(PreviewPixel(dialog, 96, 72), kRed);
                             }};
  for (const NamedFile& file : files) {
    steps.push_back([&](HWND dialog) {
      ClickEntry(dialog, file.name == "bad.bmp" ? "bad" : file.name);
      EXPECT_EQ(WindowText(dialog), pictures_.File(file.name));
      EXPECT_EQ(PreviewPixel(dialog, 96, 72), kDesktop) << file.name;
      EXPECT_EQ(PreviewPixel(dialog, -1, 72), RGB(0, 0, 0)) << file.name;
    });
  }
  EXPECT_EQ(RunDialog(steps), steps.size());
}

TEST(MakeIconTextTransparent, SetsTheDesktopColourToNoColour) {
  const INT element = COLOR_BACKGROUND;
  const COLORREF saved = GetSysColor(COLOR_BACKGROUND);
  MakeIconTextTransparent();
  const COLORREF set = GetSysColor(COLOR_BACKGROUND);
  SetSysColors(1, &element, &saved);
  EXPECT_EQ(set, 0xFFFFFFFFu) << std::hex << set;
}

}  // namespace
