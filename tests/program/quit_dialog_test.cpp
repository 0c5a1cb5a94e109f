#include <gtest/gtest.h>

#include "tests/program/running_clock.h"
#include "tests/win32/dialog_driver.h"

namespace {

// Client points inside the message dialog's Accept and Refuse buttons, and its text rectangle.
const POINT kAccept = {55, 132};
const POINT kRefuse = {155, 132};
const RECT kTextRect = {10, 45, 230, 110};

// Presses Esc on the clock and returns the message dialog it opens once its buttons
// and text are there, or null.
HWND AskToQuit(HWND clock) {
  PostMessageA(clock, WM_KEYDOWN, VK_ESCAPE, 0);
  HWND dialog = WaitForDialog(ProcessOf(clock));
  const bool ready =
      dialog != nullptr && WaitFor([dialog] {
        return GetDlgItem(dialog, 9903) != nullptr && InkInClientRect(dialog, kTextRect) > 50;
      });
  return ready ? dialog : nullptr;
}

void ClickClient(HWND dialog, POINT point) {
  const POINT at = ClientToScreenPoint(dialog, point.x, point.y);
  Click(at.x, at.y);
}

// A clock asked to quit: its question is open when each test begins.
class QuitDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = clock_.WaitForWindow();
    ASSERT_NE(window_, nullptr);
    dialog_ = AskToQuit(window_);
    ASSERT_NE(dialog_, nullptr);
  }

  ProgramFolder folder_;
  RunningClock clock_{folder_};
  HWND window_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(QuitDialogTest, EscAsksWithTheTextDrawnAndRefuseKeepsTheClock) {
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), window_);
  EXPECT_GT(InkInClientRect(dialog_, kTextRect), 50);

  ClickClient(dialog_, kRefuse);
  ASSERT_TRUE(WaitFor([this] { return !IsWindow(dialog_); }));
  // Still running: the clock answers the next Esc with a fresh question.
  HWND again = AskToQuit(window_);
  ASSERT_NE(again, nullptr);
  ClickClient(again, kRefuse);
  EXPECT_TRUE(WaitFor([again] { return !IsWindow(again); }));
  EXPECT_FALSE(clock_.WaitForExit(0));
}

TEST_F(QuitDialogTest, DraggingTheBodyMovesTheQuestion) {
  RECT before{};
  GetWindowRect(dialog_, &before);
  const POINT grab = ClientToScreenPoint(dialog_, 120, 30);
  MoveMouse(grab.x, grab.y);
  PressLeftButton();
  ASSERT_TRUE(WaitForMoveLoop(dialog_));
  MoveMouse(grab.x + 20, grab.y + 10);
  MoveMouse(grab.x + 40, grab.y + 25);
  ReleaseLeftButton();
  EXPECT_TRUE(WaitFor([&] {
    RECT after{};
    GetWindowRect(dialog_, &after);
    return after.left == before.left + 40 && after.top == before.top + 25;
  }));
  ClickClient(dialog_, kRefuse);
  EXPECT_TRUE(WaitFor([this] { return !IsWindow(dialog_); }));
}

TEST_F(QuitDialogTest, EnterDoesNotAccept) {
  ASSERT_TRUE(BringToFront(dialog_));
  PressKey(VK_RETURN);
  // Had Enter accepted, the clock would be gone and the click would find nothing.
  ClickClient(dialog_, kRefuse);
  ASSERT_TRUE(WaitFor([this] { return !IsWindow(dialog_); }));
  HWND again = AskToQuit(window_);
  ASSERT_NE(again, nullptr);
  ClickClient(again, kRefuse);
}

TEST_F(QuitDialogTest, EscAndAltF4LeaveTheQuestionOpenAndAcceptEndsTheProgram) {
  ASSERT_TRUE(BringToFront(dialog_));
  PressKey(VK_ESCAPE);
  PressKey(VK_F4, true);
  // Had either key closed the question, the click would land on the clock instead.
  ClickClient(dialog_, kAccept);
  ASSERT_TRUE(clock_.WaitForExit());
  EXPECT_EQ(clock_.ExitCode(), 0u);
  EXPECT_EQ(folder_.Get("WINDOW", "POS_Z"), "0");
}

}  // namespace
