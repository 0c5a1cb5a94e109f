#include <windows.h>
// windows.h first: shellapi.h builds on it.
#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <set>

#include "app/window/clock_window.h"
#include "base/win/kernel_handle.h"
#include "resources/resource_ids.h"
#include "tests/program/running_clock.h"
#include "tests/win32/dialog_driver.h"

namespace {

const COLORREF kPlum = RGB(0x88, 0x20, 0x60);

// A clock at (100, 100), so that its centre is at (200, 200).
class ClockWindowTest : public testing::Test {
 protected:
  void Start() {
    MoveMouse(700, 600);  // well away from where the clock opens
    folder_.Set("WINDOW", "POS_X", "100");
    folder_.Set("WINDOW", "POS_Y", "100");
    clock_ = std::make_unique<RunningClock>(folder_);
    window_ = clock_->WaitForWindow();
    ASSERT_NE(window_, nullptr);
  }

  bool Visible() const { return IsWindowVisible(window_) != 0; }

  ProgramFolder folder_;
  std::unique_ptr<RunningClock> clock_;
  HWND window_ = nullptr;
};

TEST_F(ClockWindowTest, EachSecondComposesOneFace) {
  CallLog log;
  folder_.Set("OBJECT", "MODULE_PATH2", folder_.Install("info_green.dll", "info"));
  Start();
  // Wait for four compositions after start-up: about three seconds of ticks.
  ASSERT_TRUE(WaitFor([&] { return log.Matching("DrawInfo").size() >= 5; }, 8000));
  const std::vector<std::string> draws = log.Matching("DrawInfo");
  std::set<std::string> seconds;
  for (size_t i = 1; i < draws.size(); ++i) {
    EXPECT_TRUE(seconds.insert(draws[i]).second) << "second composed twice: " << draws[i];
  }
}

TEST_F(ClockWindowTest, MirrickShowsANewFaceEverySecond) {
  folder_.Set("OBJECT", "MODULE_PATH2", folder_.Install("Mirrick.dll", "info"));
  Start();
  // The white box of the info module, with dark text in it.
  ASSERT_TRUE(WaitFor([] { return ScreenPixel(100 + 67, 100 + 155) == RGB(255, 255, 255); }));
  auto boxPixels = [] {
    std::vector<COLORREF> pixels;
    for (int y = 146; y < 162; ++y) {
      for (int x = 70; x < 134; ++x) pixels.push_back(ScreenPixel(100 + x, 100 + y));
    }
    return pixels;
  };
  const std::vector<COLORREF> first = boxPixels();
  EXPECT_TRUE(WaitFor([&] { return boxPixels() != first; }, 3000));
}

TEST_F(ClockWindowTest, DraggingMovesTheClockAndSavesThePosition) {
  Start();
  MoveMouse(200, 150);
  PressLeftButton();
  ASSERT_TRUE(WaitForMoveLoop(window_));
  for (int step = 1; step <= 5; ++step) MoveMouse(200 + 10 * step, 150 + 6 * step);
  // The move loop can miss the last move of the pointer: the button goes up only
  // once the window has followed, and until then the pointer is nudged off its
  // goal and back, since a move to where it already is reaches no one.
  ASSERT_TRUE(WaitFor([&] {
    if (WindowRect(window_).left == 150 && WindowRect(window_).top == 130) return true;
    MoveMouse(251, 181);
    MoveMouse(250, 180);
    return false;
  }));
  ReleaseLeftButton();
  // POS_X is written first, then POS_Y.
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_Y") == "130"; }));
  EXPECT_EQ(folder_.Get("WINDOW", "POS_X"), "150");
  EXPECT_EQ(WindowRect(window_).left, 150);
  EXPECT_EQ(WindowRect(window_).top, 130);
}

TEST_F(ClockWindowTest, AClickWithoutMovingStillSavesThePosition) {
  Start();
  WritePrivateProfileStringA("WINDOW", nullptr, nullptr, folder_.ini().c_str());
  MoveMouse(200, 150);
  PressLeftButton();
  ASSERT_TRUE(WaitForMoveLoop(window_));
  ReleaseLeftButton();
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_Y") == "100"; }));
  EXPECT_EQ(folder_.Get("WINDOW", "POS_X"), "100");
}

TEST_F(ClockWindowTest, ALockedClockNeitherMovesNorWrites) {
  folder_.Set("WINDOW", "POSLOCK", "1");
  Start();
  WritePrivateProfileStringA("WINDOW", "POS_X", nullptr, folder_.ini().c_str());
  MoveMouse(200, 150);
  PressLeftButton();
  for (int step = 1; step <= 5; ++step) MoveMouse(200 + 10 * step, 150 + 6 * step);
  ReleaseLeftButton();
  // A later close proves every earlier message was handled.
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock_->WaitForExit());
  EXPECT_EQ(folder_.Get("WINDOW", "POS_X"), "<absent>");
}

TEST_F(ClockWindowTest, StackingCommandsSetTheWindowAndSaveAtOnce) {
  Start();
  auto topmost = [this] { return (GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  PostMessageA(window_, WM_COMMAND, IDM_TOPMOST, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_Z") == "1"; }));
  EXPECT_TRUE(topmost());
  PostMessageA(window_, WM_COMMAND, IDM_NORMAL, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_Z") == "0"; }));
  EXPECT_FALSE(topmost());
  PostMessageA(window_, WM_COMMAND, IDM_TOPMOST, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_Z") == "1"; }));
  PostMessageA(window_, WM_COMMAND, IDM_BOTTOM, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_Z") == "2"; }));
  EXPECT_FALSE(topmost());
}

TEST_F(ClockWindowTest, BehindModeStaysBehindWhenClickedAndUnderAWindowSentToTheBottom) {
  TestWindow cover(50, 50, 120, 120, kPlum);
  folder_.Set("WINDOW", "POS_Z", "2");
  Start();
  EXPECT_TRUE(WaitFor([&] { return IsAbove(cover.get(), window_); }));
  MoveMouse(250, 250);  // a part of the clock the cover leaves free
  PressLeftButton();
  ASSERT_TRUE(WaitForMoveLoop(window_));
  ReleaseLeftButton();
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_X") == "100"; }));
  EXPECT_TRUE(WaitFor([&] { return IsAbove(cover.get(), window_); }));
  // Another program's window sent to the bottom tells the clock nothing.
  SetWindowPos(cover.get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitFor([&] { return IsAbove(cover.get(), window_); }));
}

// The desktop's own windows lie lowest; the clock's once-a-second check leaves
// it above them (two notified seconds: the check after the first one has run).
TEST_F(ClockWindowTest, BehindModeStaysAboveTheDesktopsOwnWindows) {
  CallLog log;
  folder_.Install("plugin_good.dll", "plugin");
  WriteBytes(folder_.File("plugin\\enable.txt"),
             {'p', 'l', 'u', 'g', 'i', 'n', '_', 'g', 'o', 'o', 'd', '.', 'd', 'l', 'l'});
  folder_.Set("WINDOW", "POS_Z", "2");
  Start();
  for (const char* desktopClass : {"Progman", "WorkerW"}) {
    TestWindow desktop(0, 0, 500, 400, kPlum, false, desktopClass, "");
    SetWindowPos(desktop.get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(IsAbove(window_, desktop.get())) << desktopClass;
    log.Clear();
    ASSERT_TRUE(WaitFor([&] { return log.Matching("NotifySec").size() >= 2; }));
    EXPECT_TRUE(IsAbove(window_, desktop.get())) << desktopClass;
  }
}

// The context menu's popup window, once the clock shows it.
HWND WaitForPopupMenu() {
  HWND popup = nullptr;
  WaitFor([&] {
    popup = FindWindowA("#32768", nullptr);
    return popup != nullptr && IsWindowVisible(popup);
  });
  return popup;
}

TEST_F(ClockWindowTest, TheContextMenuCarriesTheChosenCommandToTheClock) {
  Start();
  PostMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), -1);
  HWND popup = WaitForPopupMenu();
  ASSERT_NE(popup, nullptr);
  // Up from nothing selected wraps to the last item, "閉じる(&C)" (close).
  PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(clock_->WaitForExit());
}

TEST_F(ClockWindowTest, EscapeClosesTheContextMenuAndTheClockRunsOn) {
  Start();
  PostMessageA(window_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_), -1);
  HWND popup = WaitForPopupMenu();
  ASSERT_NE(popup, nullptr);
  PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitFor([] {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu == nullptr || !IsWindowVisible(menu);
  }));
  EXPECT_FALSE(clock_->WaitForExit(500));
  EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(ClockWindowTest, MenuTogglesSaveTheirNewValue) {
  Start();
  PostMessageA(window_, WM_COMMAND, IDM_AUTOHIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "AUTOHIDE") == "1"; }));
  PostMessageA(window_, WM_COMMAND, IDM_LOCK, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POSLOCK") == "1"; }));
  PostMessageA(window_, WM_COMMAND, IDM_AUTOHIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "AUTOHIDE") == "0"; }));
  PostMessageA(window_, WM_COMMAND, IDM_CLOSE, 0);
  ASSERT_TRUE(clock_->WaitForExit());
}

TEST_F(ClockWindowTest, DodgingHidesNearTheCentreAndReturnsAfterASecondAway) {
  folder_.Set("WINDOW", "AUTOHIDE", "1");
  Start();
  MoveMouse(290, 200);  // 90 pixels from the centre: on the shape's rim or outside it
  MoveMouse(289, 200);
  EXPECT_FALSE(WaitFor([&] { return !Visible(); }, 700));
  MoveMouse(270, 200);  // 70 pixels: near
  MoveMouse(269, 200);
  ASSERT_TRUE(WaitFor([&] { return !Visible(); }, 3000));

  MoveMouse(600, 600);
  const DWORD away = GetTickCount();
  ASSERT_TRUE(WaitFor([&] { return Visible(); }, 4000));
  EXPECT_GE(GetTickCount() - away, 950u);  // a full second away, give or take a tick
}

TEST_F(ClockWindowTest, ComingBackWithinTheSecondRestartsTheWait) {
  folder_.Set("WINDOW", "AUTOHIDE", "1");
  Start();
  // The scenario needs the cursor back well within the second; a machine that
  // stalls longer than that gets another try.
  bool backInTime = false;
  for (int attempt = 0; attempt < 3 && !backInTime; ++attempt) {
    ASSERT_TRUE(WaitFor([&] { return Visible(); }, 4000));
    MoveMouse(230, 200);
    MoveMouse(229, 200);
    ASSERT_TRUE(WaitFor([&] { return !Visible(); }, 3000));
    MoveMouse(600, 600);
    const DWORD away = GetTickCount();
    Sleep(400);  // part of the scenario, not a guess
    MoveMouse(230, 200);
    backInTime = GetTickCount() - away < 800;
    if (!backInTime) MoveMouse(600, 600);
  }
  ASSERT_TRUE(backInTime);
  // The pointer keeps moving near the centre: under Wine another process may read
  // a pointer that rests for a while from the X server, which can lag behind.
  int step = 0;
  EXPECT_FALSE(WaitFor(
      [&] {
        MoveMouse(230 + step++ % 2, 200);
        return Visible();
      },
      1800));
  MoveMouse(600, 600);
  EXPECT_TRUE(WaitFor([&] { return Visible(); }, 4000));
}

// Asks the shell whether the clock's icon is in the notification area.
bool TrayIconPresent(HWND window) {
  NOTIFYICONDATAA record{};
  record.cbSize = 88;
  record.hWnd = window;
  record.uID = 0;
  return Shell_NotifyIconA(NIM_MODIFY, &record) != 0;
}

TEST_F(ClockWindowTest, HidingPutsAnIconInTheTrayThatBringsTheClockBack) {
  Start();
  EXPECT_FALSE(TrayIconPresent(window_));
  PostMessageA(window_, WM_COMMAND, IDM_HIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return !Visible(); }));
  EXPECT_TRUE(TrayIconPresent(window_));

  // Moving over the icon and pressing a button do nothing.
  for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    PostMessageA(window_, kTrayCallbackMessage, 0, mouse);
  }
  SendMessageA(window_, WM_NULL, 0, 0);
  EXPECT_FALSE(Visible());
  EXPECT_TRUE(TrayIconPresent(window_));

  PostMessageA(window_, kTrayCallbackMessage, 0, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return Visible(); }));
  EXPECT_TRUE(WaitFor([&] { return !TrayIconPresent(window_); }));

  PostMessageA(window_, WM_COMMAND, IDM_HIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return !Visible(); }));
  PostMessageA(window_, kTrayCallbackMessage, 0, WM_RBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return Visible(); }));
  EXPECT_TRUE(WaitFor([&] { return !TrayIconPresent(window_); }));
}

TEST_F(ClockWindowTest, TheIconComesBackWhenTheShellRestarts) {
  Start();
  PostMessageA(window_, WM_COMMAND, IDM_HIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return TrayIconPresent(window_); }));
  // A restarted shell has lost every icon and says so to all top-level windows.
  NOTIFYICONDATAA record{};
  record.cbSize = 88;
  record.hWnd = window_;
  Shell_NotifyIconA(NIM_DELETE, &record);
  ASSERT_FALSE(TrayIconPresent(window_));
  PostMessageA(window_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitFor([&] { return TrayIconPresent(window_); }));
}

TEST_F(ClockWindowTest, ClosingWithTheIconPresentRemovesIt) {
  Start();
  PostMessageA(window_, WM_COMMAND, IDM_HIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return TrayIconPresent(window_); }));
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock_->WaitForExit());
  EXPECT_FALSE(TrayIconPresent(window_));
}

}  // namespace

namespace {

// Hostile inputs to the running clock: each ends with the clock still usable.
TEST_F(ClockWindowTest, ClosingDuringADragEndsTheProgramAndKeepsThePosition) {
  for (const bool sent : {false, true}) {
    SCOPED_TRACE(sent ? "WM_CLOSE sent" : "WM_CLOSE posted");
    Start();
    MoveMouse(200, 150);
    PressLeftButton();
    ASSERT_TRUE(WaitForMoveLoop(window_));
    if (sent) {
      DWORD_PTR result = 0;
      SendMessageTimeoutA(window_, WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, &result);
    } else {
      PostMessageA(window_, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(clock_->WaitForExit(5000));
    ReleaseLeftButton();
    EXPECT_EQ(folder_.Get("WINDOW", "POS_X"), "100");
    EXPECT_EQ(folder_.Get("WINDOW", "POS_Y"), "100");
    clock_.reset();
  }
  Start();  // the single-instance lock went with the process
}

TEST_F(ClockWindowTest, HidingAfterASecondStartShowedTheClockLeavesAnIcon) {
  Start();
  PostMessageA(window_, WM_COMMAND, IDM_HIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return !Visible() && TrayIconPresent(window_); }));
  RunningClock second(folder_);
  ASSERT_TRUE(second.WaitForExit());
  ASSERT_TRUE(WaitFor([&] { return Visible(); }));
  EXPECT_TRUE(WaitFor([&] { return !TrayIconPresent(window_); }));
  PostMessageA(window_, WM_COMMAND, IDM_HIDE, 0);
  ASSERT_TRUE(WaitFor([&] { return !Visible(); }));
  EXPECT_TRUE(WaitFor([&] { return TrayIconPresent(window_); }));
}

TEST_F(ClockWindowTest, AStackingValueOutOfRangeIsNormalAndSavedAsNormal) {
  folder_.Set("WINDOW", "POS_Z", "4");
  Start();
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock_->WaitForExit());
  EXPECT_EQ(folder_.Get("WINDOW", "POS_Z"), "0");
}

TEST_F(ClockWindowTest, APathThatDoesNotFitIsNotLoadedCut) {
  // The cut value would name this DLL, which draws the info layer green.
  const std::string dir = folder_.path() + "\\";
  const std::string cut = dir + "m" + std::string(MAX_PATH - 1 - dir.size() - 5, 'x') + ".dll";
  ASSERT_EQ(cut.size(), static_cast<size_t>(MAX_PATH - 1));
  ASSERT_TRUE(CopyFileA(folder_.Install("info_green.dll", "info").c_str(), cut.c_str(), FALSE));
  folder_.Set("OBJECT", "MODULE_PATH2", cut + ".d\\wanted.dll");
  // The clock layer's red shows that faces with their modules are composed.
  folder_.Set("OBJECT", "MODULE_PATH", folder_.Install("clock_red.dll", "clock"));
  Start();
  ASSERT_TRUE(WaitFor([] { return ScreenPixel(200, 200) == RGB(255, 0, 0); }));
  EXPECT_NE(ScreenPixel(150, 150), RGB(0, 255, 0));
}

// A command posted after the keys shows when they all have been handled (inside the
// question's modal loop).
TEST_F(ClockWindowTest, TenEscapesAskOnce) {
  Start();
  for (int i = 0; i < 10; ++i) PostMessageA(window_, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(window_, WM_COMMAND, IDM_TOPMOST, 0);
  ASSERT_TRUE(WaitFor([&] { return folder_.Get("WINDOW", "POS_Z") == "1"; }));
  EXPECT_EQ(FindDialogs(ProcessOf(window_)).size(), 1u);
}

}  // namespace

namespace {

TEST(Startup, AStartWhileTheClockShutsDownWaitsAndThenRuns) {
  ProgramFolder folder;
  folder.Install("plugin_slow_release.dll", "plugin");
  {
    std::FILE* list = std::fopen(folder.File("plugin\\enable.txt").c_str(), "wb");
    ASSERT_NE(list, nullptr);
    std::fputs("plugin_slow_release.dll", list);
    std::fclose(list);
  }
  RunningClock first(folder);
  HWND window = first.WaitForWindow();
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([window] { return !IsWindow(window); }));
  RunningClock second(folder);  // while the plug-in's Release still runs
  EXPECT_NE(second.WaitForWindow(), nullptr);
  EXPECT_TRUE(first.WaitForExit());
}

// The test holds the mutex as a clock still starting would, then shows that
// clock's window: the waiting start brings it forward and ends, without the notice
// meant for a clock that never ends.
TEST(Startup, AStartWhileTheClockStartsEndsOnceItsWindowShows) {
  ProgramFolder folder;
  KernelHandle mutex(CreateMutexA(nullptr, TRUE, "Kelvane"));
  MessageBoxWatcher notices("Kelvane");
  RunningClock second(folder);
  Sleep(2000);  // the second start is waiting by now
  TestWindow starting(300, 300, 50, 50, kPlum, false, "Kelvane", "Kelvane");
  ASSERT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(notices.Texts().empty());
}

}  // namespace
