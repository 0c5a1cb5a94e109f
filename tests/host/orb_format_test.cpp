#include "formats/orb_format.h"

#include <gtest/gtest.h>

#include <utility>

#include "base/little_endian.h"
#include "tools/orb_writer.h"

namespace {

std::vector<uint8_t> InfoHeader(int32_t width, int32_t height, uint16_t bits,
                                uint32_t compression = 0, uint32_t imageSize = 0) {
  std::vector<uint8_t> h(40, 0);
  WriteUint32(h.data() + 0, 40);
  WriteUint32(h.data() + 4, static_cast<uint32_t>(width));
  WriteUint32(h.data() + 8, static_cast<uint32_t>(height));
  h[12] = 1;
  h[14] = static_cast<uint8_t>(bits);
  WriteUint32(h.data() + 16, compression);
  WriteUint32(h.data() + 20, imageSize);
  return h;
}

// A 3 x 2 picture: rows of 9 bytes padded to 12 at 24 bits, 3 bytes padded to 4 at 8 bits.
OrbPicture Picture(uint16_t bits, std::string title = "title", std::string author = "author") {
  OrbPicture p;
  p.infoHeader = InfoHeader(3, 2, bits);
  if (bits < 16) p.colorTable.assign(4u << bits, 0x11);
  p.pixels.assign(bits == 24 ? 24 : 8, 0x22);
  p.title = std::move(title);
  p.author = std::move(author);
  return p;
}

OrbCheck Check(const std::vector<uint8_t>& file, OrbLayout* layout = nullptr) {
  OrbLayout scratch{};
  return CheckOrbFile(file.data(), file.size(), layout ? layout : &scratch);
}

TEST(CheckOrbFile, ReadsTheLayoutOfA24BitPicture) {
  const std::vector<uint8_t> file = BuildOrbFile(Picture(24));
  OrbLayout layout{};
  ASSERT_EQ(Check(file, &layout), OrbCheck::kOk);
  EXPECT_EQ(layout.pixelOffset, 52u);  // no colour table at 24 bits
  EXPECT_EQ(layout.trailerOffset, 52u + 24u);
  EXPECT_EQ(layout.width, 3);
  EXPECT_EQ(layout.height, 2);
  EXPECT_EQ(layout.bitCount, 24);
  EXPECT_EQ(layout.colorCount, 0u);
}

TEST(CheckOrbFile, APalettePictureHasAFullColourTable) {
  const std::vector<uint8_t> file = BuildOrbFile(Picture(8));
  OrbLayout layout{};
  ASSERT_EQ(Check(file, &layout), OrbCheck::kOk);
  EXPECT_EQ(layout.colorCount, 256u);
  EXPECT_EQ(layout.pixelOffset, 52u + 1024u);
  OrbPicture four = Picture(4);
  ASSERT_EQ(Check(BuildOrbFile(four), &layout), OrbCheck::kOk);
  EXPECT_EQ(layout.colorCount, 16u);
}

TEST(CheckOrbFile, OtherFilesAreNoOrbPictures) {
  std::vector<uint8_t> bmp = BuildOrbFile(Picture(24));
  bmp[0] = 'B';
  bmp[1] = 'M';
  EXPECT_EQ(Check(bmp), OrbCheck::kNotOrb);
  EXPECT_EQ(Check({}), OrbCheck::kNotOrb);
  EXPECT_EQ(Check({'O'}), OrbCheck::kNotOrb);
}

TEST(CheckOrbFile, EveryTruncationIsRefused) {
  for (uint16_t bits : {8, 24}) {
    const std::vector<uint8_t> file = BuildOrbFile(Picture(bits));
    const uint32_t trailer = file[4] | file[5] << 8;
    for (size_t cut = 2; cut < trailer; ++cut) {
      const std::vector<uint8_t> shorter(file.begin(), file.begin() + static_cast<long>(cut));
      EXPECT_EQ(Check(shorter), OrbCheck::kDamaged) << bits << " bits, cut at " << cut;
    }
  }
}

TEST(CheckOrbFile, APixelBlockSmallerThanTheHeaderImpliesIsRefused) {
  std::vector<uint8_t> file = BuildOrbFile(Picture(24));
  WriteUint32(file.data() + 12 + 8, 3);  // three rows claimed, two stored
  EXPECT_EQ(Check(file), OrbCheck::kDamaged);
  file = BuildOrbFile(Picture(24));
  WriteUint32(file.data() + 12 + 4, 5);  // wider rows than stored
  EXPECT_EQ(Check(file), OrbCheck::kDamaged);
  file = BuildOrbFile(Picture(24));
  WriteUint32(file.data() + 12 + 8, static_cast<uint32_t>(-2));  // top-down: the same bytes suffice
  EXPECT_EQ(Check(file), OrbCheck::kOk);
}

TEST(CheckOrbFile, OffsetsOutsideTheFileAreRefused) {
  std::vector<uint8_t> file = BuildOrbFile(Picture(24));
  WriteUint32(file.data() + 4, static_cast<uint32_t>(file.size() + 1));  // trailer past the end
  EXPECT_EQ(Check(file), OrbCheck::kDamaged);
  file = BuildOrbFile(Picture(24));
  WriteUint32(file.data() + 8, 0xFFFFFFF0u);  // pixels after the trailer
  EXPECT_EQ(Check(file), OrbCheck::kDamaged);
}

TEST(CheckOrbFile, HeadersDrawDibCannotTakeSafelyAreRefused) {
  struct Case {
    const char* what;
    std::vector<uint8_t> header;
  };
  const std::vector<Case> cases = {
      {"header size 108",
       [] {
         auto h = InfoHeader(3, 2, 24);
         h[0] = 108;
         return h;
       }()},
      {"7 bits", InfoHeader(3, 2, 7)},
      {"zero width", InfoHeader(0, 2, 24)},
      {"zero height", InfoHeader(3, 0, 24)},
      {"huge width", InfoHeader(0x7FFFFFFF, 0x7FFFFFFF, 32)},
      {"bit fields", InfoHeader(3, 2, 24, 3)},
      {"RLE8 without image size", InfoHeader(3, 2, 8, 1, 0)},
      {"RLE8 larger than the block", InfoHeader(3, 2, 8, 1, 9)},
      {"RLE8 at 4 bits", InfoHeader(3, 2, 4, 1, 4)},
  };
  for (const Case& c : cases) {
    OrbPicture p = Picture(24);
    p.infoHeader = c.header;
    EXPECT_EQ(Check(BuildOrbFile(p)), OrbCheck::kDamaged) << c.what;
  }
  OrbPicture rle = Picture(8);
  rle.infoHeader = InfoHeader(3, 2, 8, 1, 8);
  EXPECT_EQ(Check(BuildOrbFile(rle)), OrbCheck::kOk);
  rle.infoHeader = InfoHeader(3, -2, 8, 1, 8);
  EXPECT_EQ(Check(BuildOrbFile(rle)), OrbCheck::kDamaged) << "top-down RLE8";
}

TEST(CheckOrbFile, TheColourTableIsAsLongAsBiClrUsedSays) {
  struct Case {
    uint16_t bits;
    uint32_t colorsUsed;
    size_t entries;     // stored in the table
    uint32_t expected;  // colorCount, or 0 for a refused picture
  };
  // The 89 bytes of the 24-bit file hold 9 entries from 52 on, reaching into its pixels.
  const Case cases[] = {
      {8, 0, 256, 256},       {8, 256, 256, 256},      {8, 1, 1, 1},
      {8, 257, 256, 0},       {8, 300, 256, 0},        {1, 2, 2, 2},
      {1, 3, 2, 0},           {4, 16, 16, 16},         {4, 17, 16, 0},
      {24, 2, 2, 2},          {24, 9, 0, 9},           {24, 10, 0, 0},
      {24, 0x01000000, 0, 0}, {8, 0x01000000, 256, 0},
  };

  for (const Case& c : cases) {
    OrbPicture p = Picture(c.bits);
    WriteUint32(p.infoHeader.data() + 32, c.colorsUsed);
    p.colorTable.resize(4 * c.entries);
    OrbLayout layout{};
    const OrbCheck result = Check(BuildOrbFile(p), &layout);
    const std::string what = std::to_string(c.bits) + " bits, " + std::to_string(c.colorsUsed);
    EXPECT_EQ(result, c.expected != 0 ? OrbCheck::kOk : OrbCheck::kDamaged) << what;
    if (result != OrbCheck::kOk || c.expected == 0) continue;
    EXPECT_EQ(layout.colorCount, c.expected) << what;
    EXPECT_EQ(layout.pixelOffset, 52 + 4 * c.entries) << what;
  }
}

TEST(LocateOrbTrailer, TheTrailerLiesAfterThePixelsAndWithinTheFile) {
  const std::vector<uint8_t> sound = BuildOrbFile(Picture(24));  // pixels 52 .. 76
  const struct {
    uint32_t trailer;
    uint32_t found;
  } rows[] = {{76, 76},
              {60, 0} /* inside the pixels */,
              {20, 0} /* inside the header */,
              {0, 0},
              {static_cast<uint32_t>(sound.size()), 0} /* nothing after it */};
  for (const auto& row : rows) {
    std::vector<uint8_t> file = sound;
    WriteUint32(file.data() + 4, row.trailer);
    EXPECT_EQ(LocateOrbTrailer(file.data(), file.size()), row.found) << row.trailer;
  }
  EXPECT_EQ(LocateOrbTrailer(BuildOrbFile(Picture(8)).data(), 52), 0u);  // cut in its table
}

TEST(ReadOrbTexts, ReadsTitleAndAuthorIncludingEmptyOnes) {
  // "夜明け" and "制作" in code page 932.
  const std::string title = "\x96\xe9\x96\xbe\x82\xaf";
  const std::string author = "\x90\xa7\x8d\xec";
  for (const auto& texts : {std::make_pair(title, author), std::make_pair(std::string(), author),
                            std::make_pair(std::string(255, 'T'), std::string(255, 'A'))}) {
    std::vector<uint8_t> file = BuildOrbFile(Picture(8, texts.first, texts.second));
    OrbLayout layout{};
    ASSERT_EQ(Check(file, &layout), OrbCheck::kOk);
    std::string readTitle = "old", readAuthor = "old";
    EXPECT_EQ(ReadOrbTexts(file.data() + layout.trailerOffset, file.size() - layout.trailerOffset,
                           &readTitle, &readAuthor),
              2);
    EXPECT_EQ(readTitle, texts.first);
    EXPECT_EQ(readAuthor, texts.second);
  }
}

TEST(ReadOrbTexts, ATrailerCutShortKeepsWhatLiesBeforeTheCut) {
  const std::vector<uint8_t> trailer = {3, 'a', 'b', 'c', 2, 'd', 'e', 'x'};
  struct Case {
    size_t length;
    int read;
    const char* title;
  };
  for (const Case& c : {Case{0, 0, ""}, Case{1, 0, ""}, Case{3, 0, ""}, Case{4, 1, "abc"},
                        Case{6, 1, "abc"}, Case{7, 2, "abc"}, Case{8, 2, "abc"}}) {
    std::string title = "old", author = "old";
    EXPECT_EQ(ReadOrbTexts(trailer.data(), c.length, &title, &author), c.read) << c.length;
    EXPECT_EQ(title, c.title) << c.length;
    EXPECT_EQ(author, c.read == 2 ? "de" : "") << c.length;
  }
}

}  // namespace
