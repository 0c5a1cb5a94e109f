#include "base/cp932.h"

#include <gtest/gtest.h>

namespace {

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C in code page 932: their trail byte is a backslash.
const char kHyou[] = "\x95\x5C";
const char kSo[] = "\x83\x5C";

TEST(FindLastBackslash, FindsTheLastSeparator) {
  const char path[] = "C:\\Program Files\\Kelvane\\Kelvane.exe";
  EXPECT_EQ(FindLastBackslash(path), path + 24);
  EXPECT_EQ(FindLastBackslash("Kelvane.exe"), nullptr);
  EXPECT_EQ(FindLastBackslash(""), nullptr);
}

TEST(FindLastBackslash, SkipsTrailBytesOfDoubleByteCharacters) {
  const std::string dir = std::string("C:\\") + kHyou + "\\" + kSo;
  // The only real separators are at 2 and 5; the names end in a 0x5C trail byte.
  EXPECT_EQ(FindLastBackslash(dir.c_str()), dir.c_str() + 5);
  const std::string file = std::string("C:\\x") + kHyou;
  EXPECT_EQ(FindLastBackslash(file.c_str()), file.c_str() + 2);
}

TEST(FindLastBackslash, LeadByteAtTheEndDoesNotRunPastTheTerminator) {
  const char path[] = "C:\\a\x95";
  EXPECT_EQ(FindLastBackslash(path), path + 2);
}

TEST(IsCp932LeadByte, CoversBothLeadRanges) {
  EXPECT_FALSE(IsCp932LeadByte(0x80));
  EXPECT_TRUE(IsCp932LeadByte(0x81));
  EXPECT_TRUE(IsCp932LeadByte(0x9F));
  EXPECT_FALSE(IsCp932LeadByte(0xA0));  // half-width katakana are single bytes
  EXPECT_FALSE(IsCp932LeadByte(0xDF));
  EXPECT_TRUE(IsCp932LeadByte(0xE0));
  EXPECT_TRUE(IsCp932LeadByte(0xFC));
  EXPECT_FALSE(IsCp932LeadByte(0xFD));
  EXPECT_FALSE(IsCp932LeadByte('\\'));
}

}  // namespace
