#include "app/plugins/plugin_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/win/kernel_handle.h"
#include "tests/fixtures/test_plugin.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/modal_timer.h"
#include "tests/win32/test_support.h"

namespace {

static_assert(sizeof kLongInitCaption == 25 && sizeof kLongConfigCaption == 25,
              "the long captions are 24 bytes of code page 932 text");

// "<ExeDir>\plugin", where GetProgramDir leads the host: made empty for one test
// and removed after it, together with what an interrupted earlier run left.
class PluginFolder {
 public:
  PluginFolder() : path_(ExeDir() + "\\plugin") {
    Remove();
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~PluginFolder() { Remove(); }
  PluginFolder(const PluginFolder&) = delete;
  PluginFolder& operator=(const PluginFolder&) = delete;

  std::string File(const std::string& name) const { return path_ + "\\" + name; }

  // Copies the test DLL `fixture` into the folder as "<name>.dll".
  void Put(const std::string& fixture, const std::string& name) const {
    CopyFileA((ExeDir() + "\\" + fixture + ".dll").c_str(), File(name + ".dll").c_str(), FALSE);
  }

  void Enable(const std::string& text) const {
    WriteBytes(File("enable.txt"), std::vector<unsigned char>(text.begin(), text.end()));
  }

  // The DLLs' names without ".dll", in the order the folder listing gives them.
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(File("*.dll").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
  }

  // Enables one plug-in per fixture, named "a", "b", "c" ..., so that fixture i
  // stands at position i of the host's list, which runs against the listing.
  std::vector<std::string> Arrange(const std::vector<std::string>& fixtures) const {
    std::string enable;
    for (size_t i = 0; i < fixtures.size(); ++i) {
      const std::string name(1, static_cast<char>('a' + i));
      Put("plugin_good", name);
      enable += name + ".dll\r\n";
    }
    std::vector<std::string> order = Listing();
    std::reverse(order.begin(), order.end());
    for (size_t i = 0; i < fixtures.size(); ++i) Put(fixtures[i], order[i]);
    Enable(enable);
    return order;
  }

 private:
  void Remove() const {
    for (const std::string& name : Listing()) DeleteFileA(File(name + ".dll").c_str());
    DeleteFileA(File("enable.txt").c_str());
    RemoveDirectoryA(path_.c_str());
  }

  std::string path_;
};

// Called for every announced plug-in call (tests/fixtures/test_plugin.h).
std::function<void(PluginEvent, const std::string&)> g_onPluginCall;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPluginCalledMessage && g_onPluginCall) {
    g_onPluginCall(static_cast<PluginEvent>(wParam), reinterpret_cast<const char*>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Closes the failure message boxes from inside their modal loops: on each tick of
// a ModalTimer it calls `onTick` and closes the open box when that returns true.
class ModalDriver {
 public:
  explicit ModalDriver(std::function<bool()> onTick)
      : onTick_(std::move(onTick)), timer_([this] { OnTick(); }) {}

  // The texts of the boxes closed, in order.
  std::vector<std::string> texts;
  // Ticks that found no box, or more than one open (those are closed unread).
  int strayTicks = 0;

 private:
  // The IDOK posted here is taken before the next timer message, so every box is
  // closed exactly once.
  void OnTick() {
    const std::vector<HWND> boxes =
        FindDialogs(GetCurrentProcessId(), GetCurrentThreadId(), "error", false);
    if (boxes.size() != 1) {
      ++strayTicks;
      for (HWND box : boxes) PostMessageA(box, WM_COMMAND, IDOK, 0);
      return;
    }
    if (!onTick_()) return;
    texts.push_back(StaticText(boxes[0]));
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
  }

  std::function<bool()> onTick_;
  ModalTimer timer_;
};

std::string Failed(const std::string& caption) { return caption + "の通知に失敗しました。"; }

SYSTEMTIME At(int hour, int minute, int second) {
  return LocalTime(2026, 1, 1, hour, minute, second);
}

bool IsLoaded(const std::string& name) {
  return GetModuleHandleA((name + ".dll").c_str()) != nullptr;
}

// The items of a menu: "<id> <text>", or "-" for a separator.
std::vector<std::string> MenuItems(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) {
      items.push_back("-");
      continue;
    }
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
  }
  return items;
}

// The clock's popup as far as the host cares: its own items around the hide item.
class ClockMenu {
 public:
  ClockMenu() : menu_(CreatePopupMenu()) {
    AppendMenuA(menu_, MF_STRING, 40008, "customize");
    AppendMenuA(menu_, MF_STRING, 40009, "hide");
    AppendMenuA(menu_, MF_STRING, 40010, "close");
  }
  ~ClockMenu() { DestroyMenu(menu_); }
  ClockMenu(const ClockMenu&) = delete;
  ClockMenu& operator=(const ClockMenu&) = delete;

  HMENU get() const { return menu_; }

 private:
  HMENU menu_;
};

class PluginHostTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kPluginTestOwnerClass;
    RegisterClassA(&windowClass);
    owner_ = CreateWindowExA(0, kPluginTestOwnerClass, "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  }

  void TearDown() override {
    g_onPluginCall = nullptr;
    host_.UnloadPlugins();
    DestroyWindow(owner_);
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const PluginEntry* entry = host_.head(); entry != nullptr; entry = entry->next) {
      captions.push_back(entry->caption);
    }
    return captions;
  }

  void Notify(WORD hour, WORD minute, WORD second) {
    const SYSTEMTIME time = At(hour, minute, second);
    EXPECT_EQ(host_.NotifyTimeChange(&time), 1);
  }

  // Enables the fixtures in list order, loads them and passes the silent first tick.
  std::vector<std::string> Load(const std::vector<std::string>& fixtures, WORD hour = 10,
                                WORD minute = 0, WORD second = 0) {
    const std::vector<std::string> names = folder_.Arrange(fixtures);
    EXPECT_EQ(host_.LoadPlugins(), 1);
    Notify(hour, minute, second);
    log_.Clear();
    return names;
  }

  std::string OwnerText() const {
    return std::to_string(static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(owner_)));
  }

  CallLog log_;
  PluginFolder folder_;
  TimeChangeTracker tracker_;
  PluginHost host_{tracker_};
  HWND owner_ = nullptr;
};

using Lines = std::vector<std::string>;

TEST_F(PluginHostTest, ANameAnywhereInTheEnableListEnablesTheDllCaseSensitively) {
  folder_.Put("plugin_good", "wallpaper");
  folder_.Put("plugin_good", "paper");
  folder_.Put("plugin_good", "Other");
  folder_.Put("plugin_good", "ア");
  // "アB.dll": the trail byte of ア is an "A", but "AB.dll" does not start there.
  folder_.Put("plugin_good", "AB");
  folder_.Enable("wallpaper.dll\r\nother.dll\r\n\x83\x41\x42.dll\r\n");
  EXPECT_EQ(host_.LoadPlugins(), 1);
  std::vector<std::string> captions = Captions();
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (Lines{"paper", "wallpaper"}));
  EXPECT_EQ(host_.count(), 2);
  EXPECT_FALSE(IsLoaded("Other"));
  EXPECT_FALSE(IsLoaded("AB"));
}

TEST_F(PluginHostTest, TheListRunsFromTheLastLoadedToTheFirst) {
  folder_.Put("plugin_good", "a");
  folder_.Put("plugin_good", "b");
  folder_.Enable("a.dll b.dll");
  ASSERT_EQ(host_.LoadPlugins(), 1);
  const Lines listing = folder_.Listing();
  ASSERT_EQ(listing.size(), 2u);
  EXPECT_EQ(Captions(), (Lines{listing[1], listing[0]}));
  EXPECT_EQ(log_.Lines(), (Lines{listing[0] + " Init", listing[1] + " Init"}));
  EXPECT_EQ(host_.head()->prev, nullptr);
  EXPECT_EQ(host_.head()->next->prev, host_.head());
}

TEST_F(PluginHostTest, WithoutAnEnableListOrWithoutDllsNothingLoads) {
  folder_.Put("plugin_good", "a");
  EXPECT_EQ(host_.LoadPlugins(), 0);
  folder_.Enable("");
  EXPECT_EQ(host_.LoadPlugins(), 1);  // listed, nothing enabled
  EXPECT_EQ(host_.count(), 0);
  DeleteFileA(folder_.File("a.dll").c_str());
  folder_.Enable("a.dll");
  EXPECT_EQ(host_.LoadPlugins(), 0);
  EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(PluginHostTest, ADllWithoutExportsIsKeptWithAnEmptyCaption) {
  folder_.Put("bare_module", "bare");
  folder_.Enable("bare.dll");
  ASSERT_EQ(host_.LoadPlugins(), 1);
  EXPECT_EQ(Captions(), (Lines{""}));
  EXPECT_TRUE(IsLoaded("bare"));
  host_.UnloadPlugins();
  EXPECT_FALSE(IsLoaded("bare"));
}

TEST_F(PluginHostTest, APlugInWhoseInitRefusesIsFreedWithoutRelease) {
  const Lines names = folder_.Arrange({"plugin_refuses", "plugin_good"});
  ASSERT_EQ(host_.LoadPlugins(), 1);
  EXPECT_EQ(Captions(), (Lines{names[1]}));
  EXPECT_EQ(host_.count(), 1);
  EXPECT_FALSE(IsLoaded(names[0]));
  EXPECT_EQ(log_.Matching("Init").size(), 2u);
  EXPECT_TRUE(log_.Matching("Release").empty());
}

TEST_F(PluginHostTest, AnInitCaptionOf24BytesIsKeptWhole) {
  Load({"plugin_long_caption"});
  EXPECT_EQ(Captions(), (Lines{kLongInitCaption}));
}

TEST_F(PluginHostTest, AReloadReleasesEveryPlugInThenInitsTheEnabledOnes) {
  const Lines names = Load({"plugin_good", "plugin_good"});
  host_.UnloadPlugins();
  EXPECT_EQ(host_.count(), 0);
  EXPECT_EQ(host_.head(), nullptr);
  EXPECT_FALSE(IsLoaded(names[0]));
  EXPECT_FALSE(IsLoaded(names[1]));
  ASSERT_EQ(host_.LoadPlugins(), 1);
  EXPECT_EQ(log_.Lines(), (Lines{names[0] + " Release", names[1] + " Release", names[1] + " Init",
                                 names[0] + " Init"}));
  EXPECT_EQ(Captions(), names);
}

TEST_F(PluginHostTest, EachPlugInGetsAnItemInListOrderThenASeparatorAboveHide) {
  const Lines names = Load({"plugin_good", "plugin_good"});
  ClockMenu menu;
  host_.AddMenuItems(menu.get());
  EXPECT_EQ(MenuItems(menu.get()), (Lines{"40008 customize", "0 " + names[0], "1 " + names[1], "-",
                                          "40009 hide", "40010 close"}));
}

TEST_F(PluginHostTest, WithoutPlugInsTheMenuStaysAsItWas) {
  ClockMenu menu;
  host_.AddMenuItems(menu.get());
  EXPECT_EQ(MenuItems(menu.get()), (Lines{"40008 customize", "40009 hide", "40010 close"}));
}

TEST_F(PluginHostTest, PickingAnItemOpensThatPlugInsSettingsAndItsNewCaptionShowsNextTime) {
  const Lines names = Load({"plugin_good", "plugin_good"});
  {
    ClockMenu menu;
    host_.AddMenuItems(menu.get());
  }
  host_.RouteCommand(owner_, 1);
  EXPECT_EQ(log_.Lines(), (Lines{names[1] + " OpenConfig " + OwnerText()}));
  host_.RouteCommand(owner_, 2);
  host_.RouteCommand(owner_, 40003);
  EXPECT_EQ(log_.Lines().size(), 1u);  // ids without an item are ignored
  ClockMenu menu;
  host_.AddMenuItems(menu.get());
  EXPECT_EQ(MenuItems(menu.get())[2], "1 " + names[1] + " set");
  EXPECT_EQ(MenuItems(menu.get())[1], "0 " + names[0]);
}

TEST_F(PluginHostTest, CommandsReachOnlyPlugInsOfTheMenuBuiltLast) {
  Load({"plugin_good"});
  host_.RouteCommand(owner_, 0);
  EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(PluginHostTest, TheOpenConfigBufferReplacesTheCaptionEvenEmptyOrUnterminated) {
  const Lines names = Load({"plugin_empty_config", "plugin_long_caption", "bare_module"});
  ClockMenu menu;
  host_.AddMenuItems(menu.get());
  host_.RouteCommand(owner_, 0);
  host_.RouteCommand(owner_, 1);
  host_.RouteCommand(owner_, 2);  // no OpenConfig: nothing happens
  EXPECT_EQ(Captions(), (Lines{"", kLongConfigCaption, ""}));
}

TEST_F(PluginHostTest, TheFirstTimeOnlyRemembersAndEachNewSecondNotifies) {
  folder_.Arrange({"plugin_good"});
  ASSERT_EQ(host_.LoadPlugins(), 1);
  log_.Clear();
  Notify(10, 0, 0);
  EXPECT_TRUE(log_.Lines().empty());
  Notify(10, 0, 1);
  Notify(10, 0, 1);
  EXPECT_EQ(log_.Lines(), (Lines{"a NotifySec 10:00:01"}));
}

TEST_F(PluginHostTest, AtTheTurnOfTheHourSecondMinuteAndHourComeInThatOrder) {
  const Lines names = Load({"plugin_good", "plugin_good"}, 10, 59, 59);
  Notify(11, 0, 0);
  Lines expected;
  for (const std::string& name : names) {
    for (const char* event : {" NotifySec", " NotifyMin", " NotifyHour"}) {
      expected.push_back(name + event + " 11:00:00");
    }
  }
  EXPECT_EQ(log_.Lines(), expected);
}

TEST_F(PluginHostTest, WholeMinutesApartNothingIsNotifiedAndTheMinuteStaysOld) {
  Load({"plugin_good"}, 10, 0, 5);
  Notify(10, 3, 5);
  EXPECT_TRUE(log_.Lines().empty());
  Notify(10, 3, 6);  // the minute is compared with 00, the last one stored
  EXPECT_EQ(log_.Lines(), (Lines{"a NotifySec 10:03:06", "a NotifyMin 10:03:06"}));
}

TEST_F(PluginHostTest, AFailingPlugInIsUnloadedBeforeItsMessageWhileTheOthersAreNotified) {
  const Lines names = Load({"plugin_good", "plugin_fails_second", "plugin_good"}, 10, 0, 59);
  const std::string failing = names[1];
  bool unloadedWhileShown = false;
  Lines captionsWhileShown;
  ModalDriver driver([&] {
    unloadedWhileShown = !IsLoaded(failing);
    captionsWhileShown = Captions();
    return true;
  });
  Notify(10, 1, 0);
  EXPECT_EQ(driver.texts, (Lines{Failed(failing)}));
  EXPECT_TRUE(unloadedWhileShown);
  EXPECT_EQ(captionsWhileShown, (Lines{names[0], names[2]}));
  EXPECT_EQ(log_.Lines(), (Lines{names[0] + " NotifySec 10:01:00", names[0] + " NotifyMin 10:01:00",
                                 failing + " NotifySec 10:01:00", failing + " NotifyMin 10:01:00",
                                 names[2] + " NotifySec 10:01:00", names[2] + " NotifyMin 10:01:00",
                                 failing + " Release"}));
  log_.Clear();
  Notify(10, 1, 1);
  EXPECT_EQ(log_.Matching("NotifySec").size(), 2u);
  EXPECT_EQ(driver.texts.size(), 1u);
}

TEST_F(PluginHostTest, TicksDuringAFailureBoxSkipTheFailedAndShowOneBoxAtATime) {
  const Lines names = Load({"plugin_fails_second", "plugin_good", "plugin_fails_second"});
  WORD second = 1;
  Lines loadedWhileShown;
  ModalDriver driver([&] {
    loadedWhileShown.push_back(std::to_string(host_.count()));
    if (second >= 3) return true;
    Notify(10, 0, ++second);
    return false;
  });
  Notify(10, 0, 1);
  EXPECT_EQ(driver.strayTicks, 0);
  EXPECT_EQ(driver.texts, (Lines{Failed(names[0]), Failed(names[2])}));
  EXPECT_EQ(Captions(), (Lines{names[1]}));
  EXPECT_FALSE(IsLoaded(names[0]));
  EXPECT_FALSE(IsLoaded(names[2]));
  // The failed plug-in waiting for its box got no further call.
  EXPECT_EQ(log_.Matching("NotifySec"),
            (Lines{names[0] + " NotifySec 10:00:01", names[1] + " NotifySec 10:00:01",
                   names[2] + " NotifySec 10:00:01", names[1] + " NotifySec 10:00:02",
                   names[1] + " NotifySec 10:00:03"}));
  EXPECT_EQ(log_.Matching("Release"), (Lines{names[0] + " Release", names[2] + " Release"}));
  EXPECT_EQ(loadedWhileShown.front(), "2");
  EXPECT_EQ(loadedWhileShown.back(), "1");
}

TEST_F(PluginHostTest, AReloadDuringAFailureBoxLeavesNoStaleEntry) {
  const Lines names = Load({"plugin_fails_second", "plugin_good", "plugin_fails_second"});
  bool reloaded = false;
  ModalDriver driver([&] {
    if (reloaded) return true;
    reloaded = true;
    host_.UnloadPlugins();
    host_.LoadPlugins();
    Notify(10, 0, 2);
    return true;
  });
  Notify(10, 0, 1);
  EXPECT_EQ(driver.strayTicks, 0);
  // The first box's plug-in, then both again after the reload; the second failure
  // of the first pass was unloaded by the reload and needs no box of its own.
  EXPECT_EQ(driver.texts, (Lines{Failed(names[0]), Failed(names[0]), Failed(names[2])}));
  EXPECT_EQ(Captions(), (Lines{names[1]}));
  EXPECT_EQ(host_.count(), 1);
  EXPECT_EQ(log_.Matching("Release").size(), 5u);
}

// The reload leaves the middle plug-in out, so its DLL must stay mapped until its
// call has returned; the others come back as new entries, which this pass skips.
TEST_F(PluginHostTest, APlugInUnloadedDuringItsOwnNotificationGetsNoFurtherCall) {
  const Lines names = Load({"plugin_good", "plugin_long_caption", "plugin_good"}, 10, 59, 59);
  const std::string middle = names[1];
  bool reloaded = false;
  g_onPluginCall = [&](PluginEvent event, const std::string& name) {
    if (event != kPluginNotifySec || name != middle || reloaded) return;
    reloaded = true;
    folder_.Enable(names[0] + ".dll " + names[2] + ".dll");
    host_.UnloadPlugins();
    host_.LoadPlugins();
  };
  Notify(11, 0, 0);
  EXPECT_TRUE(reloaded);
  EXPECT_FALSE(IsLoaded(middle));
  EXPECT_EQ(log_.Matching("Notify"),
            (Lines{names[0] + " NotifySec 11:00:00", names[0] + " NotifyMin 11:00:00",
                   names[0] + " NotifyHour 11:00:00", middle + " NotifySec 11:00:00"}));
  EXPECT_EQ(Captions(), (Lines{names[0], names[2]}));
}

// The picked plug-in's DLL is another build than the one that stays enabled, so
// that returning into freed code could not run the same code by chance.
TEST_F(PluginHostTest, AReloadDuringOpenConfigWritesNoCaptionIntoTheOldEntry) {
  const Lines names = Load({"plugin_good", "plugin_empty_config"});
  g_onPluginCall = [&](PluginEvent event, const std::string&) {
    if (event != kPluginOpenConfig) return;
    folder_.Enable(names[1] + ".dll");
    host_.UnloadPlugins();
    host_.LoadPlugins();
  };
  ClockMenu menu;
  host_.AddMenuItems(menu.get());
  host_.RouteCommand(owner_, 0);
  EXPECT_FALSE(IsLoaded(names[0]));
  EXPECT_EQ(Captions(), (Lines{names[1]}));
  EXPECT_EQ(log_.Matching("OpenConfig").size(), 1u);
}

}  // namespace

namespace {

TEST_F(PluginHostTest, TheEnableListIsReadWhileAnotherProgramHoldsItOpen) {
  folder_.Arrange({"plugin_good"});
  KernelHandle editor(CreateFileA(folder_.File("enable.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_NE(editor.get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(host_.LoadPlugins(), 1);
  EXPECT_EQ(host_.count(), 1);
}

// A plug-in's modal loop can run a newer tick; the older pass then stops, so no
// plug-in hears time go backwards.
TEST_F(PluginHostTest, APassResumingAfterANewerNestedPassDeliversNoOlderTime) {
  const Lines names = Load({"plugin_good", "plugin_good", "plugin_good"});
  bool nested = false;
  g_onPluginCall = [&](PluginEvent event, const std::string& name) {
    if (event != kPluginNotifySec || name != names[0] || nested) return;
    nested = true;
    Notify(10, 0, 3);
  };
  Notify(10, 0, 1);
  EXPECT_EQ(log_.Matching("Notify"),
            (Lines{names[0] + " NotifySec 10:00:01", names[0] + " NotifySec 10:00:03",
                   names[1] + " NotifySec 10:00:03", names[2] + " NotifySec 10:00:03"}));
}

}  // namespace
