#include <windows.h>
// windows.h first: shlobj.h builds on it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "tests/program/running_clock.h"
#include "tests/win32/test_support.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kelvane";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The packages that scripts/package.sh made of this tree, beside the tests.
std::string Package(const std::string& name) { return ExeDir() + "\\package\\" + name; }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs `commandLine` and waits for it; its exit code, or -1.
long RunToEnd(std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

std::string UserValue(const char* key, const char* name) {
  char value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != 0) {
    return "<absent>";
  }
  return value;
}

std::string StartMenuShortcut() {
  char programs[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
  return std::string(programs) + "\\Kelvane Vesk.lnk";
}

// The installed or unpacked clock runs with both shipped modules in their slots
// and both shipped plug-ins loaded.
void ExpectClockRunsWithBothModules(const std::string& folder) {
  RunningClock clock(folder + "\\Kelvane.exe", folder);
  const HWND window = clock.WaitForWindow();
  ASSERT_NE(window, nullptr) << folder;
  // Plug-ins load after the first face is shown.
  for (const char* module : {"Analog.dll", "Mirrick.dll", "wallpaper.dll", "chime.dll"}) {
    EXPECT_TRUE(WaitFor([&] { return ProcessHasModule(window, module); }))
        << folder << " " << module;
  }
}

TEST(PackageTest, TheInstallerInstallsUpgradesKeepingSettingsAndUninstallsEverything) {
  const std::string setup = Package("Kelvane-" KELVANE_VERSION "-setup.exe");
  ASSERT_TRUE(Exists(setup)) << setup;
  TempDir target("kelvane-install");
  const std::string folder = target.File("Kelvane");
  // A licence of something else already in the folder is none of the installer's.
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteBytes(folder + "\\LICENSE.txt", {'t', 'h', 'e', 'i', 'r', 's'});
  ASSERT_EQ(RunToEnd("\"" + setup + "\" /S /STARTUP /D=" + folder), 0);

  for (const char* file : {"Kelvane.exe", "clock\\Analog.dll", "info\\Mirrick.dll",
                           "plugin\\wallpaper.dll", "plugin\\chime.dll", "plugin\\enable.txt",
                           "background\\dawn_lake.orb", "readme_ja.txt", "uninstall.exe"}) {
    EXPECT_TRUE(Exists(folder + "\\" + file)) << file;
  }
  EXPECT_EQ(ReadText(folder + "\\LICENSE.txt"), "theirs");
  EXPECT_TRUE(Exists(StartMenuShortcut()));
  EXPECT_EQ(UserValue(kUninstallKey, "InstallLocation"), folder);
  EXPECT_EQ(UserValue(kRunKey, "Kelvane"), "\"" + folder + "\\Kelvane.exe\"");
  ExpectClockRunsWithBothModules(folder);

  // An upgrade over a running clock whose plug-in takes seconds to release: the
  // installer waits for it to end, keeps what the user changed, drops the start
  // entry it was not asked for, and starts the clock again. Coming from before
  // the chime plug-in, the kept enable list learns its name on a line of its own.
  const std::string ini = folder + "\\kelvane.ini";
  WritePrivateProfileStringA("OBJECT", "MODULE_NAME", "mine.dll", ini.c_str());
  CopyFileA((ExeDir() + "\\plugin_slow_release.dll").c_str(),
            (folder + "\\plugin\\plugin_slow_release.dll").c_str(), FALSE);
  DeleteFileA((folder + "\\plugin\\chime.dll").c_str());
  const std::string enable = folder + "\\plugin\\enable.txt";
  const std::string before = "plugin_slow_release.dll";
  WriteBytes(enable, std::vector<unsigned char>(before.begin(), before.end()));
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Ornwick\\Kelvane Vesk\\plugin\\wallpaper",
                  "AUTO_CLOSE", REG_SZ, "1", 2);
  {
    RunningClock running(folder + "\\Kelvane.exe", folder);
    ASSERT_NE(running.WaitForWindow(), nullptr);
    ASSERT_EQ(RunToEnd("\"" + setup + "\" /S /D=" + folder), 0);
    EXPECT_TRUE(running.WaitForExit(0));
    EXPECT_TRUE(WaitFor([] { return FindWindowA("Kelvane", "Kelvane") != nullptr; }));
  }
  EXPECT_EQ(ReadText(enable), before + "\r\nchime.dll\r\n");
  char name[MAX_PATH] = {};
  GetPrivateProfileStringA("OBJECT", "MODULE_NAME", "", name, MAX_PATH, ini.c_str());
  EXPECT_STREQ(name, "mine.dll");
  EXPECT_EQ(UserValue(kRunKey, "Kelvane"), "<absent>");

  // The uninstaller closes that clock, runs from a copy of itself and removes the
  // uninstall entry last; the other program's licence stays.
  ASSERT_EQ(RunToEnd("\"" + folder + "\\uninstall.exe\" /S"), 0);
  EXPECT_TRUE(
      WaitFor([] { return UserValue(kUninstallKey, "InstallLocation") == "<absent>"; }, 30000));
  EXPECT_EQ(FindWindowA("Kelvane", "Kelvane"), nullptr);
  EXPECT_FALSE(Exists(folder + "\\Kelvane.exe"));
  EXPECT_FALSE(Exists(folder + "\\readme_ja.txt"));
  EXPECT_EQ(ReadText(folder + "\\LICENSE.txt"), "theirs");
  EXPECT_FALSE(Exists(StartMenuShortcut()));
  EXPECT_EQ(UserValue("Software\\Ornwick\\Kelvane Vesk\\plugin\\wallpaper", "AUTO_CLOSE"),
            "<absent>");
}

TEST(PackageTest, TheUnpackedZipRunsOnItsOwnRelativeSettings) {
  // scripts/package.sh unpacks the zip it made beside it, as a user would.
  const std::string folder = Package("unpacked\\Kelvane");
  char path[MAX_PATH] = {};
  GetPrivateProfileStringA("OBJECT", "MODULE_PATH", "", path, MAX_PATH,
                           (folder + "\\kelvane.ini").c_str());
  EXPECT_STREQ(path, "clock\\Analog.dll");
  ExpectClockRunsWithBothModules(folder);
}

}  // namespace
