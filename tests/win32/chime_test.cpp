#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/win/loaded_library.h"
#include "base/win/registry_key.h"
#include "plugins/chime/chime_ids.h"
#include "plugins/chime/chime_plugin.h"
#include "plugins/chime/chime_settings.h"
#include "plugins/chime/sound_player.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/modal_timer.h"
#include "tests/win32/test_support.h"

namespace {

constexpr char kRinging[] = "アラーム";
constexpr char kMissed[] = "鳴らなかったアラーム";
constexpr char kSettings[] = "時報とアラーム";
constexpr char kEditor[] = "アラームの設定";

// What the plug-in asked to play, one line a call: "once chime", "loop bell", "stop".
class RecordingPlayer : public SoundPlayer {
 public:
  void Play(const Sound& sound, bool repeat) override {
    const char* kinds[] = {"chime", "bell", "file "};
    calls.push_back(std::string(repeat ? "loop " : "once ") + kinds[static_cast<int>(sound.kind)] +
                    sound.file);
  }
  void Stop() override { calls.push_back("stop"); }

  std::vector<std::string> calls;
};

// 8 January 2024 is a Monday.
SYSTEMTIME At(int hour, int minute, int second, int day = 8) {
  return LocalTime(2024, 1, day, hour, minute, second);
}

void SetNumber(const char* name, DWORD value) {
  RegistryKey::Create(HKEY_CURRENT_USER, kChimeKey).WriteNumber(name, value);
}

// Every value of the plug-in's key as name and bytes; "<no key>" when it is missing.
std::map<std::string, std::string> StoredValues() {
  const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kChimeKey, KEY_READ);
  if (key.get() == nullptr) return {{"<no key>", ""}};
  std::map<std::string, std::string> values;
  char name[64], data[300];
  DWORD nameSize = sizeof name, dataSize = sizeof data;
  for (DWORD i = 0; RegEnumValueA(key.get(), i, name, &nameSize, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(data), &dataSize) == ERROR_SUCCESS;
       ++i, nameSize = sizeof name, dataSize = sizeof data) {
    values[name] = std::string(data, dataSize);
  }
  return values;
}

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

HWND Shown(const char* title) {
  for (HWND window : FindDialogs(GetCurrentProcessId(), GetCurrentThreadId(), title, false)) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) return window;
  }
  return nullptr;
}

void Click(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// One action on the window titled `title`, taken once it is shown.
struct Step {
  const char* title;
  std::function<void(HWND)> act;
};

// The plug-in built with the test's resources and a recording player, on a key
// that starts missing.
class ChimeTest : public testing::Test {
 protected:
  void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kChimeKey); }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kChimeKey); }

  ChimePlugin& Plugin() {
    if (!plugin_) plugin_ = std::make_unique<ChimePlugin>(GetModuleHandleA(nullptr), player_);
    return *plugin_;
  }

  // Opens the settings (by `open`, or through the plug-in object) and runs one
  // step per timer tick inside their modal loops; every step must have run when
  // they close.
  void RunDialog(const std::vector<Step>& steps, const std::function<void()>& open = {}) {
    size_t done = 0;
    const ModalWatchdog watchdog;
    const ModalTimer timer([&] {
      if (done >= steps.size()) return;
      if (HWND window = Shown(steps[done].title)) steps[done++].act(window);
    });
    if (open) {
      open();
    } else {
      Plugin().OpenConfig(nullptr);
    }
    EXPECT_EQ(done, steps.size());
  }

  RecordingPlayer player_;
  std::unique_ptr<ChimePlugin> plugin_;
};

TEST_F(ChimeTest, TheChimeSoundsOnTheHourOnlyOutsideQuietHoursAndNeverOverAnAlarm) {
  SetNumber("CHIME", 1);
  SetNumber("ALARM_COUNT", 1);
  SetNumber("ALARM_1_TIME", 800);
  const struct {
    SYSTEMTIME time;
    std::vector<std::string> calls;
  } rows[] = {
      {At(13, 59, 59), {}}, {At(14, 0, 0), {"once chime"}},   {At(14, 0, 1), {}},
      {At(23, 0, 0), {}},   {At(7, 0, 0, 9), {"once chime"}}, {At(8, 0, 0, 9), {"loop bell"}},
      {At(9, 0, 0, 9), {}},  // the alarm still rings
  };
  for (const auto& row : rows) {
    player_.calls.clear();
    Plugin().OnSecond(row.time);
    EXPECT_EQ(player_.calls, row.calls) << row.time.wHour << ":" << row.time.wSecond;
  }
}

TEST_F(ChimeTest, AnAlarmShowsItsWindowOnItsSecondStopsAndSnoozesFiveMinutes) {
  SetNumber("ALARM_COUNT", 1);
  SetNumber("ALARM_1_TIME", 730);
  RegistryKey::Create(HKEY_CURRENT_USER, kChimeKey).WriteString("ALARM_1_LABEL", "起床");
  TestWindow clock(300, 200, 200, 200, RGB(0, 0, 0));
  Plugin().OnSecond(At(7, 29, 59));
  EXPECT_EQ(Shown(kRinging), nullptr);
  for (const int button : {IDC_SNOOZE, IDC_STOP}) {
    Plugin().OnSecond(button == IDC_SNOOZE ? At(7, 30, 0) : At(7, 35, 0));
    HWND window = Shown(kRinging);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window, IDC_RING_LABEL), "起床");
    EXPECT_EQ(WindowText(window, IDC_RING_TIME), "07:30");
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 404);  // just below the clock
    EXPECT_EQ(player_.calls, (std::vector<std::string>{"loop bell"}));
    player_.calls.clear();
    Command(window, button, BN_CLICKED);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(player_.calls, (std::vector<std::string>{"stop"}));
    player_.calls.clear();
    Plugin().OnSecond(button == IDC_SNOOZE ? At(7, 34, 59) : At(7, 40, 0));
    EXPECT_EQ(Shown(kRinging), nullptr);
  }
}

TEST_F(ChimeTest, AnAlarmFoundLateAfterSleepIsShownOnceAsMissedWithoutSound) {
  SetNumber("ALARM_COUNT", 2);
  SetNumber("ALARM_1_TIME", 630);
  SetNumber("ALARM_2_TIME", 645);
  Plugin().OnSecond(At(6, 0, 0));
  Plugin().OnSecond(At(6, 50, 0));
  ASSERT_EQ(FindDialogs(GetCurrentProcessId(), GetCurrentThreadId(), kMissed, false).size(), 1u);
  HWND missed = Shown(kMissed);
  EXPECT_EQ(WindowText(missed, IDC_RING_TIME), "1月8日 06:30");
  EXPECT_EQ(player_.calls, (std::vector<std::string>{"loop bell"}));  // 06:45 rings
  Command(missed, IDC_STOP, BN_CLICKED);
  EXPECT_EQ(player_.calls.size(), 1u);
  Plugin().Close();
  EXPECT_EQ(Shown(kRinging), nullptr);
  EXPECT_EQ(player_.calls.back(), "stop");
}

TEST_F(ChimeTest, BadValuesReadAsDefaultsAndOkWithoutAChangeWritesNothing) {
  SetNumber("CHIME", 3);
  SetNumber("QUIET_FROM", 2360);
  SetNumber("ALARM_COUNT", 1);
  SetNumber("ALARM_1_DAYS", 0);  // once, but with no date
  const std::map<std::string, std::string> stored = StoredValues();
  const ChimeSettings& settings = Plugin().schedule().settings();
  EXPECT_EQ(settings.mode, ChimeMode::kOff);
  EXPECT_EQ(settings.quietFrom, 23 * 60);
  EXPECT_EQ(settings.alarms.at(0).days, kEveryDay);
  RunDialog({{kSettings, [](HWND dialog) { Click(dialog, IDOK); }}});
  EXPECT_EQ(StoredValues(), stored);
  RegDeleteKeyA(HKEY_CURRENT_USER, kChimeKey);
  RunDialog({{kSettings, [](HWND dialog) { Click(dialog, IDOK); }}});
  EXPECT_EQ(StoredValues(), (std::map<std::string, std::string>{{"<no key>", ""}}));
}

TEST_F(ChimeTest, TheDialogWritesWhatChangedAndOnlyThat) {
  const SYSTEMTIME half = At(7, 30, 0);
  Plugin().OnSecond(At(6, 0, 0));
  RunDialog({
      {kSettings,
       [](HWND dialog) {
         SendDlgItemMessageA(dialog, IDC_CHIME_MODE, CB_SETCURSEL, 2, 0);
         Click(dialog, IDC_CHIME_TEST);
         Click(dialog, IDC_ADD_ALARM);
       }},
      {kEditor,
       [&](HWND editor) {
         SendDlgItemMessageA(editor, IDC_ALARM_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                             reinterpret_cast<LPARAM>(&half));
         CheckDlgButton(editor, IDC_FIRST_DAY, BST_UNCHECKED);  // Sunday off
         SetDlgItemTextA(editor, IDC_ALARM_LABEL, "起床");
         Click(editor, IDOK);
       }},
      {kSettings,
       [](HWND dialog) {
         EXPECT_EQ(WindowText(dialog, IDC_NEXT_ALARM), "次のアラーム: 1月8日(月) 07:30 起床");
         Click(dialog, IDOK);
       }},
  });
  EXPECT_EQ(player_.calls, (std::vector<std::string>{"once chime"}));
  EXPECT_EQ(StoredValues(), (std::map<std::string, std::string>{
                                {"CHIME", Dword(2)},
                                {"ALARM_COUNT", Dword(1)},
                                {"ALARM_1_ENABLED", Dword(1)},
                                {"ALARM_1_TIME", Dword(730)},
                                {"ALARM_1_DAYS", Dword(0x7E)},
                                {"ALARM_1_DATE", Dword(19700101)},
                                {"ALARM_1_LABEL", Sz("起床")},
                                {"ALARM_1_SOUND", Dword(1)},
                                {"ALARM_1_FILE", Sz("")},
                            }));
  EXPECT_EQ(Plugin().schedule().settings().alarms.size(), 1u);

  // Unticked in the list: one value; deleted: the count, and the alarm's values go.
  RegDeleteValueA(RegistryKey::Open(HKEY_CURRENT_USER, kChimeKey, KEY_SET_VALUE).get(), "CHIME");
  const auto untick = [](HWND dialog) {
    ListView_SetCheckState(GetDlgItem(dialog, IDC_ALARM_LIST), 0, FALSE);
    Click(dialog, IDOK);
  };
  RunDialog({{kSettings, untick}});
  EXPECT_EQ(StoredValues().at("ALARM_1_ENABLED"), Dword(0));
  EXPECT_EQ(StoredValues().count("CHIME"), 0u);
  RunDialog({{kSettings, [](HWND dialog) {
                ListView_SetItemState(GetDlgItem(dialog, IDC_ALARM_LIST), 0, LVIS_SELECTED,
                                      LVIS_SELECTED);
                Click(dialog, IDC_DELETE_ALARM);
                Click(dialog, IDOK);
              }}});
  EXPECT_EQ(StoredValues(), (std::map<std::string, std::string>{{"ALARM_COUNT", Dword(0)}}));
}

// The real DLL: its exports, caption and sounds. Released while its dialog is
// open (as a reload of the plug-ins does), it closes its alarm window at once and
// frees itself once the dialog has closed; nothing is written meanwhile.
TEST_F(ChimeTest, TheDllExportsTheContractAndReleaseClosesItsAlarmWindow) {
  SetNumber("ALARM_COUNT", 1);
  SetNumber("ALARM_1_TIME", 730);
  const std::map<std::string, std::string> stored = StoredValues();
  LoadedLibrary dll(LoadLibraryA((ExeDir() + "\\chime.dll").c_str()));
  ASSERT_NE(dll.get(), nullptr);
  EXPECT_EQ(dll.Export<void*>("NotifyTimeChangeMin"), nullptr);
  EXPECT_EQ(dll.Export<void*>("NotifyTimeChangeHour"), nullptr);
  for (const int id : {IDW_CHIME, IDW_ALARM}) {
    HRSRC wave = FindResourceA(dll.get(), MAKEINTRESOURCEA(id), "WAVE");
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(LoadResource(dll.get(), wave))), 4),
              "RIFF");
  }
  char caption[25] = {};
  ASSERT_EQ(dll.Export<int(__cdecl*)(char*)>("Init")(caption), 1);
  EXPECT_STREQ(caption, "時報とアラーム(&A)");
  const SYSTEMTIME due = At(7, 30, 0);
  EXPECT_EQ(dll.Export<int(__cdecl*)(const SYSTEMTIME*)>("NotifyTimeChangeSec")(&due), 1);
  HWND window = Shown(kRinging);
  EXPECT_NE(window, nullptr);
  RunDialog({{kSettings,
              [&](HWND dialog) {
                EXPECT_EQ(dll.Export<int(__cdecl*)()>("Release")(), 1);
                EXPECT_FALSE(IsWindow(window));
                Click(dialog, IDOK);
              }}},
            [&] { dll.Export<int(__cdecl*)(HWND, char*)>("OpenConfig")(nullptr, caption); });
  EXPECT_EQ(StoredValues(), stored);
}

}  // namespace
