#include "base/win/folder_listing.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/win32/test_support.h"

namespace {

// The depth limit, links and long paths are seen through the wallpaper plug-in's list.
TEST(ListFiles, ListsTheRealExtensionsWithTheirIndexWithinItsReach) {
  const TempDir root("kelvane-listing");
  CreateDirectoryA(root.File("sub").c_str(), nullptr);
  for (const char* file : {"a.JPG", "b.jpgx", "c.png", "notes.txt", "sub\\d.gif"}) {
    WriteBytes(root.File(file), {'x'});
  }
  const struct {
    int depth;
    size_t maxFiles;
    std::set<std::string> expected;  // paths below the root, and the index of their extension
  } table[] = {
      {0, 100, {"a.JPG 0", "c.png 2"}},
      {1, 100, {"a.JPG 0", "c.png 2", "sub\\d.gif 3"}},
      {1, 2, {}},  // any two of the three
  };
  for (const auto& row : table) {
    std::set<std::string> listed;
    EXPECT_TRUE(ListFiles(root.path().c_str(), {"jpg", "jpeg", "png", "gif"},
                          {row.depth, row.maxFiles}, [&](const ListedFile& file) {
                            listed.insert(std::string(file.path).substr(root.path().size() + 1) +
                                          " " + std::to_string(file.extension));
                          }));
    if (row.expected.empty()) {
      EXPECT_EQ(listed.size(), row.maxFiles);
    } else {
      EXPECT_EQ(listed, row.expected) << row.depth;
    }
  }
  EXPECT_FALSE(ListFiles(root.File("missing").c_str(), {"png"}, {0, 10}, [](const ListedFile&) {}));
}

}  // namespace
