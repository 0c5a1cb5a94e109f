#include "app/plugins/enable_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(MergeEnableList, TheTickedNamesTakeTheFolderLinesPlaceAndOtherLinesStay) {
  const std::vector<std::string> folder = {"a.dll", "b.dll"};
  const struct {
    const char* old;
    std::vector<std::string> ticked;
    const char* merged;
  } rows[] = {
      {"", {"a.dll"}, "a.dll\r\n"},
      {"a.dll b.dll", {"b.dll"}, "b.dll\r\n"},
      {"; mine\r\na.dll\r\ngone.dll\r\nb.dll\r\n", {"b.dll"}, "; mine\r\nb.dll\r\ngone.dll\r\n"},
      {"A.DLL\nnote", {}, "A.DLL\r\nnote\r\n"},  // other letters name nothing here
      {"gone.dll\r\n\r\n", {"a.dll", "b.dll"}, "gone.dll\r\n\r\na.dll\r\nb.dll\r\n"},
      {"\x83"
       "a.dll\r\n",
       {},
       "\x83"
       "a.dll\r\n"},  // its "a" trails a double-byte character
  };
  for (const auto& row : rows) {
    EXPECT_EQ(MergeEnableList(row.old, folder, row.ticked), row.merged) << row.old;
  }
}

}  // namespace
