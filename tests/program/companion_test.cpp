#include <windows.h>
// After windows.h, whose types it uses.
#include <gtest/gtest.h>

#include <string>

#include "app/window/clock_window.h"
#include "app/window/time_text.h"
#include "tests/program/running_clock.h"

namespace {

std::string Said(const SYSTEMTIME& t) {
  return JapaneseTimeText(t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute);
}

const COLORREF kPlum = RGB(0x88, 0x20, 0x60);

// A full-screen program: a window over the whole screen, brought to the front.
// Hidden, the clock comes back once it is gone; the option off, or always behind,
// it never hides (the faces it goes on composing show that it was asked).
TEST(Companion, AFullScreenProgramInFrontHidesTheClockUntilItHasGone) {
  const struct {
    const char* hideFullScreen;
    const char* stacking;
    bool hides;
  } rows[] = {{nullptr, "0", true}, {"0", "0", false}, {nullptr, "2", false}};
  for (const auto& row : rows) {
    CallLog log;
    ProgramFolder folder;
    if (row.hideFullScreen != nullptr) folder.Set("WINDOW", "HIDE_FULLSCREEN", row.hideFullScreen);
    folder.Set("WINDOW", "POS_Z", row.stacking);
    folder.Set("OBJECT", "MODULE_PATH", folder.Install("clock_red.dll", "clock"));
    RunningClock clock(folder);
    const HWND window = clock.WaitForWindow();
    ASSERT_NE(window, nullptr);
    {
      TestWindow program(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), kPlum);
      SetForegroundWindow(program.get());
      log.Clear();
      ASSERT_TRUE(WaitFor([&] { return !row.hides || !IsWindowVisible(window); }));
      ASSERT_TRUE(WaitFor([&] { return log.Matching("DrawClock").size() >= 2; }));
      EXPECT_EQ(IsWindowVisible(window) == 0, row.hides) << row.stacking;
    }
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != 0; })) << row.stacking;
  }
}

int g_clicks = 0;

LRESULT CALLBACK CountClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) ++g_clicks;
  return DefWindowProcA(window, message, wParam, lParam);
}

// Half opaque and click-through: a click on the clock reaches the window beneath,
// and the tray icon's right button opens the clock's menu, where it is turned off.
TEST(Companion, AHalfOpaqueClickThroughClockIsTurnedBackFromTheTray) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountClicks;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "KelvaneClickCounter";
  RegisterClassA(&windowClass);
  const HWND beneath =
      CreateWindowExA(WS_EX_TOOLWINDOW, "KelvaneClickCounter", "", WS_POPUP, 50, 50, 300, 300,
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(beneath, SW_SHOWNOACTIVATE);
  ProgramFolder folder;
  folder.Set("WINDOW", "POS_X", "100");
  folder.Set("WINDOW", "POS_Y", "100");
  folder.Set("WINDOW", "OPACITY", "50");
  folder.Set("WINDOW", "CLICK_THROUGH", "1");
  RunningClock clock(folder);
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  BYTE alpha = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
  EXPECT_TRUE(alpha == 127 || alpha == 128) << int{alpha};
  ASSERT_TRUE(IsAbove(window, beneath));
  g_clicks = 0;
  MoveMouse(200, 200);
  PressLeftButton();
  ReleaseLeftButton();
  EXPECT_TRUE(WaitFor([] { return g_clicks > 0; }));

  // Into the menu's Window popup, then down to "クリックを透過する" past two separators.
  PostMessageA(window, kTrayCallbackMessage, 0, WM_RBUTTONUP);
  HWND popup = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (popup = FindWindowA("#32768", nullptr)) != nullptr; }));
  PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RIGHT, 0);
  for (int i = 0; i < 6; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitFor([&] { return folder.Get("WINDOW", "CLICK_THROUGH") == "0"; }));
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  DestroyWindow(beneath);
}

// A screen reader in another process reads the clock's name: the date and the
// time to the minute (taken on either side of the question, as the minute may turn).
TEST(Companion, AScreenReaderReadsTheCurrentTime) {
  ProgramFolder folder;
  RunningClock clock(folder);
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  const std::string name = AskAccessible(window).name;
  GetLocalTime(&after);
  EXPECT_TRUE(name == Said(before) || name == Said(after)) << name;
}

}  // namespace
