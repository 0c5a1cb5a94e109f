#include "app/window/clock_face.h"

#include <gtest/gtest.h>

#include "tests/win32/test_support.h"

namespace {

constexpr UINT kComposeNow = WM_APP + 1;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A window whose face composes on request, as the clock window does on its redraw timer.
LRESULT CALLBACK FaceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* face = reinterpret_cast<ClockFace*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kComposeNow && face != nullptr) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    face->Draw(&now);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class ClockFaceTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FaceWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KelvaneFaceTest";
    RegisterClassA(&windowClass);
    window_ =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "KelvaneFaceTest", "face", WS_POPUP, 300,
                        200, 200, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&face_));
    ASSERT_EQ(face_.Attach(window_), 1);
    GetLocalTime(&now_);
  }

  void TearDown() override {
    face_.Clear();
    DestroyWindow(window_);
  }

  static HMODULE Load(const char* name) { return LoadLibraryA((ExeDir() + "\\" + name).c_str()); }

  COLORREF Composed(int x, int y) const {
    GdiFlush();
    const DrawSurface& s = face_.ComposeSurface();
    return Pixel555(s.bits(), s.stride(), x, y);
  }

  CallLog log_;
  ClockFace face_;
  HWND window_ = nullptr;
  SYSTEMTIME now_{};
};

TEST_F(ClockFaceTest, AttachMakesTwo16BitSurfacesOfTheFaceSize) {
  for (const DrawSurface* s : {&face_.ComposeSurface(), &face_.BackgroundSurface()}) {
    EXPECT_EQ(s->width(), 200u);
    EXPECT_EQ(s->height(), 200u);
    EXPECT_EQ(s->bitmapInfo().bmiHeader.biBitCount, 16);
  }
}

TEST_F(ClockFaceTest, InitializeComesAfterTheDrawFunctionIsBound) {
  HMODULE info = Load("info_green.dll");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(face_.SetModule(ClockFace::kInfoSlot, info), nullptr);
  const std::vector<std::string> lines = log_.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "info_green Initialize");
  EXPECT_EQ(lines[1].rfind("info_green DrawInfo", 0), 0u) << lines[1];
  EXPECT_EQ(face_.GetModule(ClockFace::kInfoSlot), info);
}

TEST_F(ClockFaceTest, ReplacingAModuleUninitializesTheOldOneFirstAndHandsItBack) {
  HMODULE green = Load("info_green.dll");
  HMODULE blue = Load("info_blue.dll");
  face_.SetModule(ClockFace::kInfoSlot, green);
  log_.Clear();
  EXPECT_EQ(face_.SetModule(ClockFace::kInfoSlot, blue), green);
  const std::vector<std::string> lines = log_.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "info_green Uninitialize");
  EXPECT_EQ(lines[1], "info_blue Initialize");
  // The old library is the caller's; it is still loaded until the caller frees it.
  EXPECT_NE(GetModuleHandleA("info_green.dll"), nullptr);
  FreeLibrary(green);
  EXPECT_EQ(GetModuleHandleA("info_green.dll"), nullptr);

  log_.Clear();
  EXPECT_EQ(face_.SetModule(ClockFace::kInfoSlot, nullptr), blue);
  EXPECT_EQ(log_.Lines(), std::vector<std::string>{"info_blue Uninitialize"});
  FreeLibrary(blue);
  face_.Draw(&now_);
  EXPECT_TRUE(log_.Matching("Draw").empty());  // an empty slot draws nothing
}

TEST_F(ClockFaceTest, ClearFreesTheModulesWithoutUninitialize) {
  face_.SetModule(ClockFace::kClockSlot, Load("clock_red.dll"));
  face_.SetModule(ClockFace::kInfoSlot, Load("info_green.dll"));
  log_.Clear();
  face_.Clear();
  EXPECT_TRUE(log_.Lines().empty());
  EXPECT_EQ(GetModuleHandleA("clock_red.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleA("info_green.dll"), nullptr);
  EXPECT_EQ(face_.GetModule(ClockFace::kClockSlot), nullptr);
  EXPECT_EQ(face_.ComposeSurface().memoryDc(), nullptr);
}

TEST_F(ClockFaceTest, OnlySlotsOneAndTwoExist) {
  HMODULE red = Load("clock_red.dll");
  EXPECT_EQ(face_.SetModule(3, red), nullptr);
  EXPECT_EQ(face_.SetModule(0, red), nullptr);
  EXPECT_EQ(face_.GetModule(3), nullptr);
  EXPECT_EQ(face_.GetModule(ClockFace::kClockSlot), nullptr);
  EXPECT_TRUE(log_.Lines().empty());
  FreeLibrary(red);
}

TEST_F(ClockFaceTest, TheClockLayerLiesOverTheInfoLayerOverTheBackground) {
  face_.LoadBackground("");
  face_.SetModule(ClockFace::kClockSlot, Load("clock_red.dll"));
  face_.SetModule(ClockFace::kInfoSlot, Load("info_green.dll"));
  log_.Clear();
  face_.Draw(&now_);
  EXPECT_EQ(Composed(100, 100), To555(kRed));  // both modules drew here: the clock wins
  EXPECT_EQ(Composed(50, 50), To555(kGreen));  // the info layer alone
  EXPECT_EQ(Composed(10, 10), To555(kBlack));  // the background
  EXPECT_EQ(Composed(104, 23), To555(RGB(255, 255, 255)));  // the dial's ring shows through
  const std::vector<std::string> lines = log_.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("info_green DrawInfo", 0), 0u);
  EXPECT_EQ(lines[1].rfind("clock_red DrawClock", 0), 0u);
}

TEST_F(ClockFaceTest, AClockModuleAloneDrawsStraightOverTheBackground) {
  face_.LoadBackground("");
  face_.SetModule(ClockFace::kClockSlot, Load("clock_red.dll"));
  face_.Draw(&now_);
  EXPECT_EQ(Composed(100, 100), To555(kRed));
  EXPECT_EQ(Composed(50, 50), To555(kBlack));
}

TEST_F(ClockFaceTest, AModuleWithoutExportsStaysButDrawsNothing) {
  face_.LoadBackground("");
  HMODULE bare = Load("bare_module.dll");
  ASSERT_NE(bare, nullptr);
  face_.SetModule(ClockFace::kClockSlot, bare);
  face_.Draw(&now_);
  EXPECT_EQ(face_.GetModule(ClockFace::kClockSlot), bare);
  EXPECT_EQ(Composed(100, 100), To555(kBlack));
}

TEST_F(ClockFaceTest, DrawWithoutATimeShowsTheOldFace) {
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  face_.LoadBackground("");
  face_.SetModule(ClockFace::kInfoSlot, Load("info_blue.dll"));
  face_.Draw(&now_);
  ASSERT_TRUE(WaitFor([] { return ScreenPixel(300 + 50, 200 + 50) == kBlue; }, 3000));

  TempDir dir;
  WriteBytes(dir.File("red.bmp"), MakeBmp24(200, 200, [](int, int) { return kRed; }));
  face_.LoadBackground(dir.File("red.bmp").c_str());
  log_.Clear();
  face_.Draw(nullptr);
  EXPECT_TRUE(log_.Lines().empty());  // no module is called for a repaint
  EXPECT_EQ(ScreenPixel(300 + 10, 200 + 10), kBlack);
  EXPECT_EQ(ScreenPixel(300 + 50, 200 + 50), kBlue);

  face_.Draw(&now_);
  EXPECT_TRUE(WaitFor([] { return ScreenPixel(300 + 10, 200 + 10) == kRed; }, 3000));
  EXPECT_EQ(ScreenPixel(300 + 50, 200 + 50), kBlue);
}

}  // namespace
