#include "app/window/settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/win32/test_support.h"

namespace {

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override { DeleteFileA(path_.c_str()); }
  void TearDown() override { DeleteFileA(path_.c_str()); }

  const std::string path_ = ExeDir() + "\\kelvane.ini";
};

TEST_F(SettingsTest, WithoutAFileReadsGiveTheDefaults) {
  EXPECT_EQ(ReadSetting("WINDOW", "POS_X", nullptr, 0), 0);
  EXPECT_EQ(ReadSetting("CONFIG", "SELECTION", nullptr, 1), 1);
  char text[16] = "junk";
  EXPECT_EQ(ReadSetting("BACKGROUND", "FILE", text, sizeof text), 0);
  EXPECT_STREQ(text, "");
}

TEST_F(SettingsTest, IntegersRoundTripAsSignedDecimalText) {
  EXPECT_TRUE(WriteSetting("WINDOW", "POS_X", nullptr, -120));
  EXPECT_TRUE(WriteSetting("WINDOW", "POS_Y", nullptr, 2147483647));
  EXPECT_NE(ReadText(path_).find("POS_X=-120"), std::string::npos) << ReadText(path_);
  EXPECT_EQ(ReadSetting("WINDOW", "POS_X", nullptr, 0), -120);
  EXPECT_EQ(ReadSetting("WINDOW", "POS_Y", nullptr, 0), 2147483647);
}

TEST_F(SettingsTest, StringsAreWrittenAsTheyAreAndCutToTheReadersBuffer) {
  // "C:\背景\表.orb": the trail byte of 表 is a backslash.
  const char path[] = "C:\\\x94\x77\x8C\x69\\\x95\x5C.orb";
  EXPECT_TRUE(WriteSetting("BACKGROUND", "FILE", path, -1));
  char text[MAX_PATH] = {};
  EXPECT_EQ(ReadSetting("BACKGROUND", "FILE", text, MAX_PATH), static_cast<int>(std::strlen(path)));
  EXPECT_STREQ(text, path);
  WriteSetting("BACKGROUND", "FILE", "C:\\pictures\\dawn.orb", -1);
  char small[5] = {};
  EXPECT_EQ(ReadSetting("BACKGROUND", "FILE", small, sizeof small), 4);
  EXPECT_STREQ(small, "C:\\p");
}

TEST_F(SettingsTest, EveryReadSeesTheFileAsItIsNow) {
  WriteSetting("WINDOW", "POS_Z", nullptr, 1);
  EXPECT_EQ(ReadSetting("WINDOW", "POS_Z", nullptr, 0), 1);
  // Another writer changes the file behind the program's back.
  WritePrivateProfileStringA("WINDOW", "POS_Z", "2", path_.c_str());
  EXPECT_EQ(ReadSetting("WINDOW", "POS_Z", nullptr, 0), 2);
  DeleteFileA(path_.c_str());
  EXPECT_EQ(ReadSetting("WINDOW", "POS_Z", nullptr, 0), 0);
}

TEST(GetProgramDir, GivesTheExecutablesFolderCutToTheBuffer) {
  const std::string dir = ExeDir();
  char full[MAX_PATH] = {};
  ASSERT_EQ(GetProgramDir(full, MAX_PATH), 1);
  EXPECT_EQ(std::string(full), dir);

  char cut[8];
  std::memset(cut, 'x', sizeof cut);
  ASSERT_EQ(GetProgramDir(cut, sizeof cut), 1);
  EXPECT_EQ(std::string(cut), dir.substr(0, 7));
}

}  // namespace
