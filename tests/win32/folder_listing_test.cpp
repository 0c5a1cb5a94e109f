#include "base/win/folder_listing.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/win32/test_support.h"

namespace {

TEST(ListFiles, ListsTheRealExtensionsDepthFirstWithinItsReach) {
  const TempDir root("kelvane-listing");
  for (const char* folder : {"sub", "sub\\deeper", "sub\\deeper\\deepest", "dir.jpg"}) {
    CreateDirectoryA(root.File(folder).c_str(), nullptr);
  }
  for (const char* file : {"a.JPG", "b.jpgx", "c.png", "notes.txt", "sub\\d.gif",
                           "sub\\deeper\\e.jpeg", "sub\\deeper\\deepest\\f.png"}) {
    WriteBytes(root.File(file), {'x'});
  }
  const struct {
    int depth;
    size_t maxFiles;
    std::set<std::string> expected;  // paths below the root, and the index of their extension
  } table[] = {
      {0, 100, {"a.JPG 0", "c.png 2"}},
      {1, 100, {"a.JPG 0", "c.png 2", "sub\\d.gif 3"}},
      {2, 100, {"a.JPG 0", "c.png 2", "sub\\d.gif 3", "sub\\deeper\\e.jpeg 1"}},
      {0, 1, {}},  // any one of the two
      {0, 0, {}},
  };
  for (const auto& row : table) {
    std::set<std::string> listed;
    size_t count = 0;
    EXPECT_TRUE(ListFiles(root.path().c_str(), {"jpg", "jpeg", "png", "gif"},
                          {row.depth, row.maxFiles}, [&](const ListedFile& file) {
                            const std::string path = file.path;
                            listed.insert(path.substr(root.path().size() + 1) + " " +
                                          std::to_string(file.extension));
                            ++count;
                          }));
    if (row.maxFiles < 100) {
      EXPECT_EQ(count, row.maxFiles);
    } else {
      EXPECT_EQ(listed, row.expected) << row.depth;
    }
  }
  EXPECT_FALSE(ListFiles(root.File("missing").c_str(), {"png"}, {0, 10}, [](const ListedFile&) {}));
}

}  // namespace
