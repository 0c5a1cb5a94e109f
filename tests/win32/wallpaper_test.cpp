#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/win/loaded_library.h"
#include "base/win/registry_key.h"
#include "plugins/wallpaper/desktop.h"
#include "plugins/wallpaper/wallpaper_settings.h"
#include "plugins/wallpaper/wallpaper_state.h"
#include "tests/win32/modal_timer.h"
#include "tests/win32/test_support.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kCaption[] = "壁紙ツール(&W)";
constexpr char kDialogTitle[] = "壁紙の変更";

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

// The real wallpaper.dll, loaded (which builds its state) and released again.
class WallpaperDll {
 public:
  WallpaperDll() : module_(LoadLibraryA((ExeDir() + "\\wallpaper.dll").c_str())) {}
  ~WallpaperDll() {
    if (auto release = Export<int(__cdecl*)()>("Release")) release();
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
    EXPECT_EQ(Export<int(__cdecl*)(const SYSTEMTIME*)>("NotifyTimeChangeMin")(&now), 1);
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
  EXPECT_EQ(dll.Export<int(__cdecl*)(char*)>("Init")(initBuffer), 1);
  EXPECT_STREQ(initBuffer, kCaption);
  EXPECT_EQ(std::strlen(initBuffer), 14u);

  // OpenConfig shows dialog 101 modally over the owner; Esc closes it.
  TestWindow owner(0, 0, 10, 10, RGB(0, 0, 0));
  HWND dialogOwner = nullptr;
  int controls = 0;
  const ModalWatchdog watchdog;
  const ModalTimer timer([&] {
    for (HWND dialog : ThreadWindows("#32770", kDialogTitle)) {
      dialogOwner = GetWindow(dialog, GW_OWNER);
      controls = 0;
      for (int id = 1000; id <= 1006; ++id) controls += GetDlgItem(dialog, id) != nullptr;
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  });
  char configBuffer[24] = {};
  EXPECT_EQ(dll.Export<int(__cdecl*)(HWND, char*)>("OpenConfig")(owner.get(), configBuffer), 1);
  EXPECT_STREQ(configBuffer, kCaption);
  EXPECT_EQ(dialogOwner, owner.get());
  EXPECT_EQ(controls, 7);
  EXPECT_TRUE(ThreadWindows("#32770", kDialogTitle).empty());
}

TEST_F(WallpaperTest, TheDialogAlsoClosesWithOk) {
  WallpaperDll dll;
  bool clicked = false;
  const ModalWatchdog watchdog;
  const ModalTimer timer([&] {
    for (HWND dialog : ThreadWindows("#32770", kDialogTitle)) {
      clicked = true;
      SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    }
  });
  char buffer[24] = {};
  EXPECT_EQ(dll.Export<int(__cdecl*)(HWND, char*)>("OpenConfig")(nullptr, buffer), 1);
  EXPECT_TRUE(clicked);
}

TEST_F(WallpaperTest, AMissingKeyIsCreatedEmptyAndNothingChanges) {
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

TEST(MakeIconTextTransparent, SetsTheDesktopColourToNoColour) {
  const INT element = COLOR_BACKGROUND;
  const COLORREF saved = GetSysColor(COLOR_BACKGROUND);
  MakeIconTextTransparent();
  const COLORREF set = GetSysColor(COLOR_BACKGROUND);
  SetSysColors(1, &element, &saved);
  EXPECT_EQ(set, 0xFFFFFFFFu) << std::hex << set;
}

}  // namespace
