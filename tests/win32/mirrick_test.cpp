#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "base/win/loaded_library.h"
#include "imaging/draw_surface.h"
#include "sdk/kelvane_module.h"
#include "tests/win32/test_support.h"

namespace {

const COLORREF kTeal = RGB(0x40, 0x80, 0xC0);

SYSTEMTIME Time(int month, int day, int hour, int minute, int second) {
  return LocalTime(2026, month, day, hour, minute, second);
}

// The info module loaded from the build folder, with its exports.
class Mirrick {
 public:
  Mirrick() : module_(LoadLibraryA((ExeDir() + "\\Mirrick.dll").c_str())) {
    initialize = module_.Export<KelvaneModuleInitializeFn>("Initialize");
    uninitialize = module_.Export<KelvaneModuleUninitializeFn>("Uninitialize");
    drawInfo = module_.Export<KelvaneModuleDrawFn>("DrawInfo");
    drawInfoScaled = module_.Export<KelvaneModuleDrawScaledFn>("DrawInfoScaled");
    openConfig = module_.Export<KelvaneModuleOpenConfigFn>("OpenConfig");
  }
  bool loaded() const {
    return module_.get() && initialize && uninitialize && drawInfo && drawInfoScaled && openConfig;
  }

  KelvaneModuleInitializeFn initialize = nullptr;
  KelvaneModuleUninitializeFn uninitialize = nullptr;
  KelvaneModuleDrawFn drawInfo = nullptr;
  KelvaneModuleDrawScaledFn drawInfoScaled = nullptr;
  KelvaneModuleOpenConfigFn openConfig = nullptr;

 private:
  LoadedLibrary module_;
};

class MirrickTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(drawn_.Create(window_.get(), 200, 200, 16), 1);
    ASSERT_EQ(expected_.Create(window_.get(), 200, 200, 16), 1);
    Fill(drawn_);
    Fill(expected_);
  }

  static void Fill(const DrawSurface& surface) {
    HBRUSH brush = CreateSolidBrush(kTeal);
    const RECT all{0, 0, static_cast<LONG>(surface.width()), static_cast<LONG>(surface.height())};
    FillRect(surface.memoryDc(), &all, brush);
    DeleteObject(brush);
  }

  // What the box with `text` must look like: drawn here with plain GDI calls.
  void DrawExpected(const char* text) {
    HDC dc = expected_.memoryDc();
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(10, 10, 10));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    RoundRect(dc, 65, 145, 135, 163, 10, 10);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    const int mode = SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 70, 145, text, static_cast<int>(std::strlen(text)));
    SetBkMode(dc, mode);
  }

  bool SameAsExpected() const {
    GdiFlush();
    return std::memcmp(drawn_.bits(), expected_.bits(), 200 * drawn_.stride()) == 0;
  }

  TestWindow window_{0, 0, 10, 10, RGB(0, 0, 0)};
  DrawSurface drawn_;
  DrawSurface expected_;
};

TEST_F(MirrickTest, ExportsItsFunctionsByPlainNames) {
  Mirrick mirrick;
  EXPECT_TRUE(mirrick.loaded());
}

TEST_F(MirrickTest, DrawsTheTimeInAWhiteRoundedBox) {
  Mirrick mirrick;
  ASSERT_TRUE(mirrick.loaded());
  mirrick.initialize(window_.get());
  const SYSTEMTIME t = Time(5, 1, 9, 5, 3);
  EXPECT_EQ(mirrick.drawInfo(drawn_.memoryDc(), &t, 0), 1);
  DrawExpected("09:05:03");
  EXPECT_TRUE(SameAsExpected());
  GdiFlush();
  EXPECT_EQ(Pixel555(drawn_.bits(), drawn_.stride(), 100, 145), To555(RGB(10, 10, 10)));
  EXPECT_EQ(Pixel555(drawn_.bits(), drawn_.stride(), 65, 155), To555(RGB(10, 10, 10)));
  EXPECT_EQ(Pixel555(drawn_.bits(), drawn_.stride(), 67, 155), To555(RGB(255, 255, 255)));
  EXPECT_EQ(Pixel555(drawn_.bits(), drawn_.stride(), 65, 145), To555(kTeal));  // a rounded corner
  EXPECT_EQ(Pixel555(drawn_.bits(), drawn_.stride(), 100, 163), To555(kTeal));
  mirrick.uninitialize();
}

TEST_F(MirrickTest, MidnightAndTheLastSecondOfTheDay) {
  Mirrick mirrick;
  ASSERT_TRUE(mirrick.loaded());
  mirrick.initialize(window_.get());
  for (const auto& [time, text] : {std::pair{Time(12, 31, 23, 59, 59), "23:59:59"},
                                   std::pair{Time(1, 1, 0, 0, 0), "00:00:00"}}) {
    Fill(drawn_);
    Fill(expected_);
    mirrick.drawInfo(drawn_.memoryDc(), &time, 0);
    DrawExpected(text);
    EXPECT_TRUE(SameAsExpected()) << text;
  }
  mirrick.uninitialize();
}

TEST_F(MirrickTest, OpenConfigSwitchesBetweenDateAndTime) {
  Mirrick mirrick;
  ASSERT_TRUE(mirrick.loaded());
  mirrick.initialize(window_.get());
  EXPECT_EQ(mirrick.openConfig(window_.get(), 0), 0);  // no Reset is wanted
  struct Case {
    SYSTEMTIME time;
    const char* text;
  };
  // "%2d月%2d日": 12月31日, and space-padded " 1月 1日".
  for (const Case& c : {Case{Time(12, 31, 8, 0, 0),
                             "12\x8c\x8e"
                             "31\x93\xfa"},
                        Case{Time(1, 1, 8, 0, 0), " 1\x8c\x8e 1\x93\xfa"}}) {
    Fill(drawn_);
    Fill(expected_);
    mirrick.drawInfo(drawn_.memoryDc(), &c.time, 0);
    DrawExpected(c.text);
    EXPECT_TRUE(SameAsExpected()) << c.text;
  }
  mirrick.openConfig(window_.get(), 0);
  Fill(drawn_);
  Fill(expected_);
  const SYSTEMTIME t = Time(1, 1, 8, 0, 0);
  mirrick.drawInfo(drawn_.memoryDc(), &t, 0);
  DrawExpected("08:00:00");
  EXPECT_TRUE(SameAsExpected());
  mirrick.uninitialize();
}

TEST_F(MirrickTest, AFreshLoadShowsTheTimeAgain) {
  {
    Mirrick first;
    ASSERT_TRUE(first.loaded());
    first.initialize(window_.get());
    first.openConfig(window_.get(), 0);
    first.uninitialize();
  }
  Mirrick second;
  ASSERT_TRUE(second.loaded());
  second.initialize(window_.get());
  const SYSTEMTIME t = Time(3, 4, 10, 11, 12);
  second.drawInfo(drawn_.memoryDc(), &t, 0);
  DrawExpected("10:11:12");
  EXPECT_TRUE(SameAsExpected());
  second.uninitialize();
}

TEST_F(MirrickTest, LeavesPenBrushAndBackgroundModeAsItFoundThem) {
  Mirrick mirrick;
  ASSERT_TRUE(mirrick.loaded());
  mirrick.initialize(window_.get());
  HDC dc = drawn_.memoryDc();
  HPEN pen = CreatePen(PS_DOT, 1, RGB(1, 2, 3));
  HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  SetBkMode(dc, OPAQUE);
  const SYSTEMTIME t = Time(5, 1, 9, 5, 3);
  mirrick.drawInfo(dc, &t, 0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
  mirrick.uninitialize();
}

// The smallest rectangle around the pixels of `surface` that are not `outside`
// within `area`.
RECT InkBounds(const DrawSurface& surface, const RECT& area, COLORREF outside) {
  GdiFlush();
  RECT ink = {area.right, area.bottom, area.left - 1, area.top - 1};
  for (LONG y = area.top; y < area.bottom; ++y) {
    for (LONG x = area.left; x < area.right; ++x) {
      if (Pixel555(surface.bits(), surface.stride(), x, y) == To555(outside)) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
             std::max(ink.bottom, y)};
    }
  }
  return ink;
}

// At 300 the box lies at its place and size times 1.5 and the text is written in
// a font 1.5 times as high; at 200 the scaled export draws what DrawInfo draws.
TEST_F(MirrickTest, TheScaledBoxAndTextGrowWithTheFace) {
  Mirrick mirrick;
  ASSERT_TRUE(mirrick.loaded());
  mirrick.initialize(window_.get());
  const SYSTEMTIME t = Time(5, 1, 9, 5, 3);
  mirrick.drawInfo(expected_.memoryDc(), &t, 0);
  EXPECT_EQ(mirrick.drawInfoScaled(drawn_.memoryDc(), &t, 200), 1);
  EXPECT_TRUE(SameAsExpected());

  DrawSurface large;
  ASSERT_EQ(large.Create(window_.get(), 300, 300, 16), 1);
  Fill(large);
  EXPECT_EQ(mirrick.drawInfoScaled(large.memoryDc(), &t, 300), 1);
  // The box and, between its border lines and clear of its rounded corners, the
  // digits' ink, at 300 and at 200: positions and sizes 1.5 times as large.
  const RECT areas[][2] = {{{0, 0, 300, 300}, {0, 0, 200, 200}},
                           {{113, 220, 188, 243}, {75, 146, 125, 162}}};
  const COLORREF around[] = {kTeal, RGB(255, 255, 255)};
  for (int i = 0; i < 2; ++i) {
    const RECT scaled = InkBounds(large, areas[i][0], around[i]);
    const RECT small = InkBounds(expected_, areas[i][1], around[i]);
    EXPECT_NEAR(scaled.left, 1.5 * small.left, 1.5) << i;
    EXPECT_NEAR(scaled.top, 1.5 * small.top, 1.5) << i;
    EXPECT_NEAR(scaled.right - scaled.left + 1, 1.5 * (small.right - small.left + 1), 1.5) << i;
    EXPECT_NEAR(scaled.bottom - scaled.top + 1, 1.5 * (small.bottom - small.top + 1), 1.5) << i;
  }
  mirrick.uninitialize();
}

}  // namespace
