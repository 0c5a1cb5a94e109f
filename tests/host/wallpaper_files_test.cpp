#include "plugins/wallpaper/wallpaper_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WallpaperFileList, KeepsFullPathsInOrderCutTo260Bytes) {
  WallpaperFileList files;
  ASSERT_TRUE(files.Add("C:\\pics", "b.bmp"));
  ASSERT_TRUE(files.Add("C:\\pics", "a.BMP"));
  ASSERT_TRUE(files.Add(std::string(255, 'd').c_str(), "long.bmp"));
  EXPECT_EQ(files.size(), 3u);
  EXPECT_STREQ(files.At(0), "C:\\pics\\b.bmp");
  EXPECT_STREQ(files.At(1), "C:\\pics\\a.BMP");
  EXPECT_EQ(std::string(files.At(2)), std::string(255, 'd') + "\\long");
  EXPECT_EQ(files.At(3), nullptr);
  files.Clear();
  EXPECT_EQ(files.size(), 0u);
  EXPECT_EQ(files.At(0), nullptr);
}

std::string Name(const char* fileName, size_t size = 64) {
  char name[64] = "junk";
  PictureName(fileName, name, size);
  return name;
}

TEST(PictureName, DropsTheLastFourCharactersNotBytes) {
  EXPECT_EQ(Name("picture.BMP"), "picture");
  EXPECT_EQ(Name("\x95\x5C.bmp"), "\x95\x5C");  // 表.bmp
  // A name ending in double-byte characters loses four characters, not bytes.
  EXPECT_EQ(Name("ab\x95\x5C\x8E\xA6\x83\x5C\x83\x74"), "ab");
  EXPECT_EQ(Name(".bmp"), "");
  EXPECT_EQ(Name("x"), "");
}

TEST(PictureName, IsCutToTheBufferWithoutSplittingACharacter) {
  EXPECT_EQ(Name("abcdef.bmp", 4), "abc");
  EXPECT_EQ(Name("a\x95\x5C\x8E\xA6.bmp", 3), "a");
  EXPECT_EQ(Name("a.bmp", 1), "");
}

}  // namespace
