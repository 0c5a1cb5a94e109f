#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/window/clock_program.h"
#include "app/window/clock_window.h"
#include "resources/resource_ids.h"
#include "tests/win32/test_support.h"

namespace {

struct Item {
  UINT id;
  std::string text;
  UINT type;
  UINT state;
  bool submenu;
};

std::vector<Item> ReadItems(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    items.push_back(Item{info.wID, text, info.fType, info.fState, info.hSubMenu != nullptr});
  }
  return items;
}

// The clock window procedure in this process, on a clock made for the test; the
// settings file is the one beside the test program.
class ContextMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(ini_.c_str());
    RegisterClockWindowClass(GetModuleHandleA(nullptr));
    program_.window =
        CreateWindowExA(WS_EX_TOOLWINDOW, kClockName, "context menu test", WS_POPUP, 400, 300, 200,
                        200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    BindClockWindow(program_.window, &program_);
    ShowWindow(program_.window, SW_SHOWNOACTIVATE);
  }

  void TearDown() override {
    DestroyWindow(program_.window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    DeleteFileA(ini_.c_str());
  }

  // Opens the context menu, reads its items and those of its first submenu from
  // another thread while the menu is shown, then closes it with Esc.
  void ReadContextMenu() {
    std::atomic<bool> done{false};
    std::thread reader([&] {
      HWND popup = nullptr;
      WaitFor([&] {
        popup = FindWindowA("#32768", nullptr);
        return popup != nullptr && IsWindowVisible(popup);
      });
      HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
      main_ = ReadItems(menu);
      window_ = ReadItems(GetSubMenu(menu, 0));
      opacity_ = ReadItems(GetSubMenu(GetSubMenu(menu, 0), 9));
      PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
      done = true;
    });
    PostMessageA(program_.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(program_.window), -1);
    WaitFor([&] { return done.load(); });
    reader.join();
  }

  const std::string ini_ = ExeDir() + "\\kelvane.ini";
  ClockProgram program_;
  std::vector<Item> main_;
  std::vector<Item> window_;
  std::vector<Item> opacity_;
};

TEST_F(ContextMenuTest, HasTheClocksCommandsInOrder) {
  ReadContextMenu();
  ASSERT_EQ(main_.size(), 5u);
  EXPECT_TRUE(main_[0].submenu);
  EXPECT_EQ(main_[0].text, "ウインドウ(&W)");
  EXPECT_EQ(main_[1].text, "カスタマイズ(&O)");
  EXPECT_EQ(main_[1].id, 40002u);
  EXPECT_TRUE(main_[2].type & MFT_SEPARATOR);
  EXPECT_EQ(main_[3].text, "非表示（&H)");
  EXPECT_EQ(main_[3].id, 40009u);
  EXPECT_EQ(main_[4].text, "閉じる(&C)");
  EXPECT_EQ(main_[4].id, 40001u);

  const std::vector<std::pair<UINT, std::string>> expected = {{40004, "標準位置表示(&D)"},
                                                              {40005, "常に手前に表示(&T)"},
                                                              {40006, "常に背面に表示(&B)"},
                                                              {0, ""},
                                                              {40008, "マウスカーソル回避(&H)"},
                                                              {40010, "位置を固定する(&L)"},
                                                              {0, ""},
                                                              {40011, "全画面表示中は隠す"},
                                                              {40012, "クリックを透過する"}};
  ASSERT_EQ(window_.size(), expected.size() + 1);
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(window_[i].id, expected[i].first) << i;
    EXPECT_EQ(window_[i].text, expected[i].second) << i;
  }
  EXPECT_TRUE(window_[3].type & MFT_SEPARATOR);
  EXPECT_TRUE(window_[6].type & MFT_SEPARATOR);
  EXPECT_TRUE(window_[9].submenu);
  EXPECT_EQ(window_[9].text, "不透明度");
  ASSERT_EQ(opacity_.size(), 4u);
  for (size_t i = 0; i < opacity_.size(); ++i) {
    EXPECT_EQ(opacity_[i].id, 40013u + i);
    EXPECT_EQ(opacity_[i].text, std::to_string(kOpacities[i]) + "%");
  }
}

TEST_F(ContextMenuTest, MarksTheSavedStackingModeAndTheOptionsThatAreOn) {
  WritePrivateProfileStringA("WINDOW", "POS_Z", "1", ini_.c_str());
  program_.autoHide = 1;
  program_.hideFullScreen = 0;
  program_.clickThrough = 1;
  program_.opacity = 75;
  ReadContextMenu();
  ASSERT_EQ(window_.size(), 10u);
  EXPECT_TRUE(window_[1].type & MFT_RADIOCHECK);
  EXPECT_TRUE(window_[1].state & MFS_CHECKED);
  EXPECT_FALSE(window_[0].state & MFS_CHECKED);
  EXPECT_FALSE(window_[2].state & MFS_CHECKED);
  EXPECT_TRUE(window_[4].state & MFS_CHECKED);
  EXPECT_FALSE(window_[5].state & MFS_CHECKED);
  EXPECT_FALSE(window_[7].state & MFS_CHECKED);
  EXPECT_TRUE(window_[8].state & MFS_CHECKED);
  ASSERT_EQ(opacity_.size(), 4u);
  for (size_t i = 0; i < opacity_.size(); ++i) {
    EXPECT_EQ((opacity_[i].state & MFS_CHECKED) != 0, i == 2) << i;
  }
  EXPECT_TRUE(opacity_[2].type & MFT_RADIOCHECK);
}

TEST_F(ContextMenuTest, ReadsTheStackingModeFromTheFileNotFromMemory) {
  WritePrivateProfileStringA("WINDOW", "POS_Z", "2", ini_.c_str());
  program_.stackingMode = StackingMode::Normal;
  program_.positionLock = 1;
  ReadContextMenu();
  ASSERT_EQ(window_.size(), 10u);
  EXPECT_TRUE(window_[2].state & MFS_CHECKED);
  EXPECT_FALSE(window_[0].state & MFS_CHECKED);
  EXPECT_FALSE(window_[4].state & MFS_CHECKED);
  EXPECT_TRUE(window_[5].state & MFS_CHECKED);
}

TEST_F(ContextMenuTest, WithoutASettingsFileOrWithAStackingOutOfRangeNormalIsMarked) {
  for (const char* saved : {static_cast<const char*>(nullptr), "4", "6", "-1"}) {
    SCOPED_TRACE(saved != nullptr ? saved : "no value");
    WritePrivateProfileStringA("WINDOW", "POS_Z", saved, ini_.c_str());
    ReadContextMenu();
    ASSERT_EQ(window_.size(), 10u);
    EXPECT_TRUE(window_[0].state & MFS_CHECKED);
    EXPECT_TRUE(window_[0].type & MFT_RADIOCHECK);
    // Hiding for full-screen programs is on by default; nothing else is marked.
    for (size_t i = 1; i < window_.size(); ++i) {
      EXPECT_EQ((window_[i].state & MFS_CHECKED) != 0, i == 7) << i;
    }
  }
}

}  // namespace
