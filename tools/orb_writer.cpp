#include "tools/orb_writer.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "base/little_endian.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kOrbHeaderBytes = 12;
constexpr size_t kMaxTextBytes = 255;

void AppendText(std::vector<uint8_t>* out, const std::string& text) {
  const size_t length = std::min(text.size(), kMaxTextBytes);
  out->push_back(static_cast<uint8_t>(length));
  out->insert(out->end(), text.begin(), text.begin() + length);
}

// The fields of a BMP file that the conversion needs.
struct BmpLayout {
  uint64_t pixelOffset;
  uint64_t tableOffset;
  int32_t width;
  int32_t height;
  uint16_t bitCount;
  uint32_t colorsUsed;
};

bool ReadBmpLayout(const std::vector<uint8_t>& file, BmpLayout* layout) {
  if (file.size() < kFileHeaderBytes + kInfoHeaderBytes || file[0] != 'B' || file[1] != 'M') {
    return false;
  }
  const uint64_t infoBytes = ReadUint32(file.data() + 14);
  if (infoBytes < kInfoHeaderBytes || kFileHeaderBytes + infoBytes > file.size()) return false;
  const uint16_t planes = ReadUint16(file.data() + 26);
  const uint32_t compression = ReadUint32(file.data() + 30);
  layout->pixelOffset = ReadUint32(file.data() + 10);
  layout->tableOffset = kFileHeaderBytes + infoBytes;
  layout->width = static_cast<int32_t>(ReadUint32(file.data() + 18));
  layout->height = static_cast<int32_t>(ReadUint32(file.data() + 22));
  layout->bitCount = ReadUint16(file.data() + 28);
  layout->colorsUsed = ReadUint32(file.data() + 46);
  const uint16_t bits = layout->bitCount;
  // Only bottom-up pictures are taken: the reader hands the header to DrawDib unchanged, and
  // bottom-up is the layout that every DIB consumer reads.
  return planes == 1 && compression == 0 && layout->width > 0 && layout->height > 0 &&
         (bits == 1 || bits == 4 || bits == 8 || bits == 24);
}

uint64_t PixelBlockBytes(const BmpLayout& layout) {
  const uint64_t stride = (static_cast<uint64_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
  return stride * static_cast<uint64_t>(layout.height);
}

// Copies the file's colour table, cut or padded with zero entries to exactly 2^bits entries.
bool ReadColorTable(const std::vector<uint8_t>& file, const BmpLayout& layout,
                    std::vector<uint8_t>* table) {
  table->clear();
  if (layout.bitCount >= 16) return true;
  const uint32_t fullCount = 1u << layout.bitCount;
  const uint32_t stated = layout.colorsUsed == 0 ? fullCount : layout.colorsUsed;
  const uint64_t tableBytes = 4ull * std::min(stated, fullCount);
  if (layout.tableOffset + tableBytes > layout.pixelOffset) return false;
  const auto begin = file.begin() + static_cast<std::ptrdiff_t>(layout.tableOffset);
  table->assign(begin, begin + static_cast<std::ptrdiff_t>(tableBytes));
  table->resize(4ull * fullCount, 0);
  return true;
}

// The stored header describes exactly what is stored: a plain 40-byte header, a full colour table
// ("colours used" 0) and the image size of the pixel block.
std::vector<uint8_t> NormalizedInfoHeader(const std::vector<uint8_t>& file, uint64_t pixelBytes) {
  std::vector<uint8_t> header(file.begin() + kFileHeaderBytes,
                              file.begin() + kFileHeaderBytes + kInfoHeaderBytes);
  WriteUint32(header.data() + 0, kInfoHeaderBytes);
  WriteUint32(header.data() + 20, static_cast<uint32_t>(pixelBytes));
  WriteUint32(header.data() + 32, 0);
  WriteUint32(header.data() + 36, 0);
  return header;
}

}  // namespace

std::vector<uint8_t> BuildOrbFile(const OrbPicture& picture) {
  std::vector<uint8_t> out(kOrbHeaderBytes, 0);
  out[0] = 'O';
  out[1] = 'R';
  std::vector<uint8_t> header = picture.infoHeader;
  header.resize(kInfoHeaderBytes, 0);
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), picture.colorTable.begin(), picture.colorTable.end());
  const size_t pixelOffset = out.size();
  out.insert(out.end(), picture.pixels.begin(), picture.pixels.end());
  const size_t trailerOffset = out.size();
  AppendText(&out, picture.title);
  AppendText(&out, picture.author);
  WriteUint32(out.data() + 4, static_cast<uint32_t>(trailerOffset));
  WriteUint32(out.data() + 8, static_cast<uint32_t>(pixelOffset));
  return out;
}

bool OrbPictureFromBmp(const std::vector<uint8_t>& bmpFile, OrbPicture* picture) {
  BmpLayout layout{};
  if (!ReadBmpLayout(bmpFile, &layout)) return false;
  const uint64_t pixelBytes = PixelBlockBytes(layout);
  if (layout.pixelOffset < layout.tableOffset || layout.pixelOffset > bmpFile.size() ||
      pixelBytes > bmpFile.size() - layout.pixelOffset) {
    return false;
  }
  std::vector<uint8_t> table;
  if (!ReadColorTable(bmpFile, layout, &table)) return false;
  picture->infoHeader = NormalizedInfoHeader(bmpFile, pixelBytes);
  picture->colorTable = std::move(table);
  const auto pixels = bmpFile.begin() + static_cast<std::ptrdiff_t>(layout.pixelOffset);
  picture->pixels.assign(pixels, pixels + static_cast<std::ptrdiff_t>(pixelBytes));
  return true;
}
