// libFuzzer target: the orb picture checks on untrusted bytes. When CheckOrbFile approves a
// file, the parts that drawing reads (the info header, the colour table and the pixel block
// the header describes) are copied out the way DrawBackgroundPicture and DrawDib read them,
// so that ASan stops any approved part that lies outside the input.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/little_endian.h"
#include "formats/orb_format.h"
#include "tests/fuzz/exact_copy.h"

namespace {

constexpr uint32_t kBiRgb = 0;

// The bytes DrawDib reads from the pixel block of a picture with this header: the padded rows
// of an uncompressed picture, the header's image size of an RLE one.
uint64_t PixelBytesToDraw(const uint8_t* header) {
  const auto width = static_cast<int32_t>(ReadUint32(header + 4));
  const auto height = static_cast<int32_t>(ReadUint32(header + 8));
  const uint16_t bitCount = ReadUint16(header + 14);
  if (ReadUint32(header + 16) != kBiRgb) return ReadUint32(header + 20);
  const uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
  const uint64_t rows = height < 0 ? 0 - static_cast<int64_t>(height) : height;
  return stride * rows;
}

void DrawApproved(const uint8_t* data, size_t size, const OrbLayout& layout) {
  const auto header = CopyExactly(data + kOrbInfoHeaderOffset, kOrbInfoHeaderBytes);
  CopyExactly(data + kOrbColorTableOffset, 4ull * layout.colorCount);
  const uint64_t pixelBytes = PixelBytesToDraw(header.get());
  CopyExactly(data + layout.pixelOffset, pixelBytes);

  // The layout tells the drawing code what the header says, and the pixel block ends where
  // the trailer begins.
  if (layout.width != static_cast<int32_t>(ReadUint32(header.get() + 4)) ||
      layout.height != static_cast<int32_t>(ReadUint32(header.get() + 8)) ||
      layout.bitCount != ReadUint16(header.get() + 14) ||
      layout.compression != ReadUint32(header.get() + 16) || layout.width <= 0 ||
      layout.height == 0 || layout.pixelOffset + pixelBytes > layout.trailerOffset ||
      layout.trailerOffset > size) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OrbLayout layout{};
  const bool approved = CheckOrbFile(data, size, &layout) == OrbCheck::kOk;
  if (approved) DrawApproved(data, size, layout);
  // A trailer is found only in a sound file, past its pixels and before its end.
  if (size >= kOrbColorTableOffset) {
    const uint32_t trailer = LocateOrbTrailer(data, size);
    if (trailer != 0 && (!approved || trailer >= size || trailer < layout.pixelOffset))
      std::abort();
  }

  // The texts are read on their own, also from a picture that cannot be drawn.
  if (size < kOrbTrailerOffsetAt + 4) return 0;
  const uint32_t trailerOffset = ReadUint32(data + kOrbTrailerOffsetAt);
  std::string title;
  std::string author;
  if (trailerOffset >= size) return 0;
  const int read = ReadOrbTexts(data + trailerOffset, size - trailerOffset, &title, &author);
  // Each text read is its length byte's worth of the bytes right after that byte.
  const uint8_t* at = data + trailerOffset;
  const std::string* texts[] = {&title, &author};
  for (int i = 0; i < 2; ++i) {
    const std::string* text = texts[i];
    if (i >= read) {
      if (!text->empty()) std::abort();
      continue;
    }
    if (at[0] != text->size() || std::memcmp(at + 1, text->data(), text->size()) != 0) {
      std::abort();
    }
    at += 1 + text->size();
  }
  // A reader that takes no more than the most a trailer can hold reads the same.
  std::string capTitle;
  std::string capAuthor;
  const size_t cap = std::min(size - trailerOffset, kOrbTrailerMaxBytes);
  if (ReadOrbTexts(data + trailerOffset, cap, &capTitle, &capAuthor) != read || capTitle != title ||
      capAuthor != author) {
    std::abort();
  }
  return 0;
}
