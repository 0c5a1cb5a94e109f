#include "formats/mag_decoder.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "base/little_endian.h"
#include "base/mag_format.h"

namespace {

constexpr uint32_t kBitmapHeaderBytes = 54;
constexpr uint32_t kBmpInfoHeaderBytes = 40;
// DecodeToBitmapFile lets a section end this far past the data. The bytes there are zero.
constexpr uint32_t kSlackBytes = 256;

bool Has256Colors(const MagHeaderInfo& info) { return (info.screenMode & kMag256Colors) != 0; }

uint32_t PaletteEntries(const MagHeaderInfo& info) { return Has256Colors(info) ? 256 : 16; }

uint32_t BitmapFileSize(const MagHeaderInfo& info) {
  // At most 1078 + 65535 x 65535, which still fits 32 bits.
  return kBitmapHeaderBytes + 4 * PaletteEntries(info) +
         static_cast<uint32_t>(info.rowBytes) * info.rowCount;
}

// Flag A as the header checks see it: a whole number of bytes per row. The bits
// themselves run on across rows, so decoding never needs more.
uint64_t FlagABytes(const MagHeaderInfo& info) {
  return static_cast<uint64_t>((info.rowBytes / 2 - 1) / 16 + 1) * info.rowCount;
}

const uint8_t* FindMark(const uint8_t* data, uint32_t length) {
  if (data == nullptr || length == 0) return nullptr;
  return static_cast<const uint8_t*>(std::memchr(data, kMagEndOfComment, length));
}

// Reads one section of the picture. Past the section's stated end it yields zeros,
// as the zeroed slack would, so data that runs out early never leads the decoder
// outside the buffer that ParseHeader checked the sections against.
class SectionReader {
 public:
  SectionReader(const uint8_t* start, uint64_t size)
      : at_(start), end_(start + static_cast<size_t>(size)) {}

  uint8_t Next() { return at_ < end_ ? *at_++ : 0; }

  void Copy(uint8_t* out, size_t count) {
    if (static_cast<size_t>(end_ - at_) >= count) {
      std::memcpy(out, at_, count);
      at_ += count;
      return;
    }
    for (size_t i = 0; i < count; ++i) out[i] = Next();
  }

 private:
  const uint8_t* at_;
  const uint8_t* end_;
};

// A zero-filled heap block; a failed allocation is a result, not an exception,
// because the decoder is called from window procedures.
class ByteBlock {
 public:
  bool Allocate(size_t size) {
    bytes_.reset(new (std::nothrow) uint8_t[size]());
    return bytes_ != nullptr;
  }
  uint8_t* get() const { return bytes_.get(); }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
};

// Owns a file opened for reading bytes.
class InputFile {
 public:
  explicit InputFile(const char* path)
      : file_(path != nullptr ? std::fopen(path, "rb") : nullptr) {}
  ~InputFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  std::FILE* get() const { return file_; }

  bool ReadFromStart(uint8_t* out, size_t count) const {
    return std::fseek(file_, 0, SEEK_SET) == 0 && std::fread(out, 1, count, file_) == count;
  }

 private:
  std::FILE* file_;
};

// The file's bytes from its start to 33 past the first 0x1A, or to its end when
// that comes first: all that the header question needs.
bool ReadHeaderBlock(const char* path, ByteBlock* block, uint32_t* length) {
  InputFile file(path);
  if (file.get() == nullptr) return false;
  uint32_t mark = 0;
  for (int c; (c = std::fgetc(file.get())) != kMagEndOfComment; ++mark) {
    if (c == EOF || mark == UINT32_MAX - 2 * kMagHeaderBytes) return false;
  }
  uint8_t header[kMagHeaderBytes];
  const size_t present = std::fread(header, 1, kMagHeaderBytes, file.get());
  *length = mark + 1 + static_cast<uint32_t>(present);
  return block->Allocate(*length) && file.ReadFromStart(block->get(), *length);
}

// The whole file followed by the zeroed slack.
bool ReadWholeFile(const char* path, ByteBlock* block, uint32_t* length) {
  InputFile file(path);
  if (file.get() == nullptr || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size < 0 || static_cast<unsigned long>(size) > UINT32_MAX - kSlackBytes) return false;
  *length = static_cast<uint32_t>(size);
  if (!block->Allocate(static_cast<size_t>(*length) + kSlackBytes)) return false;
  return file.ReadFromStart(block->get(), *length);
}

void WriteBitmapHeaders(const MagHeaderInfo& info, uint8_t* image) {
  std::memset(image, 0, kBitmapHeaderBytes);
  const uint32_t tableBytes = 4 * PaletteEntries(info);
  image[0] = 'B';
  image[1] = 'M';
  WriteUint32(image + 2, BitmapFileSize(info));
  WriteUint32(image + 10, kBitmapHeaderBytes + tableBytes);
  WriteUint32(image + 14, kBmpInfoHeaderBytes);
  WriteUint32(image + 18, static_cast<uint32_t>(info.alignedRight - info.alignedLeft + 1));
  WriteUint32(image + 22, info.rowCount);
  WriteUint16(image + 26, 1);
  WriteUint16(image + 28, Has256Colors(info) ? 8 : 4);
}

}  // namespace

int MagDecoder::ParseHeader(const uint8_t* data, uint32_t length, MagHeaderInfo* info) const {
  const uint8_t* mark = FindMark(data, length);
  if (mark == nullptr) return 2;
  info->headerOffset = static_cast<uint32_t>(mark - data) + 1;
  if (uint64_t{info->headerOffset} + kMagHeaderBytes > length) return 2;
  if (std::memcmp(data, kMagMagic, sizeof kMagMagic) != 0) return 3;

  const uint8_t* header = data + info->headerOffset;
  info->headerStart = header[0];
  info->machine = header[1];
  info->machineFlags = header[2];
  info->screenMode = header[3];
  info->left = ReadUint16(header + 4);
  info->top = ReadUint16(header + 6);
  info->right = ReadUint16(header + 8);
  info->bottom = ReadUint16(header + 10);
  info->flagAOffset = ReadUint32(header + 12);
  info->flagBOffset = ReadUint32(header + 16);
  info->flagBSize = ReadUint32(header + 20);
  info->pixelOffset = ReadUint32(header + 24);
  info->pixelSize = ReadUint32(header + 28);

  const int group = Has256Colors(*info) ? 4 : 8;
  info->alignedLeft = static_cast<uint16_t>(info->left / group * group);
  info->alignedRight = static_cast<uint16_t>((info->right / group + 1) * group - 1);
  const int rowBytes = (info->alignedRight - info->alignedLeft + 1) / (group / 4);
  const int rowCount = info->bottom - info->top + 1;
  info->rowBytes = static_cast<uint16_t>(rowBytes);
  info->rowCount = static_cast<uint16_t>(rowCount);

  if (info->headerStart != 0) return 4;
  if (info->alignedRight - info->alignedLeft <= 0) return 4;
  // A bottom edge above the top edge, and sizes the 16-bit fields cannot hold
  // (65536 rows, or 65536 bytes a row at 256 colours), are refused rather than
  // decoded as something else.
  if (rowCount <= 0 || rowCount > 0xFFFF || rowBytes > 0xFFFF) return 4;

  const uint64_t base = info->headerOffset;
  if (base + info->flagAOffset + FlagABytes(*info) > length) return 1;
  if (base + info->flagBOffset + info->flagBSize > length) return 1;
  if (base + info->pixelOffset + info->pixelSize > length) return 1;
  return 0;
}

int MagDecoder::ReadPalette(const uint8_t* data, uint8_t* palette, uint32_t length,
                            const MagHeaderInfo& info) const {
  const uint32_t entries = PaletteEntries(info);
  if (uint64_t{info.headerOffset} + kMagHeaderBytes + 3 * entries > length) return 1;
  const uint8_t* table = data + info.headerOffset + kMagHeaderBytes;
  for (uint32_t i = 0; i < entries; ++i, table += 3, palette += 4) {
    palette[0] = table[2];  // blue
    palette[1] = table[0];  // green
    palette[2] = table[1];  // red
    palette[3] = 0;
  }
  return 0;
}

void MagDecoder::DecodePixels(const uint8_t* data, uint8_t* pixels,
                              const MagHeaderInfo& info) const {
  const uint8_t* header = data + info.headerOffset;
  SectionReader flagA(header + info.flagAOffset, FlagABytes(info));
  SectionReader flagB(header + info.flagBOffset, info.flagBSize);
  SectionReader source(header + info.pixelOffset, info.pixelSize);

  const size_t rowBytes = info.rowBytes;
  const uint32_t rows = info.rowCount;
  const uint32_t positions = info.rowBytes / 4;
  // The flag bytes of the row above live in the last quarter of the bottom memory
  // row. That row is written last, and each flag byte is read before the output
  // reaches it.
  uint8_t* flags = pixels + rowBytes - positions;
  std::memset(flags, 0, positions);
  ptrdiff_t copyOffsets[16] = {};
  for (int n = 1; n < 16; ++n) {
    copyOffsets[n] = static_cast<ptrdiff_t>(kMagCopyPositions[n].dy * rowBytes) -
                     static_cast<ptrdiff_t>(2 * kMagCopyPositions[n].dx);
  }

  // A nibble of 0 takes the next unit of pixel data; 1-15 copy an earlier unit. A
  // copy from above the first row or from left of the row's start (which no valid
  // picture asks for) gives zeros: the decoder never reads outside the output.
  auto decodeUnit = [&](uint32_t nibble, uint8_t* out, uint32_t y, size_t column) {
    if (nibble == 0) {
      source.Copy(out, 2);
      return;
    }
    const MagCopyPosition& position = kMagCopyPositions[nibble];
    if (y < position.dy || column < 2 * position.dx) {
      out[0] = out[1] = 0;
      return;
    }
    const uint8_t* from = out + copyOffsets[nibble];
    out[0] = from[0];
    out[1] = from[1];
  };

  uint8_t flagABits = flagA.Next();
  uint8_t mask = 0x80;
  for (uint32_t y = 0; y < rows; ++y) {
    uint8_t* row = pixels + (rows - 1 - y) * rowBytes;
    for (uint32_t j = 0; j < positions; ++j) {
      uint8_t flag = flags[j];
      if ((flagABits & mask) != 0) flag ^= flagB.Next();
      flags[j] = flag;
      mask >>= 1;
      if (mask == 0) {
        mask = 0x80;
        flagABits = flagA.Next();
      }
      uint8_t* out = row + 4 * j;
      if (flag == 0) {
        source.Copy(out, 4);
        continue;
      }
      decodeUnit(flag >> 4, out, y, 4 * j);
      decodeUnit(flag & 0x0F, out + 2, y, 4 * j + 2);
    }
  }
}

uint32_t MagDecoder::GetBitmapFileSize(const char* path, const uint8_t* data,
                                       uint32_t length) const {
  ByteBlock file;
  if (data == nullptr) {
    if (!ReadHeaderBlock(path, &file, &length)) return 0;
    data = file.get();
  }
  const uint8_t* mark = FindMark(data, length);
  if (mark == nullptr) return 0;
  // Only the header is asked about; the sections lie beyond this block, so a
  // result of 1 is as good as 0 here.
  const uint64_t headerEnd = static_cast<uint64_t>(mark - data) + 1 + kMagHeaderBytes;
  const uint32_t block = headerEnd < length ? static_cast<uint32_t>(headerEnd) : length;
  MagHeaderInfo info{};
  const int result = ParseHeader(data, block, &info);
  if (result != 0 && result != 1) return 0;
  return BitmapFileSize(info);
}

int MagDecoder::DecodeToBitmapFile(const char* path, uint8_t* image, const uint8_t* data,
                                   uint32_t length, uint32_t imageSize) const {
  ByteBlock work;
  if (data != nullptr) {
    if (length > UINT32_MAX - kSlackBytes) return -1;
    if (!work.Allocate(static_cast<size_t>(length) + kSlackBytes)) return -1;
    std::memcpy(work.get(), data, length);
  } else if (!ReadWholeFile(path, &work, &length)) {
    return -1;
  }

  MagHeaderInfo info{};
  if (ParseHeader(work.get(), length + kSlackBytes, &info) != 0) return -1;
  if (image == nullptr || imageSize < BitmapFileSize(info)) return -1;
  WriteBitmapHeaders(info, image);
  if (ReadPalette(work.get(), image + kBitmapHeaderBytes, length, info) != 0) return -1;
  DecodePixels(work.get(), image + kBitmapHeaderBytes + 4 * PaletteEntries(info), info);
  return 0;
}
