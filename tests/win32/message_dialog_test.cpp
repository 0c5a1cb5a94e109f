#include "app/customize/message_dialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "resources/resource_ids.h"
#include "tests/win32/decoded_picture.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/test_support.h"

namespace {

const char kQuitQuestion[] = "終了してよろしいですか？";
// Where the dialog draws its text.
const RECT kTextRect = {10, 45, 230, 110};
// Client points inside the two buttons, (20, 120) and (120, 120), 70 x 25 each.
const POINT kAccept = {55, 132};
const POINT kRefuse = {155, 132};
// A point of the button images where the pressed image differs from the normal one.
const POINT kButtonSample = {35, 4};

COLORREF ClientPixel(HWND dialog, int x, int y) {
  const POINT at = ClientToScreenPoint(dialog, x, y);
  return ScreenPixel(at.x, at.y);
}

// Waits until both buttons exist and the screen shows the skin's banner. Pixels an
// earlier dialog left at the same place can pass for the banner, so a test that
// reads the body uses a place of its own.
bool WaitUntilReady(HWND dialog) {
  const DecodedPicture skin(SkinResource(IDR_MESSAGE_SKIN));
  return skin.valid() && WaitFor(
                             [&] {
                               return GetDlgItem(dialog, MessageDialog::kAcceptId) != nullptr &&
                                      GetDlgItem(dialog, MessageDialog::kRefuseId) != nullptr &&
                                      ClientPixel(dialog, 120, 10) == skin.At(120, 10);
                             },
                             5000);
}

// Shows a MessageDialog over an owner window at (x, y) on this thread while `drive`
// acts on the dialog from a thread of its own, once the dialog is ready (it is
// visible a little earlier, before its buttons exist). A dialog that `drive` leaves
// open is closed with Refuse after a while, and the session says so.
class DialogSession {
 public:
  explicit DialogSession(int x = 100, int y = 100)
      : owner_(x, y, 400, 320, RGB(0x60, 0x60, 0x60)) {}

  int Show(const char* text, const std::function<void(HWND)>& drive) {
    std::atomic<bool> ready{false};
    std::thread driver([&] {
      HWND dialog = WaitForDialog(GetCurrentProcessId());
      if (dialog == nullptr) return;
      ready = WaitUntilReady(dialog);
      if (ready) drive(dialog);
      if (!WaitFor([dialog] { return !IsWindow(dialog); }, 10000)) {
        leftOpen_ = true;
        SendMessageA(dialog, WM_COMMAND, MessageDialog::kRefuseId, 0);
      }
    });
    MessageDialog dialog;
    const int result = dialog.Show(owner_.get(), text);
    driver.join();
    EXPECT_TRUE(ready) << "the dialog did not show its skin";
    EXPECT_FALSE(leftOpen_) << "the dialog stayed open";
    return result;
  }

  HWND owner() const { return owner_.get(); }

 private:
  TestWindow owner_;
  bool leftOpen_ = false;
};

void ClickClient(HWND dialog, POINT point) {
  const POINT at = ClientToScreenPoint(dialog, point.x, point.y);
  Click(at.x, at.y);
}

TEST(MessageDialog, AcceptAnswersOneAndRefuseZero) {
  DialogSession session;
  EXPECT_EQ(session.Show(kQuitQuestion, [](HWND dialog) { ClickClient(dialog, kAccept); }), 1);
  EXPECT_EQ(session.Show(kQuitQuestion, [](HWND dialog) { ClickClient(dialog, kRefuse); }), 0);
}

TEST(MessageDialog, TheTextIsDrawnIntoTheWhiteField) {
  int withText = -1, withoutText = -1;
  DialogSession(100, 400).Show(kQuitQuestion, [&](HWND dialog) {
    withText = InkInClientRect(dialog, kTextRect);
    ClickClient(dialog, kRefuse);
  });
  DialogSession(560, 400).Show("", [&](HWND dialog) {
    withoutText = InkInClientRect(dialog, kTextRect);
    ClickClient(dialog, kRefuse);
  });
  EXPECT_GT(withText, 50);
  EXPECT_EQ(withoutText, 0);
}

TEST(MessageDialog, AHeldButtonShowsItsPressedImage) {
  const DecodedPicture skin(SkinResource(IDR_MESSAGE_SKIN));
  ASSERT_TRUE(skin.valid());
  struct Case {
    POINT button;
    int imageTop;
    int answer;
  };
  for (const Case& c : {Case{kAccept, 0, 1}, Case{kRefuse, 50, 0}}) {
    const COLORREF normal = skin.At(245 + kButtonSample.x, c.imageTop + kButtonSample.y);
    const COLORREF pressed = skin.At(245 + kButtonSample.x, c.imageTop + 25 + kButtonSample.y);
    ASSERT_NE(normal, pressed);
    const int left = c.button.x - 35, top = 120;
    bool showedNormal = false, showedPressed = false;
    DialogSession session;
    const int answer = session.Show(kQuitQuestion, [&](HWND dialog) {
      auto sample = [&] {
        return ClientPixel(dialog, left + kButtonSample.x, top + kButtonSample.y);
      };
      showedNormal = WaitFor([&] { return sample() == normal; }, 5000);
      const POINT at = ClientToScreenPoint(dialog, c.button.x, c.button.y);
      MoveMouse(at.x, at.y);
      PressLeftButton();
      showedPressed = WaitFor([&] { return sample() == pressed; }, 5000);
      ReleaseLeftButton();
    });
    EXPECT_TRUE(showedNormal) << "button at " << left;
    EXPECT_TRUE(showedPressed) << "button at " << left;
    EXPECT_EQ(answer, c.answer);
  }
}

TEST(MessageDialog, EnterDoesNotAnswer) {
  DialogSession session;
  bool foreground = false;
  bool stillOpen = false;
  const int answer = session.Show(kQuitQuestion, [&](HWND dialog) {
    foreground = WaitFor([dialog] { return GetForegroundWindow() == dialog; }, 5000);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    PressKey(VK_RETURN);
    // Half a second later the key has long been handled, and the dialog is open.
    stillOpen = !WaitFor([dialog] { return !IsWindow(dialog); }, 500);
    ClickClient(dialog, kAccept);
  });
  EXPECT_TRUE(foreground);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(answer, 1);
}

TEST(MessageDialog, EscAltF4AndCloseDoNotAnswer) {
  DialogSession session;
  bool foreground = false;
  const int answer = session.Show(kQuitQuestion, [&](HWND dialog) {
    foreground = WaitFor([dialog] { return GetForegroundWindow() == dialog; }, 5000);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    PressKey(VK_ESCAPE);
    PressKey(VK_F4, true);
    ClickClient(dialog, kAccept);
  });
  EXPECT_TRUE(foreground);
  EXPECT_EQ(answer, 1);
}

INT_PTR CALLBACK DoNothing(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Where the dialog manager puts template 111 over `owner`, before the dialog resizes itself.
RECT TemplateRect(HWND owner) {
  HWND probe = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SKINNED), owner,
                                  DoNothing, 0);
  RECT rect{};
  GetWindowRect(probe, &rect);
  DestroyWindow(probe);
  return rect;
}

TEST(MessageDialog, OpensCentredOnTheTemplateWithA240By160Body) {
  DialogSession session;
  const RECT start = TemplateRect(session.owner());
  ASSERT_GT(start.right - start.left, 0);
  RECT window{}, client{};
  LONG style = 0;
  bool hasThis = false;
  session.Show(kQuitQuestion, [&](HWND dialog) {
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    style = GetWindowLongA(dialog, GWL_STYLE);
    hasThis = GetPropA(dialog, "THIS") != nullptr;
    ClickClient(dialog, kRefuse);
  });
  EXPECT_EQ(client.right, 240);
  EXPECT_EQ(client.bottom, 160);
  const int width = window.right - window.left, height = window.bottom - window.top;
  EXPECT_EQ(window.left, start.left + (start.right - start.left - width) / 2);
  EXPECT_EQ(window.top, start.top + (start.bottom - start.top - height) / 2);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(hasThis);
}

TEST(MessageDialog, ShowWithoutAUsableOwnerFails) {
  MessageDialog dialog;
  EXPECT_EQ(dialog.Show(reinterpret_cast<HWND>(0x7FFF0), kQuitQuestion), -1);
}

}  // namespace
