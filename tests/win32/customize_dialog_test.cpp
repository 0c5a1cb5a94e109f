#include "app/customize/customize_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/customize/background_page.h"
#include "app/customize/module_page.h"
#include "app/customize/plugin_page.h"
#include "app/plugins/plugin_host.h"
#include "app/window/clock_face.h"
#include "resources/resource_ids.h"
#include "tests/win32/decoded_picture.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/modal_timer.h"
#include "tests/win32/test_support.h"
#include "tools/orb_writer.h"

namespace {

constexpr int kBackgroundList = BackgroundPage::kListId;
constexpr int kClockList = ModulePage::kClockListId;
constexpr int kInfoList = ModulePage::kInfoListId;
constexpr int kClockConfig = ModulePage::kClockConfigId;
constexpr int kInfoConfig = ModulePage::kInfoConfigId;
constexpr int kPluginList = PluginPage::kListId;
constexpr int kCancel = CustomizeDialog::kCancelId;
constexpr int kAccept = CustomizeDialog::kAcceptId;
const COLORREF kPlum = RGB(0x88, 0x20, 0x60);

void SelectPage(HWND dialog, int number) {
  SendMessageA(dialog, CustomizeDialog::kSelectPageMessage, 0, number);
}

// Chooses a combo entry as a user would: the selection, then its notification.
void Choose(HWND dialog, int list, int entry) {
  SendMessageA(GetDlgItem(dialog, list), CB_SETCURSEL, entry, 0);
  Command(dialog, list, CBN_SELCHANGE);
}

std::string CellText(HWND list, int row, int column) {
  char text[300] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

void SetRowState(HWND list, int row, UINT mask, UINT state) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

COLORREF ClientPixel(HWND window, int x, int y) {
  const POINT at = ClientToScreenPoint(window, x, y);
  return ScreenPixel(at.x, at.y);
}

std::set<std::string> LoadedModules() {
  std::set<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
    names.insert(entry.szExePath);
  }
  CloseHandle(snapshot);
  return names;
}

// The test executable's folder is the program folder: its kelvane.ini and its
// background, clock, info and plug-in folders start empty and are removed after.
class CustomizeTest : public testing::Test {
 protected:
  void SetUp() override {
    RemoveAll();
    for (const char* folder : kFolders) CreateDirectoryA(Path(folder).c_str(), nullptr);
    ASSERT_EQ(face_.Attach(clock_.get()), 1);
  }

  void TearDown() override {
    plugins_.UnloadPlugins();
    face_.Clear();
    RemoveAll();
  }

  static std::string Path(const std::string& name) { return ExeDir() + "\\" + name; }
  static void Set(const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), Path("kelvane.ini").c_str());
  }
  static std::string Get(const char* section, const char* key) {
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA(section, key, "<absent>", value, MAX_PATH,
                             Path("kelvane.ini").c_str());
    return value;
  }
  // Copies the test DLL `fixture` into `folder` as `name`.
  static void Put(const std::string& fixture, const std::string& folder, const std::string& name) {
    CopyFileA(Path(fixture).c_str(), Path(folder + "\\" + name).c_str(), FALSE);
  }

  // Runs the dialog over the clock while `drive` acts on it from a thread of its
  // own, as a user would, and closes it; a dialog left open is cancelled.
  void Run(const std::function<void(HWND)>& drive, DWORD limitMs = 20000) {
    ModalWatchdog watchdog(limitMs);
    bool leftOpen = false;
    std::thread driver([&] {
      const HWND dialog = WaitForDialog(GetCurrentProcessId());
      if (dialog == nullptr) return;
      drive(dialog);
      if (IsWindowVisible(dialog)) {
        leftOpen = true;
        Command(dialog, kCancel);
      }
    });
    CustomizeDialog dialog;
    dialog.Run(clock_.get(), &face_, &plugins_);
    driver.join();
    EXPECT_FALSE(leftOpen) << "the dialog stayed open";
  }

  COLORREF Composed(int x, int y) const {
    GdiFlush();
    const DrawSurface& surface = face_.ComposeSurface();
    return Pixel555(surface.bits(), surface.stride(), x, y);
  }

  static constexpr const char* kFolders[] = {"background", "clock", "info", "plugin"};

  static void RemoveAll() {
    for (const char* folder : kFolders) {
      WIN32_FIND_DATAA found;
      HANDLE find = FindFirstFileA(Path(std::string(folder) + "\\*").c_str(), &found);
      if (find != INVALID_HANDLE_VALUE) {
        do {
          DeleteFileA(Path(std::string(folder) + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
      }
      RemoveDirectoryA(Path(folder).c_str());
    }
    DeleteFileA(Path("kelvane.ini").c_str());
  }

  CallLog log_;
  TestWindow clock_{300, 100, 200, 200, RGB(0, 0, 0)};
  ClockFace face_;
  PluginHost plugins_;
};

TEST_F(CustomizeTest, OpensTheSavedPageWithItsTabMarked) {
  const DecodedPicture skin(SkinResource(IDR_CUSTOMIZE_SKIN));
  ASSERT_TRUE(skin.valid());
  struct Case {
    const char* selection;
    int control;  // a control of the page that should show, or 0 for none
    int tab;      // its tab, 0 for none
  };
  for (const Case& c : {Case{nullptr, kBackgroundList, 1}, Case{"2", kClockList, 2},
                        Case{"3", kPluginList, 3}, Case{"0", 0, 0}}) {
    if (c.selection != nullptr) Set("CONFIG", "SELECTION", c.selection);
    std::vector<int> shown;
    std::vector<bool> enabled;
    std::vector<bool> highlighted;
    Run([&](HWND dialog) {
      for (int id : {kBackgroundList, kClockList, kPluginList}) {
        if (GetDlgItem(dialog, id) != nullptr) shown.push_back(id);
      }
      for (int tab = 1; tab <= 3; ++tab) {
        enabled.push_back(IsWindowEnabled(GetDlgItem(dialog, TabButtonId(tab))) != 0);
      }
      // The tabs' top bar (y 3 to 5 of a cell) is amber only where highlighted. The
      // buttons paint one after the other: the wait ends when all show what they should.
      WaitFor([&] {
        highlighted.clear();
        bool expected = true;
        for (int tab = 1; tab <= 3; ++tab) {
          const int x = tab == 1 ? 30 : tab == 2 ? 90 : 160;
          highlighted.push_back(ClientPixel(dialog, x, 24) == skin.At(x, 279));
          expected = expected && highlighted.back() == (tab == c.tab);
        }
        return c.tab == 0 || expected;
      });
      Command(dialog, kAccept);
    });
    const std::string what = c.selection != nullptr ? c.selection : "none";
    EXPECT_EQ(shown, c.control ? std::vector<int>{c.control} : std::vector<int>{}) << what;
    for (int tab = 1; tab <= 3; ++tab) {
      EXPECT_EQ(enabled[tab - 1], tab != c.tab) << what << " tab " << tab;
      // Without a page the header is not painted at all.
      if (c.tab != 0) {
        EXPECT_EQ(highlighted[tab - 1], tab == c.tab) << what << " tab " << tab;
      }
    }
  }
}

TEST_F(CustomizeTest, AWrongPageNumberShowsTheNoticeAndKeepsThePage) {
  bool noticeShown = false;
  bool pageKept = false;
  bool pageLeft = false;
  Run([&](HWND dialog) {
    PostMessageA(dialog, CustomizeDialog::kSelectPageMessage, 0, 7);
    HWND notice = nullptr;
    noticeShown = WaitFor([&] {
      notice = nullptr;
      while ((notice = FindWindowExA(nullptr, notice, "#32770", nullptr)) != nullptr) {
        if (notice != dialog && GetWindow(notice, GW_OWNER) == dialog) return true;
      }
      return false;
    });
    if (noticeShown) SendMessageA(notice, WM_COMMAND, 9902, 0);
    pageKept = WaitFor([&] { return IsWindowEnabled(dialog); }) &&
               GetDlgItem(dialog, kBackgroundList) != nullptr;
    SelectPage(dialog, 0);
    pageLeft = GetDlgItem(dialog, kBackgroundList) == nullptr;
    Command(dialog, kAccept);
  });
  EXPECT_TRUE(noticeShown);
  EXPECT_TRUE(pageKept);
  EXPECT_TRUE(pageLeft);
  EXPECT_EQ(Get("CONFIG", "SELECTION"), "1");
}

TEST_F(CustomizeTest, StandsBelowTheClockAndInsideTheWorkArea) {
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = 320 + 2 * GetSystemMetrics(SM_CXDLGFRAME);
  const int height = 240 + 2 * GetSystemMetrics(SM_CYDLGFRAME);
  struct Case {
    int clockX, clockY;
    int left, top;
  };
  for (const Case& c : {Case{300, 100, 300 + (200 - width) / 2, 100 + (200 - height) / 2 + 200},
                        Case{work.left, work.bottom - 200, work.left, work.bottom - height},
                        Case{work.right - 200, work.top, work.right - width,
                             work.top + (200 - height) / 2 + 200}}) {
    SetWindowPos(clock_.get(), nullptr, c.clockX, c.clockY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT rect{};
    Run([&](HWND dialog) {
      GetWindowRect(dialog, &rect);
      Command(dialog, kCancel);
    });
    EXPECT_EQ(rect.left, c.left) << c.clockX << "," << c.clockY;
    EXPECT_EQ(rect.top, c.top) << c.clockX << "," << c.clockY;
    EXPECT_EQ(rect.right - rect.left, width);
  }
}

TEST_F(CustomizeTest, BackgroundPageListsPicturesAndAppliesThePickAtOnce) {
  OrbPicture picture;
  ASSERT_TRUE(OrbPictureFromBmp(MakeBmp24(200, 200, [](int, int) { return kPlum; }), &picture));
  picture.title = "\x96\xe9\x96\xbe\x82\xaf";  // "夜明け"
  picture.author = "me";
  WriteBytes(Path("background\\a.orb"), BuildOrbFile(picture));
  picture.author.clear();
  WriteBytes(Path("background\\b.orb"), BuildOrbFile(picture));
  WriteBytes(Path("background\\c.bmp"), MakeBmp24(8, 8, [](int, int) { return kPlum; }));
  WriteBytes(Path("background\\d.orb"), {'O', 'R', 0, 0, 0xFF, 0xFF});
  // Photographs are listed after the orb files; "*.jpg" would also find g.jpgx.
  const BgraPicture teal = MakePicture(8, 8, [](int, int) { return RGB(0x40, 0x80, 0xC0); });
  WriteBytes(Path("background\\g.PNG"), EncodePicture(teal, PictureFileType::kPng));
  WriteBytes(Path("background\\g.jpgx"), EncodePicture(teal, PictureFileType::kPng));
  WriteBytes(Path("background\\h.jpeg"), EncodePicture(teal, PictureFileType::kJpeg));
  WriteBytes(Path("background\\i.Gif"), QuadrantsGif());
  // Trailers that point into the pixels or at the start: titles made of pixel bytes.
  std::vector<unsigned char> lying = BuildOrbFile(picture);
  std::copy(lying.begin() + 8, lying.begin() + 12, lying.begin() + 4);
  WriteBytes(Path("background\\e.orb"), lying);
  std::fill(lying.begin() + 4, lying.begin() + 8, 0);
  WriteBytes(Path("background\\f.orb"), lying);
  Set("BACKGROUND", "FILE", "C:\\old.bmp");
  std::vector<std::vector<std::string>> rows;
  COLORREF beforeClose = 0;
  COLORREF photo = 0;
  std::string fileWhileOpen;
  Run([&](HWND dialog) {
    const HWND list = GetDlgItem(dialog, kBackgroundList);
    for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
      rows.push_back({CellText(list, row, 0), CellText(list, row, 1), CellText(list, row, 2)});
    }
    for (size_t row = 0; row < rows.size(); ++row) {
      if (rows[row][2] != "g.PNG") continue;
      SetRowState(list, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
      photo = Composed(20, 20);
    }
    for (size_t row = 0; row < rows.size(); ++row) {
      if (rows[row][2] != "a.orb") continue;
      SetRowState(list, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
      // Only a new selection loads: a focus change reads the picture no more.
      WriteBytes(Path("background\\a.orb"), {'O', 'R'});
      SetRowState(list, static_cast<int>(row), LVIS_FOCUSED, LVIS_FOCUSED);
    }
    beforeClose = Composed(100, 20);
    fileWhileOpen = Get("BACKGROUND", "FILE");
    Command(dialog, TabButtonId(2));
    Command(dialog, kCancel);
  });
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"c.bmp", "N/A", "c.bmp"}));
  // The orb rows follow in the folder's order, then the photographs.
  std::multiset<std::vector<std::string>> orbRows(rows.begin() + 1, rows.begin() + 6);
  EXPECT_EQ(orbRows, (std::multiset<std::vector<std::string>>{
                         {"\x96\xe9\x96\xbe\x82\xaf", "me", "a.orb"},
                         {"\x96\xe9\x96\xbe\x82\xaf", "\x95\x73\x96\xbe", "b.orb"},
                         {"d.orb", "\x95\x73\x96\xbe", "d.orb"},
                         {"e.orb", "\x95\x73\x96\xbe", "e.orb"},
                         {"f.orb", "\x95\x73\x96\xbe", "f.orb"}}));
  EXPECT_EQ(
      std::multiset<std::vector<std::string>>(rows.begin() + 6, rows.end()),
      (std::multiset<std::vector<std::string>>{
          {"g.PNG", "N/A", "g.PNG"}, {"h.jpeg", "N/A", "h.jpeg"}, {"i.Gif", "N/A", "i.Gif"}}));
  EXPECT_EQ(photo, To555(RGB(0x40, 0x80, 0xC0)));
  EXPECT_EQ(beforeClose, To555(kPlum));
  EXPECT_EQ(fileWhileOpen, "C:\\old.bmp");
  EXPECT_EQ(Get("BACKGROUND", "FILE"), Path("background\\a.orb"));
  EXPECT_EQ(Get("BACKGROUND", "DIRECTORY"), "<absent>");  // nothing to empty, nothing written
}

TEST_F(CustomizeTest, ModulePagePreselectsTheSavedNameInAnyCaseAndLength) {
  const std::string longName = std::string(70, 'm') + ".dll";
  Put("Mirrick.dll", "info", "Mirrick.dll");
  Put("info_green.dll", "info", longName);
  Set("CONFIG", "SELECTION", "2");
  for (const auto& saved : {std::make_pair(std::string("MIRRICK.DLL"), std::string("Mirrick.dll")),
                            std::make_pair(longName, longName),
                            std::make_pair(std::string("gone.dll"), std::string())}) {
    Set("OBJECT", "MODULE_NAME2", saved.first);
    std::string preselected = "<not run>";
    Run([&](HWND dialog) {
      preselected = WindowText(dialog, kInfoList);
      Command(dialog, kCancel);
    });
    EXPECT_EQ(preselected, saved.second) << saved.first;
  }
}

TEST_F(CustomizeTest, ModulePageSwapsModulesAndSavesTheChoice) {
  Put("Mirrick.dll", "info", "Mirrick.dll");
  Put("info_green.dll", "info", "info_green.dll");
  Set("CONFIG", "SELECTION", "2");
  const std::string green = Path("info\\info_green.dll");
  COLORREF withGreen = 0;
  std::string savedPath, savedName;
  bool greenLoaded = false;
  Run([&](HWND dialog) {
    const HWND list = GetDlgItem(dialog, kInfoList);
    Choose(dialog, kInfoList,
           static_cast<int>(SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>("info_green.dll"))));
    withGreen = Composed(100, 50);
    savedPath = Get("OBJECT", "MODULE_PATH2");
    savedName = Get("OBJECT", "MODULE_NAME2");
    Choose(dialog, kInfoList, 0);
    greenLoaded = GetModuleHandleA(green.c_str()) != nullptr;
    Command(dialog, kCancel);
  });
  EXPECT_EQ(withGreen, To555(RGB(0, 255, 0)));
  EXPECT_EQ(savedPath, green);
  EXPECT_EQ(savedName, "info_green.dll");
  EXPECT_EQ(log_.Matching("Uninitialize").size(), 1u);
  EXPECT_FALSE(greenLoaded);
  EXPECT_EQ(face_.GetModule(2), nullptr);
  EXPECT_EQ(Get("OBJECT", "MODULE_PATH2"), "");
  EXPECT_EQ(Get("OBJECT", "MODULE_NAME2"), "");
}

TEST_F(CustomizeTest, ConfigButtonsOpenTheModulesSettings) {
  const DecodedPicture skin(SkinResource(IDR_CUSTOMIZE_SKIN));
  Put("clock_red.dll", "clock", "clock_red.dll");
  Put("info_green.dll", "info", "info_green.dll");
  Set("CONFIG", "SELECTION", "2");
  // A point where the disabled image (at x 280 in the skin) differs most from the
  // normal one (x 120): the normal one's label.
  POINT sample{};
  int most = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 70; ++x) {
      const COLORREF normal = skin.At(120 + x, 300 + y), blank = skin.At(280 + x, 300 + y);
      const int difference = std::abs(GetGValue(normal) - GetGValue(blank));
      if (difference > most) most = difference, sample = {x, y};
    }
  }
  ASSERT_GT(most, 64);
  bool blankWhileEmpty = false;
  bool enabledWhileEmpty = true;
  Run([&](HWND dialog) {
    enabledWhileEmpty = IsWindowEnabled(GetDlgItem(dialog, kClockConfig)) != 0;
    blankWhileEmpty = WaitFor([&] {
      return ClientPixel(dialog, 250 + sample.x, 80 + sample.y) ==
             skin.At(280 + sample.x, 300 + sample.y);
    });
    Choose(dialog, kClockList, 1);
    Choose(dialog, kInfoList, 1);
    Command(dialog, kClockConfig, BN_CLICKED);  // answers 1: settings changed
    Command(dialog, kInfoConfig, BN_CLICKED);   // answers 0
    Command(dialog, kCancel);
  });
  EXPECT_FALSE(enabledWhileEmpty);
  EXPECT_TRUE(blankWhileEmpty);
  std::vector<std::string> calls;
  for (const std::string& line : log_.Lines()) {
    if (line.find("Config") != std::string::npos || line.find("Reset") != std::string::npos) {
      calls.push_back(line);
    }
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"clock_red OpenConfig", "clock_red Reset",
                                             "info_green OpenConfig"}));
}

class PluginPageTest : public CustomizeTest {
 protected:
  void SetUp() override {
    CustomizeTest::SetUp();
    Put("plugin_good.dll", "plugin", "a.dll");
    Put("plugin_good.dll", "plugin", "b.dll");
    WriteBytes(Path("plugin\\enable.txt"), {'a', '.', 'd', 'l', 'l', ' ', 'b', '.', 'd', 'l', 'l'});
    plugins_.LoadPlugins();
    ASSERT_EQ(plugins_.count(), 2);
    Set("CONFIG", "SELECTION", "3");
    log_.Clear();
  }

  // Opens page 3, clears the box of `cleared` and leaves with CANCEL; the text of
  // the page's notice, if it shows one.
  std::string ClearAndCancel(const std::string& cleared) {
    std::string notice;
    Run([&](HWND dialog) {
      const HWND list = GetDlgItem(dialog, kPluginList);
      for (int row = 0; row < 2; ++row) {
        if (CellText(list, row, 0) == cleared) {
          SetRowState(list, row, LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
        }
      }
      notice = WindowText(dialog, PluginPage::kNoticeId);
      Command(dialog, kCancel);
    });
    return notice;
  }

  // What the plug-in logged as `name` (its file name without ".dll") was called for.
  std::vector<std::string> Events(const std::string& name) const {
    std::vector<std::string> events;
    for (const std::string& line : log_.Lines()) {
      if (line.rfind(name + " ", 0) == 0 && line.find("Notify") == std::string::npos) {
        events.push_back(line.substr(name.size() + 1));
      }
    }
    return events;
  }
};

TEST_F(PluginPageTest, LeavingRewritesTheEnableListAndRestartsThePlugins) {
  ClearAndCancel("a.dll");
  EXPECT_EQ(Events("a"), std::vector<std::string>{"Release"});
  EXPECT_EQ(Events("b"), (std::vector<std::string>{"Release", "Init"}));
  EXPECT_EQ(plugins_.count(), 1);
  EXPECT_EQ(ReadText(Path("plugin\\enable.txt")), "b.dll\r\n");
}

TEST_F(PluginPageTest, LeavingWritesOnlyAChangeAndKeepsTheLinesNamingNoDllOfTheFolder) {
  const std::string mine = "; mine\r\na.dll b.dll\r\nGone.DLL";
  WriteBytes(Path("plugin\\enable.txt"), std::vector<unsigned char>(mine.begin(), mine.end()));
  ClearAndCancel("");
  EXPECT_EQ(ReadText(Path("plugin\\enable.txt")), mine);
  EXPECT_EQ(Events("a"), (std::vector<std::string>{"Release", "Init"}));
  ClearAndCancel("a.dll");
  EXPECT_EQ(ReadText(Path("plugin\\enable.txt")), "; mine\r\nb.dll\r\nGone.DLL\r\n");
}

// Held open by a program that lets others write and delete it but not read it, the
// list could be replaced; it is not, and the page says why.
TEST_F(PluginPageTest, AnUnreadableEnableListStaysAndThePluginsKeepRunning) {
  HANDLE lock = CreateFileA(Path("plugin\\enable.txt").c_str(), GENERIC_READ,
                            FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_NE(ClearAndCancel("a.dll").find("enable.txt"), std::string::npos);
  CloseHandle(lock);
  EXPECT_EQ(Events("a"), std::vector<std::string>{});
  EXPECT_EQ(Events("b"), std::vector<std::string>{});
  EXPECT_EQ(plugins_.count(), 2);
  EXPECT_EQ(ReadText(Path("plugin\\enable.txt")), "a.dll b.dll");
  EXPECT_EQ(GetFileAttributesA(Path("plugin\\enable.txt.new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CustomizeTest, SwitchingPagesAndReopeningLeaksNothing) {
  Put("clock_red.dll", "clock", "clock_red.dll");
  Put("Mirrick.dll", "info", "Mirrick.dll");
  WriteBytes(Path("background\\c.bmp"), MakeBmp24(8, 8, [](int, int) { return kPlum; }));
  const auto cycle = [&](int switches) {
    Run(
        [&](HWND dialog) {
          for (int i = 0; i < switches; ++i) SelectPage(dialog, 1 + i % 3);
          Command(dialog, kCancel);
        },
        180000);
  };
  cycle(3);  // the first run makes what stays for the process's life (common controls)
  const int headroom = GdiHeadroom();
  const std::set<std::string> modules = LoadedModules();
  cycle(500);
  for (int i = 0; i < 100; ++i) cycle(1);
  // A few objects the system makes once may come late; a leak per cycle would show
  // as hundreds.
  EXPECT_LE(headroom - GdiHeadroom(), 8);
  EXPECT_EQ(LoadedModules(), modules);
}

}  // namespace
