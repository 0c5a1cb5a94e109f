#include "base/file_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(FindExtension, MatchesTheRealExtensionWithoutCase) {
  const struct {
    const char* path;
    int index;  // in {"bmp", "jpg", "jpeg"}
  } table[] = {
      {"a.bmp", 0},
      {"A.JPG", 1},
      {"photo.Jpeg", 2},
      {"a.jpgx", -1},  // what "*.jpg" finds through the short name A~1.JPG
      {"a.bmp.txt", -1},
      {"dir.jpg\\picture", -1},    // a dot in the folder, none in the name
      {"\x95\x5C.jpg\\x.bmp", 0},  // 表: its trail byte is no separator
      {"x.\x83\x41", -1},          // ア: a trail byte 'A' is not folded
  };
  for (const auto& row : table) {
    EXPECT_EQ(FindExtension(row.path, {"bmp", "jpg", "jpeg"}), row.index) << row.path;
  }
  EXPECT_STREQ(FileExtension("a\\b.c\\name"), "");
  EXPECT_STREQ(FileExtension("a.b\x95\x5C"), "b\x95\x5C");  // b表
}

int Order(const std::string& a, const std::string& b) {
  const int order = CompareFileNames(a.data(), a.size(), b.data(), b.size());
  return (order > 0) - (order < 0);
}

TEST(CompareFileNames, OrdersBytesWithSingleByteLettersWithoutCase) {
  const struct {
    const char* a;
    const char* b;
    int order;
  } table[] = {
      {"abc", "ABC", 0},
      {"a", "B", -1},
      {"ab", "abc", -1},
      {"_", "a", -1},                                // "_" (0x5F) before "a", as before "A" folded
      {"\x96\xB3\x82\xB5", "\x96\xCD\x97\x6C", -1},  // 無し before 模様
      {"\x83\x41", "\x83\x61", -1},                  // ア and ヂ differ in a trail byte, A and a
  };
  for (const auto& row : table) {
    EXPECT_EQ(Order(row.a, row.b), row.order) << row.a << " " << row.b;
  }
}

}  // namespace
