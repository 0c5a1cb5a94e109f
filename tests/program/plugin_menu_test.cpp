#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugins/wallpaper/wallpaper_ids.h"
#include "resources/resource_ids.h"
#include "tests/program/running_clock.h"

namespace {

constexpr char kWallpaperCaption[] = "壁紙ツール(&W)";

// Copies DLLs from beside the test into "<program>\plugin" and enables them.
void InstallPlugins(const ProgramFolder& folder, const std::vector<std::string>& dlls) {
  CreateDirectoryA(folder.File("plugin").c_str(), nullptr);
  std::string enable;
  for (const std::string& dll : dlls) {
    CopyFileA((ExeDir() + "\\" + dll).c_str(), folder.File("plugin\\" + dll).c_str(), FALSE);
    enable += dll + "\r\n";
  }
  WriteBytes(folder.File("plugin\\enable.txt"),
             std::vector<unsigned char>(enable.begin(), enable.end()));
}

struct WindowSearch {
  DWORD processId;
  std::string className;
  std::string title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[64] = {}, title[64] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  if (processId != search->processId || search->className != className ||
      !IsWindowVisible(window) || (!search->title.empty() && search->title != title)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// A visible top-level window of the clock's process, or null after the timeout.
HWND WaitForClockWindow(HWND clock, const std::string& className, const std::string& title = "") {
  WindowSearch search{0, className, title, nullptr};
  GetWindowThreadProcessId(clock, &search.processId);
  WaitFor([&] {
    search.found = nullptr;
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

void OpenContextMenu(HWND clock) {
  PostMessageA(clock, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(clock), -1);
}

// A menu of another process cannot be read from here, so the probe plug-in, which
// runs inside the clock, logs the items of the open popup on its next second and
// closes it: "plugin_menu_probe MenuItem <id> <text>" or "... MenuItem -".
TEST(PluginMenu, TheWallpaperItemStandsWithTheOtherPlugInsAboveASeparatorAndHide) {
  CallLog log;
  ProgramFolder folder;
  InstallPlugins(folder, {"wallpaper.dll", "plugin_menu_probe.dll"});
  RunningClock clock(folder);
  HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitFor([&] { return !log.Matching("Init").empty(); }));
  OpenContextMenu(window);
  ASSERT_TRUE(WaitFor([&] { return !log.Matching("MenuEnd").empty(); }));

  std::vector<std::string> items;
  for (const std::string& line : log.Matching("MenuItem")) {
    items.push_back(line.substr(line.find("MenuItem ") + 9));
  }
  size_t hide = 0;
  while (hide < items.size() && items[hide].rfind(std::to_string(IDM_HIDE) + " ", 0) != 0) ++hide;
  ASSERT_TRUE(hide >= 3 && hide < items.size()) << testing::PrintToString(items);
  EXPECT_EQ(items[hide - 1], "-");
  // Plug-in ids are small numbers; the clock's own start at IDM_CLOSE.
  std::vector<std::string> plugins;
  for (const std::string& item : items) {
    if (item != "-" && std::stoul(item) < IDM_CLOSE) plugins.push_back(item);
  }
  const std::vector<std::string> atHide = {items[hide - 3], items[hide - 2]};
  EXPECT_EQ(plugins, atHide);
  using Items = std::vector<std::string>;
  const std::string wallpaper = kWallpaperCaption;
  EXPECT_TRUE(atHide == (Items{"0 " + wallpaper, "1 plugin_menu_probe"}) ||
              atHide == (Items{"0 plugin_menu_probe", "1 " + wallpaper}))
      << testing::PrintToString(items);
}

TEST(PluginMenu, PickingTheWallpaperItemOpensItsDialogOverTheTickingClock) {
  CallLog log;
  // "表示ソフト": both 表 and ソ end in a 0x5C trail byte.
  ProgramFolder folder("\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67");
  InstallPlugins(folder, {"wallpaper.dll"});
  folder.Set("OBJECT", "MODULE_PATH2", folder.Install("info_green.dll", "info"));
  RunningClock clock(folder);
  HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr);
  OpenContextMenu(window);
  HWND popup = WaitForClockWindow(window, "#32768");
  ASSERT_NE(popup, nullptr);
  // Its access key W is also the one of the "ウインドウ(&W)" submenu, so the item is
  // reached from below: up to close, hide, over the separator to the plug-in.
  for (int i = 0; i < 3; ++i) PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);

  // Once painted, the dialog's title shows the previewed file instead of its own.
  HWND dialog = WaitForClockWindow(window, "#32770");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
  EXPECT_NE(GetDlgItem(dialog, IDC_FILE_LIST), nullptr);
  // The dialog's modal loop goes on composing a face every second.
  const size_t faces = log.Matching("DrawInfo").size();
  EXPECT_TRUE(WaitFor([&] { return log.Matching("DrawInfo").size() >= faces + 2; }));
  PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitFor([dialog] { return !IsWindow(dialog); }));
  EXPECT_TRUE(IsWindow(window));
}

}  // namespace
