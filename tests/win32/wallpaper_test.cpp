#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
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

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

std::string DesktopWallpaper() {
  char path[MAX_PATH] = {};
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
  return path;
}

// The BMP files of a folder, full paths, in the order the folder listing gives them.
Lines ListedPictures(const std::string& folder) {
  Lines paths;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*.bmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return paths;
  do {
    paths.push_back(folder + "\\" + found.cFileName);
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
    savedTile_ = Stored(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper");
    savedStyle_ = Stored(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle");
    SetWallpaper("");
  }

  void TearDown() override {
    SetWallpaper(savedWallpaper_.c_str());
    Restore("TileWallpaper", savedTile_);
    Restore("WallpaperStyle", savedStyle_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kWallpaperKey);
  }

  // `count` small pictures in the picture folder; their paths in listing order.
  Lines MakePictures(int count) {
    for (int i = 0; i < count; ++i) {
      WriteBytes(pictures_.File("p" + std::to_string(i) + ".bmp"),
                 MakeBmp24(8, 8, [i](int, int) { return RGB(40 * i, 0, 0); }));
    }
    return ListedPictures(pictures_.path());
  }

  void AutoChange(int minutes, DWORD lastIndex = 0) {
    SetText("FOLDER_PATH", pictures_.path());
    SetNumber("AUTO_CHANGE", 1);
    SetNumber("CHANGE_TIME", static_cast<DWORD>(minutes));
    SetNumber("LAST_NUM", lastIndex);
  }

  TempDir pictures_{"kelvane-pictures"};

 private:
  static void Restore(const char* name, const StoredValue& value) {
    const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_WRITE);
    if (value.type == REG_NONE) {
      RegDeleteValueA(key.get(), name);
    } else {
      RegSetValueExA(key.get(), name, 0, value.type,
                     reinterpret_cast<const BYTE*>(value.bytes.data()),
                     static_cast<DWORD>(value.bytes.size()));
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
      for (int id = 1000; id <= 1006; ++id) controls += GetDlgItem(dialog, id) != nullptr;
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  });
  char configBuffer[24] = {};
  EXPECT_EQ(dll.Export<KelvanePluginOpenConfigFn>("OpenConfig")(owner.get(), configBuffer), 1);
  EXPECT_STREQ(configBuffer, kCaption);
  EXPECT_EQ(dialogOwner, owner.get());
  EXPECT_EQ(controls, 7);
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

TEST_F(WallpaperTest, SettingsAreReadIntoTheStateAndWrittenWithTheirTerminator) {
  SetText("FOLDER_PATH", "C:\\\x95\x5C\x8E\xA6");  // "C:\表示"
  SetNumber("AUTO_CLOSE", 1);
  SetNumber("TRANSLATE", 1);
  SetNumber("AUTO_CHANGE", 1);
  SetNumber("CHANGE_TIME", 15);
  SetText("LAST_FILE", "C:\\a.bmp");
  SetNumber("LAST_NUM", 7);
  const WallpaperState state;
  EXPECT_STREQ(state.folder, "C:\\\x95\x5C\x8E\xA6");
  EXPECT_EQ(state.autoClose, 1);
  EXPECT_EQ(state.transparentText, 1);
  EXPECT_EQ(state.autoChange, 1);
  EXPECT_EQ(state.changeMinutes, 15);
  EXPECT_STREQ(state.currentFile, "C:\\a.bmp");
  EXPECT_EQ(state.lastIndex, 7u);
  EXPECT_EQ(state.fileCount, 0u);

  WriteString("LAST_FILE", "C:\\b.bmp");
  WriteNumber("CHANGE_TIME", 4);
  EXPECT_EQ(Stored("LAST_FILE").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Stored("LAST_FILE").bytes, Sz("C:\\b.bmp"));
  EXPECT_EQ(Stored("CHANGE_TIME").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Stored("CHANGE_TIME").bytes, Dword(4));
}

TEST_F(WallpaperTest, EveryThirdMinuteTheNextPictureInListingOrderIsSet) {
  const Lines pictures = MakePictures(5);
  ASSERT_EQ(pictures.size(), 5u);
  AutoChange(3);
  WallpaperDll dll;
  Lines seen;
  for (int minute = 1; minute <= 15; ++minute) seen.push_back(dll.Minute());
  const Lines expected = {"",          "",          pictures[1], pictures[1], pictures[1],
                          pictures[2], pictures[2], pictures[2], pictures[3], pictures[3],
                          pictures[3], pictures[4], pictures[4], pictures[4], pictures[0]};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(0));
  EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(pictures[0]));
}

TEST_F(WallpaperTest, AnIntervalOfZeroChangesAtEveryMinute) {
  const Lines pictures = MakePictures(3);
  AutoChange(0);
  WallpaperDll dll;
  EXPECT_EQ(dll.Minute(), pictures[1]);
  EXPECT_EQ(dll.Minute(), pictures[2]);
  EXPECT_EQ(dll.Minute(), pictures[0]);
}

TEST_F(WallpaperTest, ASinglePictureIsNeverSetAutomatically) {
  MakePictures(1);
  AutoChange(1);
  WallpaperDll dll;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(dll.Minute(), "");
  EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(0));
}

TEST_F(WallpaperTest, AStoredIndexBeyondTheListStartsAgainAtTheFirstPicture) {
  const Lines pictures = MakePictures(5);
  AutoChange(1, 9);
  WallpaperDll dll;
  EXPECT_EQ(dll.Minute(), pictures[0]);
  EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(0));
}

TEST_F(WallpaperTest, WhileTheChangeIsOffMinutesAreNotCounted) {
  const Lines pictures = MakePictures(3);
  AutoChange(2);
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

TEST_F(WallpaperTest, TheFileListKeepsFullNamesInListingOrderInFoldersWithTrailBackslashes) {
  // "表示ソフト": both 表 and ソ end in a 0x5C trail byte.
  TempDir folder("\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67");
  WriteBytes(folder.File("picture.BMP"), MakeBmp24(4, 4, [](int, int) { return 0; }));
  WriteBytes(folder.File("\x95\x5C.bmp"), MakeBmp24(4, 4, [](int, int) { return 0; }));
  WriteBytes(folder.File("notes.txt"), {'x'});
  CreateDirectoryA(folder.File("folder.bmp").c_str(), nullptr);
  SetText("FOLDER_PATH", folder.path());
  const WallpaperState state;
  const Lines listed = ListedPictures(folder.path());
  ASSERT_EQ(state.fileCount, 2u);
  Lines files;
  for (unsigned i = 0; i < state.fileCount; ++i) files.push_back(state.files.At(i));
  Lines expected;
  for (const std::string& path : listed) {
    if (path != folder.File("folder.bmp")) expected.push_back(path);
  }
  EXPECT_EQ(files, expected);
}

TEST_F(WallpaperTest, StylesAreWrittenAsTheTableSaysAndReadBack) {
  const struct {
    int style;
    const char* tile;
    const char* wallpaperStyle;
  } table[] = {{1, "1", "0"}, {0, "0", "0"}, {2, "0", "2"}};
  for (const auto& row : table) {
    const DesktopStyle pair = DesktopStyleFor(row.style);
    WriteDesktopStyle(pair.tile, pair.wallpaperStyle);
    const StoredValue tile = Stored(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper");
    const StoredValue style = Stored(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle");
    EXPECT_EQ(tile.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(tile.bytes, Sz(row.tile)) << row.style;
    EXPECT_EQ(style.bytes, Sz(row.wallpaperStyle)) << row.style;
    EXPECT_EQ(ReadDesktopStyle().tile, pair.tile);
    EXPECT_EQ(ReadDesktopStyle().wallpaperStyle, pair.wallpaperStyle);
  }
}

TEST_F(WallpaperTest, DesktopValuesTooLongForTheirFourBytesReadAsZero) {
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_WRITE);
  RegSetValueExA(key.get(), "TileWallpaper", 0, REG_BINARY, reinterpret_cast<const BYTE*>("2222"),
                 4);
  RegSetValueExA(key.get(), "WallpaperStyle", 0, REG_SZ, reinterpret_cast<const BYTE*>("22222222"),
                 9);
  EXPECT_EQ(ReadDesktopStyle().tile, 2222);  // four digits fit, and are terminated
  EXPECT_EQ(ReadDesktopStyle().wallpaperStyle, 0);
}

TEST_F(WallpaperTest, StringsWithoutRoomForATerminatorOrOfAnotherTypeNeverOverrunTheirField) {
  SetRaw("FOLDER_PATH", REG_BINARY, std::string(260, 'A').data(), 260);
  SetText("LAST_FILE", std::string(300, 'B'));
  WallpaperState state;
  EXPECT_STREQ(state.folder, "");
  EXPECT_STREQ(state.currentFile, "");

  SetText("LAST_FILE", std::string(260, 'C'));   // 260 bytes and the terminator fit 261
  SetRaw("FOLDER_PATH", REG_SZ, "D:\\pics", 7);  // written without terminator
  state.LoadSettings();
  EXPECT_EQ(std::string(state.currentFile), std::string(260, 'C'));
  EXPECT_STREQ(state.folder, "D:\\pics");

  const DWORD letters = 0x45454545;  // "EEEE" with no terminator
  SetRaw("LAST_FILE", REG_DWORD, &letters, sizeof letters);
  SetRaw("FOLDER_PATH", REG_SZ, std::string(259, 'F').data(), 259);
  state.LoadSettings();
  EXPECT_STREQ(state.currentFile, "EEEE");
  EXPECT_EQ(std::string(state.folder), std::string(259, 'F'));
}

TEST_F(WallpaperTest, NumbersThatCannotBeReadCountAsZero) {
  SetNumber("CHANGE_TIME", 300);
  WallpaperState state;
  EXPECT_EQ(state.changeMinutes, 300);
  SetText("CHANGE_TIME", "12345678");
  state.LoadSettings();
  EXPECT_EQ(state.changeMinutes, 0);
}

constexpr COLORREF kDesktop = RGB(58, 110, 165);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

std::string WindowText(HWND window, int id = 0) {
  char text[MAX_PATH] = {};
  GetWindowTextA(id == 0 ? window : GetDlgItem(window, id), text, sizeof text);
  return text;
}

// The dialog's client pixel over point (x, y) of the preview's 192 x 144 area, which
// lies inside the frame at (2, 1).
COLORREF PreviewPixel(HWND dialog, int x, int y) {
  HDC dc = GetDC(dialog);
  const COLORREF color = GetPixel(dc, 3 + x, 2 + y);
  ReleaseDC(dialog, dc);
  return color;
}

void Notify(HWND dialog, int id, WORD code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Selects the file list's entry `name` as a click does; with `twice`, as a double click.
void ClickEntry(HWND dialog, const std::string& name, bool twice = false) {
  const LRESULT entry =
      SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(name.c_str()));
  ASSERT_NE(entry, LB_ERR) << name;
  SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  Notify(dialog, IDC_FILE_LIST, LBN_SELCHANGE);
  if (twice) Notify(dialog, IDC_FILE_LIST, LBN_DBLCLK);
}

void PickStyle(HWND dialog, int style) {
  SendDlgItemMessageA(dialog, IDC_STYLE_LIST, CB_SETCURSEL, static_cast<WPARAM>(style), 0);
  Notify(dialog, IDC_STYLE_LIST, CBN_SELCHANGE);
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
    WriteBytes(pictures_.File(name + ".bmp"),
               MakeBmp24(width, height, [=](int x, int) { return x < width / 2 ? left : right; }));
    return pictures_.File(name + ".bmp");
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

TEST_F(WallpaperDialogTest, EachEntryPreviewsAndSetsItsOwnFileWhereverItSorts) {
  // 模様 sorts after 無し; the folder lists it wherever it likes.
  Picture("a");
  const std::string pattern = Picture("\x96\xCD\x97\x6C");
  const Lines listed = ListedPictures(pictures_.path());
  const auto patternIndex =
      static_cast<DWORD>(std::find(listed.begin(), listed.end(), pattern) - listed.begin());
  RunDialog({
      [&](HWND dialog) {
        char last[16] = {};
        SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(last));
        ASSERT_STREQ(last, "\x96\xCD\x97\x6C");
        ClickEntry(dialog, "\x96\xCD\x97\x6C", true);
        EXPECT_EQ(WindowText(dialog), pattern);
        EXPECT_EQ(DesktopWallpaper(), pattern);
        EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(patternIndex));
      },
  });
  // Opened again, the dialog selects the entry of the file set.
  RunDialog({
      [&](HWND dialog) {
        const LRESULT entry = SendDlgItemMessageA(dialog, IDC_FILE_LIST, LB_GETCURSEL, 0, 0);
        EXPECT_EQ(entry, 2);
        ClickEntry(dialog, "\x96\xB3\x82\xB5", true);  // 無し
        EXPECT_EQ(DesktopWallpaper(), "");
        EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(""));
        EXPECT_EQ(Stored("LAST_NUM").bytes, Dword(2));
      },
  });
}

TEST_F(WallpaperDialogTest, OkAndEscSaveEveryOptionAndLeaveTheDesktopStyleAlone) {
  for (const bool esc : {false, true}) {
    WriteDesktopStyle(0, 0);
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
    EXPECT_EQ(Stored("CHANGE_TIME").bytes, Dword(42)) << esc;
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), 0xFFFFFFFFu) << esc;  // the icon text option
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper").bytes, Sz("0"));
    EXPECT_EQ(DesktopWallpaper(), "");
  }
}

TEST_F(WallpaperDialogTest, EachStylePlacesThePreviewAndAChangedOneIsAppliedOnClose) {
  // Red left, blue right; 102 x 76 in the area, centred at (45, 34).
  const std::string stored = Picture("halves", 512, 384, kRed, kBlue);
  const std::string other = Picture("other");
  SetText("LAST_FILE", stored);
  WriteDesktopStyle(0, 0);
  const struct {
    int style;
    COLORREF corner;  // at (5, 5) of the area
    COLORREF inside;  // at (60, 40)
    COLORREF right;   // at (150, 100)
  } table[] = {{0, kDesktop, kRed, kDesktop}, {1, kRed, kBlue, kRed}, {2, kRed, kRed, kBlue}};
  std::vector<Step> steps;
  for (const auto& row : table) {
    steps.push_back([row](HWND dialog) {
      PickStyle(dialog, row.style);
      EXPECT_EQ(PreviewPixel(dialog, 5, 5), row.corner) << row.style;
      EXPECT_EQ(PreviewPixel(dialog, 60, 40), row.inside) << row.style;
      EXPECT_EQ(PreviewPixel(dialog, 150, 100), row.right) << row.style;
    });
  }
  steps.push_back([](HWND dialog) {
    PickStyle(dialog, 1);
    ClickEntry(dialog, "other");  // previewed only
  });
  RunDialog(steps);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper").bytes, Sz("1"));
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle").bytes, Sz("0"));
  EXPECT_EQ(DesktopWallpaper(), stored);
  EXPECT_EQ(Stored("LAST_FILE").bytes, Sz(stored));
  // With no wallpaper set by the plug-in, the user's own stays; only the style is written.
  SetText("LAST_FILE", "");
  SetWallpaper(other.c_str());
  RunDialog({[](HWND dialog) { PickStyle(dialog, 2); }});
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle").bytes, Sz("2"));
  EXPECT_EQ(DesktopWallpaper(), other);
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

TEST_F(WallpaperDialogTest, AFileWithLyingHeadersShowsTheEmptyFrame) {
  Picture("good");
  std::vector<unsigned char> bad = MakeBmp24(512, 384, [](int, int) { return kRed; });
  bad[13] = 0x7F;  // the pixel offset lies far past the end
  WriteBytes(pictures_.File("bad.bmp"), bad);
  RunDialog({
      [](HWND dialog) { ClickEntry(dialog, "good"); },
      [&](HWND dialog) {
        // Repainting draws the picture read when it was chosen, under the title set then.
        DeleteFileA(pictures_.File("good.bmp").c_str());
        SetWindowTextA(dialog, "retitled");
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(WindowText(dialog), "retitled");
        ASSERT_EQ(PreviewPixel(dialog, 96, 72), kRed);
        ClickEntry(dialog, "bad");
        EXPECT_EQ(WindowText(dialog), pictures_.File("bad.bmp"));
        EXPECT_EQ(PreviewPixel(dialog, 96, 72), kDesktop);
        EXPECT_EQ(PreviewPixel(dialog, -1, 72), RGB(0, 0, 0));
      },
  });
}

TEST_F(WallpaperTest, AFileWhosePathDoesNotFitIsNotListed) {
  // The path with its terminator fills 260 bytes, or one more.
  const size_t room = 259 - pictures_.path().size() - 1;
  const std::string fits = std::string(room - 4, 'f') + ".bmp";
  const std::string over = std::string(room - 3, 'o') + ".bmp";
  WriteBytes(pictures_.File(fits), MakeBmp24(2, 2, [](int, int) { return 0; }));
  WriteBytes(pictures_.File(over), MakeBmp24(2, 2, [](int, int) { return 0; }));
  SetText("FOLDER_PATH", pictures_.path());
  const WallpaperState state;
  ASSERT_EQ(state.fileCount, 1u);
  EXPECT_EQ(std::string(state.files.At(0)), pictures_.File(fits));
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
