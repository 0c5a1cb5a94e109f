#include "app/plugins/enable_list.h"

#include <gtest/gtest.h>

namespace {

TEST(IsNamedInEnableList, MatchesAnywhereCaseSensitivelyAtCharacterStarts) {
  const struct {
    const char* text;
    const char* name;
    bool named;
  } rows[] = {
      {"wallpaper.dll\r\n", "wallpaper.dll", true},
      {"a.dll b.dll", "b.dll", true},
      {"wallpaper.dll", "paper.dll", true},  // a substring is enough
      {"Wallpaper.dll", "wallpaper.dll", false},
      {"", "a.dll", false},
      {"wallpaper.dl", "wallpaper.dll", false},
      {"\x83"
       "AB.dll",
       "AB.dll", false},  // "A" is the trail byte of a double-byte character
      {"\x83"
       "AAB.dll",
       "AB.dll", true},      // the second "A" starts a character
      {"x\x83", "x", true},  // a lone lead byte at the end ends the scan safely
      {"\x83", "\x83", true},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsNamedInEnableList(row.text, row.name), row.named) << row.text << " / " << row.name;
  }
}

}  // namespace
