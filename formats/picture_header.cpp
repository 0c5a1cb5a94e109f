#include "formats/picture_header.h"

#include <array>
#include <cstring>

#include "base/little_endian.h"

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngChunkFrame = 12;  // length, type and CRC around a chunk's data
constexpr size_t kGifScreenEnd = 13;   // signature, version and logical screen descriptor
constexpr uint16_t kTiffMagic = 42;
constexpr size_t kTiffEntryBytes = 12;
constexpr uint16_t kTiffWidthTag = 256;
constexpr uint16_t kTiffLengthTag = 257;
constexpr uint16_t kTiffOrientationTag = 274;
constexpr uint16_t kTiffShort = 3;
constexpr uint16_t kTiffLong = 4;

uint16_t ReadBigUint16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

uint32_t ReadBigUint32(const uint8_t* p) {
  return static_cast<uint32_t>(ReadBigUint16(p)) << 16 | ReadBigUint16(p + 2);
}

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

// The CRC-32 that PNG stores after each chunk, over its type and data.
uint32_t PngCrc(const uint8_t* data, size_t length) {
  static constexpr std::array<uint32_t, 256> kTable = MakeCrcTable();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) crc = kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

bool ReadPng(const uint8_t* data, size_t length, PictureHeader* header) {
  for (size_t at = sizeof kPngSignature;;) {
    if (length - at < kPngChunkFrame) return false;
    const uint32_t size = ReadBigUint32(data + at);
    if (size > length - at - kPngChunkFrame) return false;
    const uint8_t* type = data + at + 4;
    if (PngCrc(type, 4 + size) != ReadBigUint32(type + 4 + size)) return false;
    if (at == sizeof kPngSignature) {
      if (std::memcmp(type, "IHDR", 4) != 0 || size != 13) return false;
      header->sizeKnown = true;
      header->width = ReadBigUint32(type + 4);
      header->height = ReadBigUint32(type + 8);
    }
    if (std::memcmp(type, "IEND", 4) == 0) return true;
    at += kPngChunkFrame + size;
  }
}

// What the first image directory of a TIFF structure holds that matters here;
// 0 for a field it lacks.
struct TiffFields {
  uint32_t width = 0;
  uint32_t length = 0;
  uint32_t orientation = 0;
};

// Reads the first directory of the TIFF structure in data[0, length): a TIFF
// file, or the body of a JPEG's Exif segment. False when its header or its
// directory does not lie within.
bool ReadTiff(const uint8_t* data, size_t length, TiffFields* fields) {
  if (length < 8) return false;
  bool big;
  if (data[0] == 'I' && data[1] == 'I') {
    big = false;
  } else if (data[0] == 'M' && data[1] == 'M') {
    big = true;
  } else {
    return false;
  }
  const auto u16 = [=](size_t at) {
    return big ? ReadBigUint16(data + at) : ReadUint16(data + at);
  };
  const auto u32 = [=](size_t at) {
    return big ? ReadBigUint32(data + at) : ReadUint32(data + at);
  };
  if (u16(2) != kTiffMagic) return false;
  const uint32_t directory = u32(4);
  if (directory > length - 2) return false;
  const uint16_t count = u16(directory);
  if (count > (length - directory - 2) / kTiffEntryBytes) return false;
  for (size_t entry = directory + 2; entry < directory + 2 + count * kTiffEntryBytes;
       entry += kTiffEntryBytes) {
    const uint16_t type = u16(entry + 2);
    if (u32(entry + 4) != 1 || (type != kTiffShort && type != kTiffLong)) continue;
    const uint32_t value = type == kTiffShort ? u16(entry + 8) : u32(entry + 8);
    switch (u16(entry)) {
      case kTiffWidthTag: fields->width = value; break;
      case kTiffLengthTag: fields->length = value; break;
      case kTiffOrientationTag: fields->orientation = value; break;
    }
  }
  return true;
}

void TakeOrientation(const TiffFields& fields, PictureHeader* header) {
  if (fields.orientation >= 1 && fields.orientation <= 8) {
    header->orientation = static_cast<int>(fields.orientation);
  }
}

bool ReadTiffFile(const uint8_t* data, size_t length, PictureHeader* header) {
  TiffFields fields;
  if (!ReadTiff(data, length, &fields)) return false;
  header->sizeKnown = true;
  header->width = fields.width;
  header->height = fields.length;
  TakeOrientation(fields, header);
  return true;
}

// Start-of-frame markers: every SOFn but DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameHeader(uint8_t code) {
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

// True when an end-of-image marker lies in data[0, length). Coded data never
// holds 0xFF 0xD9, so a picture cut short has none.
bool HasEndMarker(const uint8_t* data, size_t length) {
  for (size_t at = length; at >= 2; --at) {
    if (data[at - 2] == 0xFF && data[at - 1] == 0xD9) return true;
  }
  return false;
}

bool ReadJpeg(const uint8_t* data, size_t length, PictureHeader* header) {
  bool exifSeen = false;
  for (size_t at = 2;;) {
    if (at >= length || data[at] != 0xFF) return false;
    while (at < length && data[at] == 0xFF) ++at;  // fill bytes may precede a marker
    if (at >= length) return false;
    const uint8_t code = data[at++];
    if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) continue;  // markers without a segment
    // A second start, the end or a scan before the frame header.
    if (code == 0xD8 || code == 0xD9 || code == 0xDA) return false;
    if (length - at < 2) return false;
    const size_t segment = ReadBigUint16(data + at);
    if (segment < 2 || segment > length - at) return false;
    const uint8_t* body = data + at + 2;
    const size_t bodyLength = segment - 2;
    if (code == 0xE1 && !exifSeen && bodyLength >= 6 && std::memcmp(body, "Exif\0\0", 6) == 0) {
      exifSeen = true;
      TiffFields fields;
      if (ReadTiff(body + 6, bodyLength - 6, &fields)) TakeOrientation(fields, header);
    }
    if (IsFrameHeader(code)) {
      if (bodyLength < 5) return false;
      header->sizeKnown = true;
      header->height = ReadBigUint16(body + 1);
      header->width = ReadBigUint16(body + 3);
      return HasEndMarker(body + bodyLength, length - at - segment);
    }
    at += segment;
  }
}

}  // namespace

bool ReadPictureHeader(const uint8_t* data, size_t length, PictureHeader* header) {
  *header = PictureHeader();
  if (length >= sizeof kPngSignature && std::memcmp(data, kPngSignature, 8) == 0) {
    return ReadPng(data, length, header);
  }
  if (length >= 2 && data[0] == 0xFF && data[1] == 0xD8) return ReadJpeg(data, length, header);
  if (length >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0)) {
    if (length < kGifScreenEnd) return false;
    header->sizeKnown = true;
    header->width = ReadUint16(data + 6);
    header->height = ReadUint16(data + 8);
    return true;
  }
  if (length >= 4 && (std::memcmp(data, "II*\0", 4) == 0 || std::memcmp(data, "MM\0*", 4) == 0)) {
    return ReadTiffFile(data, length, header);
  }
  return true;
}
