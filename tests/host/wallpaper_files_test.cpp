#include "plugins/wallpaper/wallpaper_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WallpaperFileList, KeepsPathsBelowTheFolderInOrderAndRefusesFullPathsBeyond260Bytes) {
  WallpaperFileList files;
  files.Reset("C:\\\x95\x5C");  // 表
  for (const char* path : {"b.bmp", "sub\\a.JPG", "x.png"}) ASSERT_TRUE(files.Add(path));
  ASSERT_EQ(files.size(), 3u);
  char path[WallpaperFileList::kPathBytes];
  ASSERT_TRUE(files.FullPath(1, path));
  EXPECT_STREQ(path, "C:\\\x95\x5C\\sub\\a.JPG");
  EXPECT_STREQ(files.RelativePath(2), "x.png");
  EXPECT_EQ(files.RelativePath(3), nullptr);
  EXPECT_FALSE(files.FullPath(3, path));

  files.Reset(std::string(250, 'd').c_str());
  ASSERT_TRUE(files.Add("12345678"));   // 250 + 1 + 8 bytes and the terminator fit
  ASSERT_TRUE(files.Add("123456789"));  // one byte more does not
  EXPECT_TRUE(files.FullPath(0, path));
  EXPECT_FALSE(files.FullPath(1, path));
}

TEST(SortedEntries, ShowBmpFilesWithoutTheirExtensionAndSortTheTextsWithNone) {
  WallpaperFileList files;
  files.Reset("C:\\pics");
  for (const char* path : {"\x96\xCD\x97\x6C.BMP", "b.jpg", "A.bmp", "sub\\c.GIF", "a.bmpx"}) {
    files.Add(path);
  }
  std::vector<std::string> texts;
  std::vector<unsigned> indices;
  for (const FileEntry& entry : SortedEntries(files, "\x96\xB3\x82\xB5")) {  // 無し
    texts.emplace_back(entry.text, entry.length);
    indices.push_back(entry.index);
  }
  // 模様 sorts after 無し; "a.bmpx" is no BMP file.
  EXPECT_EQ(texts, (std::vector<std::string>{"A", "a.bmpx", "b.jpg", "sub\\c.GIF",
                                             "\x96\xB3\x82\xB5", "\x96\xCD\x97\x6C"}));
  EXPECT_EQ(indices, (std::vector<unsigned>{2, 4, 1, 3, 5, 0}));
}

}  // namespace
