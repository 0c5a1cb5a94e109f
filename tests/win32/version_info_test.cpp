#include <windows.h>
// windows.h first: winver.h builds on it.
#include <gtest/gtest.h>
#include <winver.h>

#include <string>
#include <vector>

#include "tests/win32/test_support.h"

namespace {

// One string of a binary's version resource, or "<missing>".
std::string VersionString(const std::vector<char>& info, const std::string& block,
                          const char* name) {
  const std::string key = "\\StringFileInfo\\" + block + "\\" + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) ||
      length == 0) {
    return "<missing>";
  }
  return std::string(value);
}

TEST(VersionInfo, EveryShippedBinaryCarriesTheOneVersionInBothLanguages) {
  for (const char* file : {"Kelvane.exe", "Mirrick.dll", "wallpaper.dll", "Analog.dll"}) {
    const std::string path = ExeDir() + "\\" + file;
    std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_FALSE(info.empty()) << file;
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    for (const char* block : {"041103a4", "040904e4"}) {
      EXPECT_EQ(VersionString(info, block, "FileVersion"), KELVANE_VERSION) << file << block;
      EXPECT_EQ(VersionString(info, block, "ProductVersion"), KELVANE_VERSION) << file << block;
      EXPECT_EQ(VersionString(info, block, "OriginalFilename"), file) << block;
      EXPECT_EQ(VersionString(info, block, "ProductName"), "Kelvane Vesk") << file << block;
      EXPECT_NE(VersionString(info, block, "FileDescription"), "<missing>") << file << block;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    char text[32];
    wsprintfA(text, "%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS));
    EXPECT_STREQ(text, KELVANE_VERSION) << file;
  }
}

TEST(VersionInfo, TheProgramCarriesItsManifest) {
  HMODULE program =
      LoadLibraryExA((ExeDir() + "\\Kelvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  HRSRC resource = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(resource, nullptr);
  const std::string manifest(
      static_cast<const char*>(LockResource(LoadResource(program, resource))),
      SizeofResource(program, resource));
  FreeLibrary(program);
  for (const char* part :
       {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "asInvoker",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">false"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
  EXPECT_NE(manifest.find("version=\"" KELVANE_VERSION ".0\""), std::string::npos);
}

// The user switches modules and plug-ins on the customize dialog as often as
// they like: a DLL freed again must give back what loading it took, the C++
// runtime's own reserve included (tens of KiB a load before it was returned).
TEST(ShippedDlls, LoadingAndFreeingAHundredTimesKeepsNoMemory) {
  for (const char* file : {"Analog.dll", "wallpaper.dll", "Mirrick.dll"}) {
    const std::string path = ExeDir() + "\\" + file;
    FreeLibrary(LoadLibraryA(path.c_str()));
    const long long before = CommittedPrivateKib();
    for (int i = 0; i < 100; ++i) {
      HMODULE module = LoadLibraryA(path.c_str());
      ASSERT_NE(module, nullptr) << file;
      FreeLibrary(module);
    }
    EXPECT_LT(CommittedPrivateKib() - before, 256) << file;
  }
}

}  // namespace
