#include <windows.h>
// After windows.h, whose types it uses.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "app/window/clock_program.h"
#include "app/window/clock_window.h"
#include "tests/win32/test_support.h"

namespace {

SYSTEMTIME g_now;

void WINAPI TestTime(LPSYSTEMTIME now) { *now = g_now; }

SYSTEMTIME At(int hour, int minute, int second, int millisecond) {
  return LocalTime(2026, 12, 9, hour, minute, second, millisecond);
}

// The clock window procedure in this process on a time the test sets, with
// clock_red (which logs each face's second) and plugin_good (which logs each
// notification) loaded from the plug-in folder beside the test.
class ClockTickTest : public testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(plugins_.c_str(), nullptr);
    CopyFileA((ExeDir() + "\\plugin_good.dll").c_str(), (plugins_ + "\\plugin_good.dll").c_str(),
              FALSE);
    WriteBytes(plugins_ + "\\enable.txt",
               {'p', 'l', 'u', 'g', 'i', 'n', '_', 'g', 'o', 'o', 'd', '.', 'd', 'l', 'l'});
    RegisterClockWindowClass(GetModuleHandleA(nullptr));
    program_.window = CreateWindowExA(WS_EX_TOOLWINDOW, kClockName, "tick test", WS_POPUP, 400, 300,
                                      200, 200, nullptr, nullptr, nullptr, nullptr);
    BindClockWindow(program_.window, &program_);
    program_.readTime = TestTime;
    program_.face.Attach(program_.window);
    program_.face.SetModule(ClockFace::kClockSlot,
                            LoadLibraryA((ExeDir() + "\\clock_red.dll").c_str()));
    program_.plugins.LoadPlugins();
  }

  void TearDown() override {
    DestroyWindow(program_.window);
    program_.plugins.UnloadPlugins();
    program_.face.Clear();
    DeleteFileA((plugins_ + "\\plugin_good.dll").c_str());
    DeleteFileA((plugins_ + "\\enable.txt").c_str());
    RemoveDirectoryA(plugins_.c_str());
  }

  // Sets the time and sends the clock `message`; what the face and the plug-in saw.
  std::vector<std::string> Send(const SYSTEMTIME& now, UINT message, WPARAM wParam = 0) {
    log_.Clear();
    g_now = now;
    SendMessageA(program_.window, message, wParam, 0);
    return log_.Lines();
  }

  const std::string plugins_ = ExeDir() + "\\plugin";
  CallLog log_;
  ClockProgram program_;
};

using Lines = std::vector<std::string>;

TEST_F(ClockTickTest, ATickComposesAndNotifiesOncePerSecondAndATimeChangeOrWakeAtOnce) {
  Send(At(10, 0, 0, 400), WM_TIMER, kTickTimer);  // the first tick only remembers for the plug-ins
  EXPECT_EQ(Send(At(10, 0, 0, 990), WM_TIMER, kTickTimer), Lines{});  // early: nothing
  EXPECT_EQ(Send(At(10, 0, 1, 2), WM_TIMER, kTickTimer),
            (Lines{"clock_red DrawClock 01", "plugin_good NotifySec 10:00:01"}));
  // The clock set forward, and the computer woken: each time one face, one notification.
  EXPECT_EQ(Send(At(12, 34, 56, 700), WM_TIMECHANGE),
            (Lines{"clock_red DrawClock 56", "plugin_good NotifySec 12:34:56",
                   "plugin_good NotifyMin 12:34:56", "plugin_good NotifyHour 12:34:56"}));
  EXPECT_EQ(Send(At(12, 34, 58, 10), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC),
            (Lines{"clock_red DrawClock 58", "plugin_good NotifySec 12:34:58"}));
  EXPECT_EQ(Send(At(12, 34, 59, 10), WM_POWERBROADCAST, PBT_APMSUSPEND), Lines{});
}

// A screen reader asking the clock window finds a clock named by the date and time.
TEST_F(ClockTickTest, AScreenReaderReadsTheDateAndTimeInJapanese) {
  g_now = At(14, 5, 30, 0);
  const AccessibleAnswer answer = AskAccessible(program_.window);
  EXPECT_EQ(answer.name, "12月9日(水) 14時05分");
  EXPECT_EQ(answer.role, ROLE_SYSTEM_CLOCK);
}

}  // namespace
