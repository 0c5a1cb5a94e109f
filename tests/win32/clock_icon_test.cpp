#include <gtest/gtest.h>
#include <windows.h>

#include "resources/resource_ids.h"

namespace {

// The notification area asks for 16 to 32 pixels at 96 to 192 DPI, and Explorer for 48:
// each size has an image of its own, which the system picks without scaling another.
TEST(ClockIcon, HoldsAnImageOfEachSizeTheSystemAsksFor) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_CLOCK), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  for (int size : {16, 20, 24, 32, 48}) {
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biHeight, 2 * size);  // the image and its mask
  }
}

}  // namespace
