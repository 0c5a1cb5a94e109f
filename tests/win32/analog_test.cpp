#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/window/clock_face.h"
#include "base/win/gdi_handles.h"
#include "imaging/draw_surface.h"
#include "modules/clock/analog_ids.h"
#include "sdk/kelvane_module.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/modal_timer.h"
#include "tests/win32/test_support.h"

namespace {

constexpr char kDialogTitle[] = "アナログ時計の設定";
// The first two schemes' hand colours.
const COLORREF kWhiteHands = RGB(246, 243, 234);
const COLORREF kBlackHands = RGB(26, 28, 36);
const COLORREF kOrangeSecond = RGB(255, 150, 60);
// The white hands' rim colour: a face of it shows only the hands' own edges.
const COLORREF kRimColour = RGB(18, 18, 26);

int g_redrawTicks = 0;

// The clock window as the modules see it: it counts the ticks of timer 1.
LRESULT CALLBACK ClockWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == 1) {
    ++g_redrawTicks;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeClockWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ClockWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "AnalogTestClock";
  RegisterClassA(&windowClass);
  return CreateWindowExA(WS_EX_TOOLWINDOW, "AnalogTestClock", "clock", WS_POPUP, 0, 0, 200, 200,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

SYSTEMTIME Time(int hour, int minute, int second) {
  return LocalTime(2026, 5, 1, hour, minute, second);
}

// Analog.dll copied into a folder of its own, where it keeps its Analog.ini, and
// put into slot 1 of a face on a clock window.
class AnalogTest : public testing::Test {
 protected:
  void SetUp() override {
    CopyFileA((ExeDir() + "\\Analog.dll").c_str(), dll_.c_str(), FALSE);
    window_ = MakeClockWindow();
    g_redrawTicks = 0;
    ASSERT_EQ(face_.Attach(window_), 1);
    face_.LoadBackground("");
  }

  void TearDown() override {
    Unload();
    face_.Clear();
    DestroyWindow(window_);
  }

  void WriteIni(const std::string& text) const {
    WriteBytes(ini_, std::vector<unsigned char>(text.begin(), text.end()));
  }
  void Load() { face_.SetModule(ClockFace::kClockSlot, LoadLibraryA(dll_.c_str())); }
  // Uninitialize, then the library is freed.
  void Unload() {
    if (HMODULE module = face_.SetModule(ClockFace::kClockSlot, nullptr)) FreeLibrary(module);
  }
  template <typename Fn>
  Fn Export(const char* name) const {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(face_.GetModule(ClockFace::kClockSlot), name)));
  }

  COLORREF Composed(int x, int y) const { return At(face_.ComposeSurface(), x, y); }
  COLORREF Background(int x, int y) const { return At(face_.BackgroundSurface(), x, y); }
  std::vector<unsigned char> ComposedBits() const {
    GdiFlush();
    const DrawSurface& s = face_.ComposeSurface();
    return std::vector<unsigned char>(s.bits(), s.bits() + 200 * s.stride());
  }
  // A 16-bit top-down face of `size` x `size` in `colour`, as the program composes.
  std::unique_ptr<DrawSurface> Face(int size, COLORREF colour) const {
    auto face = std::make_unique<DrawSurface>();
    EXPECT_EQ(face->Create(window_, size, size, 16), 1);
    const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const RECT all = {0, 0, size, size};
    FillRect(face->memoryDc(), &all, brush.get());
    return face;
  }
  // Whether timer 1 ticks within six of the sweep's 50 ms periods; watching its
  // ticks leaves it running, as a KillTimer probe would not.
  static bool TimerOneTicks() {
    g_redrawTicks = 0;
    return WaitFor([] { return g_redrawTicks > 0; }, 300);
  }

  // Runs OpenConfig while `drive` acts once on the dialog; returns its result.
  int OpenConfigWith(const std::function<void(HWND)>& drive) {
    const ModalWatchdog watchdog;
    bool driven = false;
    const ModalTimer timer([&] {
      for (HWND dialog :
           FindDialogs(GetCurrentProcessId(), GetCurrentThreadId(), kDialogTitle, false)) {
        if (driven) return;
        driven = true;
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), window_);
        drive(dialog);
      }
    });
    const int result = Export<KelvaneModuleOpenConfigFn>("OpenConfig")(window_, 0);
    EXPECT_TRUE(driven);
    return result;
  }

  TempDir folder_{"kelvane-analog"};
  const std::string dll_ = folder_.File("Analog.dll");
  const std::string ini_ = folder_.File("Analog.ini");
  HWND window_ = nullptr;
  ClockFace face_;

 private:
  static COLORREF At(const DrawSurface& s, int x, int y) {
    GdiFlush();
    return Pixel555(s.bits(), s.stride(), x, y);
  }
};

TEST_F(AnalogTest, ExportsItsSixFunctionsByPlainNames) {
  Load();
  for (const char* name :
       {"Initialize", "Uninitialize", "DrawClock", "DrawClockScaled", "OpenConfig", "Reset"}) {
    EXPECT_NE(Export<void*>(name), nullptr) << name;
  }
}

TEST_F(AnalogTest, TheHandsShowOverTheBackgroundAtTheirAngles) {
  Load();
  const struct {
    SYSTEMTIME time;
    POINT hour, minute, second;
    std::vector<POINT> untouched;
  } rows[] = {
      // 03:00:45: the minute hand 4.5 degrees past twelve, the second hand on 9.
      {Time(3, 0, 45), {135, 100}, {103, 60}, {50, 100}, {{100, 140}, {140, 140}, {60, 60}}},
      // 21:30:00: the hour hand halfway between 9 and 10, the minute hand on 6.
      {Time(21, 30, 0), {71, 92}, {100, 150}, {100, 40}, {{140, 100}, {60, 140}, {140, 60}}},
  };
  for (const auto& row : rows) {
    face_.Draw(&row.time);
    EXPECT_EQ(Composed(row.hour.x, row.hour.y), To555(kWhiteHands)) << row.time.wHour;
    EXPECT_EQ(Composed(row.minute.x, row.minute.y), To555(kWhiteHands)) << row.time.wHour;
    EXPECT_EQ(Composed(row.second.x, row.second.y), To555(kOrangeSecond)) << row.time.wHour;
    for (const POINT& p : row.untouched) {
      EXPECT_EQ(Composed(p.x, p.y), Background(p.x, p.y)) << p.x << ", " << p.y;
    }
  }
}

// At 1:30 the hour hand points at 45 degrees and the minute hand straight down.
// On larger faces the hands lie at the same angles with their lengths scaled, and
// their anti-aliased edges are no wider than at 200, as drawn at the real size and
// not enlarged; a bitmap without pixels gets scaled GDI lines.
TEST_F(AnalogTest, ScaledFacesKeepTheAnglesScaleTheHandsAndKeepTheEdgesCrisp) {
  WriteIni("[ANALOG]\r\nSECOND_HAND=0\r\nSHADOW=0\r\n");
  Load();
  const auto drawScaled = Export<KelvaneModuleDrawScaledFn>("DrawClockScaled");
  const SYSTEMTIME t = Time(1, 30, 0);
  const struct { double degrees, length; } hands[] = {{45, 43}, {180, 64}};
  double edgeAt200 = 0;
  for (int size : {200, 300, 400}) {
    const auto face = Face(size, kRimColour);
    drawScaled(face->memoryDc(), &t, size);
    GdiFlush();
    const double scale = size / 200.0;
    // The pixel `along` the hand at `degrees` and `across` it, in units of the 200 face.
    const auto at = [&](double degrees, double along, double across = 0) {
      const double a = degrees * 3.14159265358979 / 180;
      const double x = size / 2 + scale * (along * std::sin(a) + across * std::cos(a));
      const double y = size / 2 - scale * (along * std::cos(a) - across * std::sin(a));
      return Pixel555(face->bits(), face->stride(), static_cast<int>(std::lround(x)),
                      static_cast<int>(std::lround(y)));
    };
    for (const auto& hand : hands) {
      for (double share : {0.3, 0.55, 0.8}) {
        EXPECT_EQ(at(hand.degrees, share * hand.length), To555(kWhiteHands))
            << hand.degrees << " at " << share << ", " << size;
      }
      EXPECT_EQ(at(hand.degrees, hand.length + 4), To555(kRimColour))
          << hand.degrees << ", " << size;
      EXPECT_EQ(at(hand.degrees, hand.length / 2, 8), To555(kRimColour))
          << hand.degrees << ", " << size;
    }
    // Pixels neither face nor hand across the minute hand, on each row along it:
    // about one an edge at every size.
    int partial = 0, rows = 0;
    for (double along = 20; along <= 50; along += 1 / scale, ++rows) {
      for (double across = -10; across <= 10; across += 1 / scale) {
        const COLORREF c = at(180, along, across);
        partial += c != To555(kWhiteHands) && c != To555(kRimColour);
      }
    }
    const double edge = static_cast<double>(partial) / rows;
    if (size == 200) edgeAt200 = edge;
    EXPECT_LE(edge, edgeAt200 + 0.25) << size;
  }
  const GdiObject<HBITMAP> bitmap(
      CreateCompatibleBitmap(face_.ComposeSurface().memoryDc(), 400, 400));
  const MemoryDc dc(nullptr);
  const ScopedSelect select(dc.get(), bitmap.get());
  PatBlt(dc.get(), 0, 0, 400, 400, BLACKNESS);
  drawScaled(dc.get(), &t, 400);
  EXPECT_EQ(GetPixel(dc.get(), 200, 300) & 0xF8F8F8, To555(kWhiteHands)) << "minute hand";
  EXPECT_EQ(GetPixel(dc.get(), 200, 340), 0u) << "beyond the minute hand";
}

TEST_F(AnalogTest, ScaledAt200ItDrawsWhatDrawClockDraws) {
  for (const char* ini : {"", "[ANALOG]\r\nSECOND_HAND=2\r\nSCHEME=3\r\n"}) {
    Unload();
    WriteIni(ini);
    Load();
    SYSTEMTIME t = Time(10, 9, 36);
    t.wMilliseconds = 250;
    const auto drawn = Face(200, RGB(90, 140, 60)), scaled = Face(200, RGB(90, 140, 60));
    Export<KelvaneModuleDrawFn>("DrawClock")(drawn->memoryDc(), &t, 0);
    Export<KelvaneModuleDrawScaledFn>("DrawClockScaled")(scaled->memoryDc(), &t, 200);
    GdiFlush();
    EXPECT_EQ(std::memcmp(drawn->bits(), scaled->bits(), 200 * drawn->stride()), 0) << ini;
  }
}

// A bottom-up DIB section of `depth` bits.
HBITMAP BottomUpDib(int depth) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 200;
  info.bmiHeader.biHeight = 200;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(depth);
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

TEST_F(AnalogTest, DrawsOnEveryBitmapAndLeavesPenBrushBitmapAndPositionAsItFoundThem) {
  Load();
  const auto drawClock = Export<KelvaneModuleDrawFn>("DrawClock");
  HDC screen = GetDC(nullptr);
  // Besides the face's own surface: bottom-up DIB sections of 24 and 32 bits, and
  // a device-dependent bitmap, which gets plain GDI lines.
  const GdiObject<HBITMAP> bitmaps[] = {
      GdiObject<HBITMAP>(BottomUpDib(24)), GdiObject<HBITMAP>(BottomUpDib(32)),
      GdiObject<HBITMAP>(CreateCompatibleBitmap(screen, 200, 200))};
  ReleaseDC(nullptr, screen);
  std::vector<HDC> dcs = {face_.ComposeSurface().memoryDc()};
  std::vector<std::unique_ptr<MemoryDc>> memoryDcs;
  std::vector<std::unique_ptr<ScopedSelect>> selections;
  for (const auto& bitmap : bitmaps) {
    memoryDcs.push_back(std::make_unique<MemoryDc>(nullptr));
    selections.push_back(std::make_unique<ScopedSelect>(memoryDcs.back()->get(), bitmap.get()));
    PatBlt(memoryDcs.back()->get(), 0, 0, 200, 200, BLACKNESS);
    dcs.push_back(memoryDcs.back()->get());
  }
  for (HDC dc : dcs) {
    const GdiObject<HPEN> pen(CreatePen(PS_DOT, 1, RGB(1, 2, 3)));
    const GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(4, 5, 6)));
    const ScopedSelect selectPen(dc, pen.get());
    const ScopedSelect selectBrush(dc, brush.get());
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    MoveToEx(dc, 7, 9, nullptr);
    const SYSTEMTIME t = Time(3, 0, 0);
    drawClock(dc, &t, 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    POINT position{};
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position.x, 7);
    EXPECT_EQ(position.y, 9);
    EXPECT_EQ(GetPixel(dc, 135, 100) & 0xF8F8F8, To555(kWhiteHands)) << "the hour hand";
    EXPECT_EQ(GetPixel(dc, 100, 140), 0u) << "below the centre";
  }
}

TEST_F(AnalogTest, SweepingRunsTimerOneUntilUninitialize) {
  WriteIni("[ANALOG]\r\nSECOND_HAND=2\r\n");
  Load();
  EXPECT_TRUE(WaitFor([] { return g_redrawTicks >= 3; }));
  Export<KelvaneModuleUninitializeFn>("Uninitialize")();
  EXPECT_FALSE(TimerOneTicks());
}

TEST_F(AnalogTest, OtherModesStartNoTimerAndLeaveSomeoneElsesTimerOne) {
  for (const char* mode : {"0", "1"}) {
    WriteIni(std::string("[ANALOG]\r\nSECOND_HAND=") + mode + "\r\n");
    Load();
    EXPECT_FALSE(TimerOneTicks()) << mode;
    SetTimer(window_, 1, 50, nullptr);
    Unload();
    EXPECT_TRUE(TimerOneTicks()) << mode;
    KillTimer(window_, 1);
  }
}

TEST_F(AnalogTest, OpenConfigThenResetChangesWhatIsDrawnAndTheTimer) {
  Load();
  const SYSTEMTIME t = Time(3, 0, 0);
  const int changed = OpenConfigWith([](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_SCHEME, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(dialog, IDC_SECOND_SWEEP, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
  });
  EXPECT_EQ(changed, 1);
  const std::string ini = ReadText(ini_);
  EXPECT_NE(ini.find("SCHEME=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("SECOND_HAND=2"), std::string::npos) << ini;
  face_.Draw(&t);
  EXPECT_EQ(Composed(135, 100), To555(kWhiteHands));  // in force only after Reset
  EXPECT_FALSE(TimerOneTicks());

  Export<KelvaneModuleResetFn>("Reset")();
  face_.Draw(&t);
  EXPECT_EQ(Composed(135, 100), To555(kBlackHands));
  EXPECT_TRUE(WaitFor([] { return g_redrawTicks >= 3; }));

  // Back to once a second: the next composition ends the timer.
  OpenConfigWith([](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_SECOND_STEP, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
  });
  Export<KelvaneModuleResetFn>("Reset")();
  face_.Draw(&t);
  EXPECT_FALSE(TimerOneTicks());
  // A timer 1 that someone else starts now is not the module's to stop.
  SetTimer(window_, 1, 50, nullptr);
  Export<KelvaneModuleUninitializeFn>("Uninitialize")();
  EXPECT_TRUE(TimerOneTicks());
}

TEST_F(AnalogTest, CancelOrOkWithoutAChangeReturnsZeroAndWritesNothing) {
  Load();
  for (int button : {IDCANCEL, IDOK}) {
    const int changed = OpenConfigWith([button](HWND dialog) {
      SendDlgItemMessageA(dialog, IDC_SHADOW, BM_CLICK, 0, 0);
      if (button == IDOK) SendDlgItemMessageA(dialog, IDC_SHADOW, BM_CLICK, 0, 0);
      SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(changed, 0) << button;
    EXPECT_EQ(GetFileAttributesA(ini_.c_str()), INVALID_FILE_ATTRIBUTES) << button;
  }
}

TEST_F(AnalogTest, DamagedOrUnknownValuesGiveTheDefaults) {
  const SYSTEMTIME t = Time(10, 9, 36);
  Load();
  face_.Draw(&t);
  const std::vector<unsigned char> defaults = ComposedBits();
  const struct {
    const char* ini;
    bool defaults;
  } rows[] = {
      {"[ANALOG]\r\nSECOND_HAND=9\r\nSCHEME=7\r\nSHADOW=2\r\n", true},
      // A sign is damage; a space before a value is not: the profile functions trim it.
      {"[ANALOG]\r\nSECOND_HAND=-1\r\nSCHEME=01\r\nSHADOW=+0\r\n", true},
      {"[ANALOG]\r\nSECOND_HAND=2x\r\nSCHEME=1.0\r\nSHADOW=\r\n", true},
      {"\xff\xfe\x00\x01[ANALOG\r\nSCHEME=\x81\x5c\r\n", true},
      {"[ANALOG]\r\nSCHEME=1\r\n", false},  // a good value does change the face
  };
  for (const auto& row : rows) {
    Unload();
    WriteIni(row.ini);
    Load();
    face_.Draw(&t);
    EXPECT_EQ(ComposedBits() == defaults, row.defaults) << row.ini;
    EXPECT_FALSE(TimerOneTicks()) << row.ini;
  }
}

}  // namespace
