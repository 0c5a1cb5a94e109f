#include "formats/bmp_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "base/little_endian.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A truthful 3 x 2 BMP file: the file header, a 40-byte info header, a full colour table
// below 16 bits and rows padded to four bytes, each pixel byte numbered.
Bytes Bmp(uint16_t bits, int32_t height = 2, uint32_t compression = 0) {
  const uint32_t table = bits < 16 ? 4u << bits : compression == 3 ? 12 : 0;
  const uint32_t stride = (3 * bits + 31) / 32 * 4;
  const uint32_t pixels = stride * static_cast<uint32_t>(height < 0 ? -height : height);
  Bytes file(54 + table + pixels, 0);
  file[0] = 'B';
  file[1] = 'M';
  WriteUint32(&file[2], static_cast<uint32_t>(file.size()));
  WriteUint32(&file[10], 54 + table);
  WriteUint32(&file[14], 40);
  WriteUint32(&file[18], 3);
  WriteUint32(&file[22], static_cast<uint32_t>(height));
  WriteUint16(&file[26], 1);
  WriteUint16(&file[28], bits);
  WriteUint32(&file[30], compression);
  WriteUint32(&file[34], pixels);
  for (uint32_t i = 0; i < pixels; ++i) file[54 + table + i] = static_cast<uint8_t>(i);
  return file;
}

bool Check(const Bytes& file, BmpLayout* layout = nullptr) {
  BmpLayout scratch{};
  return CheckBmpFile(file.data(), file.size(), layout ? layout : &scratch);
}

TEST(CheckBmpFile, MeasuresTruthfulFiles) {
  const struct {
    Bytes file;
    uint32_t colorCount;
    size_t tableOffset, tableBytes, pixelOffset, pixelBytes;
  } table[] = {
      {Bmp(24), 0, 54, 0, 54, 24},        {Bmp(32, -2), 0, 54, 0, 54, 24},
      {Bmp(8), 256, 54, 1024, 1078, 8},   {Bmp(1), 2, 54, 8, 62, 8},
      {Bmp(16, 2, 3), 0, 54, 12, 66, 16},
  };
  for (const auto& row : table) {
    BmpLayout layout{};
    ASSERT_TRUE(Check(row.file, &layout)) << row.tableBytes;
    EXPECT_EQ(layout.width, 3);
    EXPECT_EQ(layout.colorCount, row.colorCount);
    EXPECT_EQ(layout.tableOffset, row.tableOffset);
    EXPECT_EQ(layout.tableBytes, row.tableBytes);
    EXPECT_EQ(layout.pixelOffset, row.pixelOffset);
    EXPECT_EQ(layout.pixelBytes, row.pixelBytes);
  }
}

TEST(CheckBmpFile, AcceptsWhatTheFileSizeAndSignatureSayAndLongerHeaders) {
  Bytes file = Bmp(24);
  WriteUint32(&file[2], 0x7FFFFFFF);  // the file size field is not trusted, nor needed
  file[0] = 'X';
  EXPECT_TRUE(Check(file));
  // A V5 header of 124 bytes: a colour table follows it, not the first 40 bytes.
  Bytes v5 = Bmp(8);
  v5.insert(v5.begin() + 54, 84, 0);
  WriteUint32(&v5[14], 124);
  WriteUint32(&v5[10], 54 + 84 + 1024);
  BmpLayout layout{};
  ASSERT_TRUE(Check(v5, &layout));
  EXPECT_EQ(layout.tableOffset, 138u);
  EXPECT_EQ(layout.tableBytes, 1024u);
}

TEST(CheckBmpFile, RefusesLyingHeaders) {
  const struct {
    const char* lie;
    Bytes file;
    std::function<void(Bytes&)> change;
  } table[] = {
      {"cut inside the info header", Bmp(24), [](Bytes& f) { f.resize(53); }},
      {"pixel block cut short", Bmp(24), [](Bytes& f) { f.pop_back(); }},
      {"pixel offset past the end", Bmp(24), [](Bytes& f) { WriteUint32(&f[10], 0xFFFFFFF0); }},
      {"pixel offset inside the header", Bmp(24), [](Bytes& f) { WriteUint32(&f[10], 20); }},
      {"pixel offset inside the table", Bmp(8), [](Bytes& f) { WriteUint32(&f[10], 60); }},
      {"header size of 12", Bmp(24), [](Bytes& f) { WriteUint32(&f[14], 12); }},
      {"header size past the end", Bmp(24), [](Bytes& f) { WriteUint32(&f[14], 124); }},
      {"more colours than 8 bits index", Bmp(8), [](Bytes& f) { WriteUint32(&f[46], 257); }},
      {"table cut short", Bmp(8), [](Bytes& f) { f.resize(54 + 1000); }},
      {"bit depth of 7", Bmp(8), [](Bytes& f) { WriteUint16(&f[28], 7); }},
      {"deeper than the rows", Bmp(8), [](Bytes& f) { WriteUint16(&f[28], 24); }},
      {"two planes", Bmp(24), [](Bytes& f) { WriteUint16(&f[26], 2); }},
      {"width of 0", Bmp(24), [](Bytes& f) { WriteUint32(&f[18], 0); }},
      {"negative width", Bmp(24), [](Bytes& f) { WriteUint32(&f[18], 0xFFFFFFFD); }},
      {"height of 0", Bmp(24), [](Bytes& f) { WriteUint32(&f[22], 0); }},
      {"height beyond 65535", Bmp(24), [](Bytes& f) { WriteUint32(&f[22], 0x80000000); }},
      {"width beyond the rows", Bmp(24), [](Bytes& f) { WriteUint32(&f[18], 0x10000); }},
      {"RLE8 at 24 bits", Bmp(24), [](Bytes& f) { WriteUint32(&f[30], 1); }},
      {"RLE8 without an image size", Bmp(8, 2, 1), [](Bytes& f) { WriteUint32(&f[34], 0); }},
      {"RLE8 image size past the end", Bmp(8, 2, 1), [](Bytes& f) { WriteUint32(&f[34], 9); }},
      {"top-down RLE8", Bmp(8, -2, 1), [](Bytes&) {}},
      {"JPEG inside", Bmp(24), [](Bytes& f) { WriteUint32(&f[30], 4); }},
      {"masks cut short", Bmp(16, 2, 3), [](Bytes& f) { f.resize(60); }},
  };
  for (const auto& row : table) {
    Bytes file = row.file;
    row.change(file);
    EXPECT_FALSE(Check(file)) << row.lie;
  }
}

}  // namespace
