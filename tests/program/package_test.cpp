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
  EXPECT_TRUE(WaitFor([&] { return ProcessHasModule(window, "Analog.dll"); })) << folder;
  for (const char* module : {"Mirrick.dll", "wallpaper.dll", "chime.dll"}) {
    EXPECT_TRUE(ProcessHasModule(window, module)) << folder << " " << module;
  }
}

TEST(PackageTest, TheInstallerInstallsUpgradesKeepingSettingsAndUninstallsEverything) {
  const std::string setup = Package("Kelvane-" KELVANE_VERSION "-setup.exe");
  ASSERT_TRUE(Exists(setup)) << setup;
  TempDir target("kelvane-install");
  const std::string folder = target.File("Kelvane");
  ASSERT_EQ(RunToEnd("\"" + setup + "\" /S /STARTUP /D=" + folder), 0);

  for (const char* file :
       {"Kelvane.exe", "clock\\Analog.dll", "info\\Mirrick.dll", "plugin\\wallpaper.dll",
        "plugin\\chime.dll", "plugin\\enable.txt", "background\\dawn_lake.orb", "readme_ja.txt",
        "LICENSE.txt", "uninstall.exe"}) {
    EXPECT_TRUE(Exists(folder + "\\" + file)) << file;
  }
  EXPECT_TRUE(Exists(StartMenuShortcut()));
  EXPECT_EQ(UserValue(kUninstallKey, "InstallLocation"), folder);
  EXPECT_EQ(UserValue(kRunKey, "Kelvane"), "\"" + folder + "\\Kelvane.exe\"");
  ExpectClockRunsWithBothModules(folder);

  // An upgrade over it keeps what the user changed; an enable list from before
  // the chime plug-in learns its name.
  const std::string ini = folder + "\\kelvane.ini";
  WritePrivateProfileStringA("OBJECT", "MODULE_NAME", "mine.dll", ini.c_str());
  const std::string enable = folder + "\\plugin\\enable.txt";
  const std::string before = "wallpaper.dll\r\n";
  WriteBytes(enable, std::vector<unsigned char>(before.begin(), before.end()));
  ASSERT_EQ(RunToEnd("\"" + setup + "\" /S /D=" + folder), 0);
  EXPECT_EQ(ReadText(enable), before + "chime.dll\r\n");
  char name[MAX_PATH] = {};
  GetPrivateProfileStringA("OBJECT", "MODULE_NAME", "", name, MAX_PATH, ini.c_str());
  EXPECT_STREQ(name, "mine.dll");

  // The uninstaller runs from a copy of itself, which removes the uninstall entry last.
  ASSERT_EQ(RunToEnd("\"" + folder + "\\uninstall.exe\" /S"), 0);
  EXPECT_TRUE(
      WaitFor([] { return UserValue(kUninstallKey, "InstallLocation") == "<absent>"; }, 30000));
  EXPECT_FALSE(Exists(folder));
  EXPECT_FALSE(Exists(StartMenuShortcut()));
  EXPECT_EQ(UserValue(kRunKey, "Kelvane"), "<absent>");
}

TEST(PackageTest, TheUnpackedZipRuns) {
  // scripts/package.sh unpacks the zip it made beside it, as a user would.
  ExpectClockRunsWithBothModules(Package("unpacked\\Kelvane"));
}

}  // namespace
