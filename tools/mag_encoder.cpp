#include "tools/mag_encoder.h"

#include <algorithm>

#include "base/little_endian.h"
#include "base/mag_format.h"

namespace {

constexpr char kMachine[] = "KLVN";
constexpr char kUser[] = "Kelvane           ";  // 18 bytes

// Nearer positions first: they match most often in drawn pictures.
constexpr int kSearchOrder[15] = {4, 1, 5, 6, 2, 7, 8, 9, 10, 3, 11, 12, 13, 14, 15};

// The picture's pixel bytes as the decoder writes them, over the widened range.
class UnitGrid {
 public:
  UnitGrid(const IndexedImage& image, int left, int alignedLeft, int rowBytes)
      : rowBytes_(rowBytes), bytes_(static_cast<size_t>(rowBytes) * image.height, 0) {
    const int pixelsPerByte = image.colors == 16 ? 2 : 1;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const int column = x + left - alignedLeft;
        const uint8_t index = image.indices[static_cast<size_t>(y) * image.width + x];
        uint8_t& byte = bytes_[static_cast<size_t>(y) * rowBytes + column / pixelsPerByte];
        if (pixelsPerByte == 1) {
          byte = index;
        } else {
          byte |= column % 2 == 0 ? index << 4 : index;
        }
      }
    }
  }

  const uint8_t* Unit(int y, int unit) const {
    return &bytes_[static_cast<size_t>(y) * rowBytes_ + 2 * unit];
  }

  bool SameAt(int y, int unit, int nibble) const {
    const MagCopyPosition& p = kMagCopyPositions[nibble];
    if (static_cast<uint32_t>(y) < p.dy || static_cast<uint32_t>(unit) < p.dx) return false;
    const uint8_t* here = Unit(y, unit);
    const uint8_t* there = Unit(y - static_cast<int>(p.dy), unit - static_cast<int>(p.dx));
    return here[0] == there[0] && here[1] == there[1];
  }

  // The copy position that reproduces the unit, or 0 when it must be stored.
  int Choose(int y, int unit, int preferred) const {
    if (preferred != 0 && SameAt(y, unit, preferred)) return preferred;
    for (int nibble : kSearchOrder) {
      if (SameAt(y, unit, nibble)) return nibble;
    }
    return 0;
  }

 private:
  int rowBytes_;
  std::vector<uint8_t> bytes_;
};

bool IsWritable(const IndexedImage& image, const MagOptions& options) {
  if (image.colors != 16 && image.colors != 256) return false;
  if (image.width <= 0 || image.height <= 0) return false;
  if (options.left + image.width - 1 > 0xFFFF || options.top + image.height - 1 > 0xFFFF) {
    return false;
  }
  if (image.palette.size() != static_cast<size_t>(image.colors) * 3) return false;
  if (image.indices.size() != static_cast<size_t>(image.width) * image.height) return false;
  if (std::any_of(image.indices.begin(), image.indices.end(),
                  [&](uint8_t index) { return index >= image.colors; })) {
    return false;
  }
  return options.comment.find(static_cast<char>(kMagEndOfComment)) == std::string::npos;
}

}  // namespace

bool EncodeMag(const IndexedImage& image, const MagOptions& options, std::vector<uint8_t>* file) {
  if (!IsWritable(image, options)) return false;
  const int group = image.colors == 256 ? 4 : 8;
  const int right = options.left + image.width - 1;
  const int alignedLeft = options.left / group * group;
  const int alignedRight = (right / group + 1) * group - 1;
  const int rowBytes = (alignedRight - alignedLeft + 1) / (group / 4);
  if (rowBytes > 0xFFFF) return false;
  const UnitGrid grid(image, options.left, alignedLeft, rowBytes);

  const int positions = rowBytes / 4;
  std::vector<uint8_t> flagA(static_cast<size_t>((positions + 7) / 8) * image.height, 0);
  std::vector<uint8_t> flagB;
  std::vector<uint8_t> pixels;
  std::vector<uint8_t> flagsAbove(positions, 0);
  size_t flagABit = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int j = 0; j < positions; ++j, ++flagABit) {
      const int high = grid.Choose(y, 2 * j, flagsAbove[j] >> 4);
      const int low = grid.Choose(y, 2 * j + 1, flagsAbove[j] & 0x0F);
      const uint8_t flag = static_cast<uint8_t>(high << 4 | low);
      if (flag != flagsAbove[j]) {
        flagA[flagABit / 8] |= static_cast<uint8_t>(0x80 >> (flagABit % 8));
        flagB.push_back(flag ^ flagsAbove[j]);
      }
      flagsAbove[j] = flag;
      if (high == 0) pixels.insert(pixels.end(), grid.Unit(y, 2 * j), grid.Unit(y, 2 * j) + 2);
      if (low == 0)
        pixels.insert(pixels.end(), grid.Unit(y, 2 * j + 1), grid.Unit(y, 2 * j + 1) + 2);
    }
  }

  std::vector<uint8_t>& out = *file;
  out.assign(kMagMagic, kMagMagic + 8);
  out.insert(out.end(), kMachine, kMachine + 4);
  out.insert(out.end(), kUser, kUser + 18);
  out.insert(out.end(), options.comment.begin(), options.comment.end());
  out.push_back(kMagEndOfComment);

  const uint32_t flagAOffset = kMagHeaderBytes + 3 * image.colors;
  const uint32_t flagBOffset = flagAOffset + static_cast<uint32_t>(flagA.size());
  const uint32_t pixelOffset = flagBOffset + static_cast<uint32_t>(flagB.size());
  out.insert(out.end(), {0, 0, 0, static_cast<uint8_t>(image.colors == 256 ? kMag256Colors : 0)});
  AppendUint16(out, options.left);
  AppendUint16(out, options.top);
  AppendUint16(out, static_cast<uint32_t>(right));
  AppendUint16(out, static_cast<uint32_t>(options.top + image.height - 1));
  AppendUint32(out, flagAOffset);
  AppendUint32(out, flagBOffset);
  AppendUint32(out, static_cast<uint32_t>(flagB.size()));
  AppendUint32(out, pixelOffset);
  AppendUint32(out, static_cast<uint32_t>(pixels.size()));
  for (int i = 0; i < image.colors; ++i) {
    const uint8_t* rgb = &image.palette[3 * i];
    out.insert(out.end(), {rgb[1], rgb[0], rgb[2]});  // stored green, red, blue
  }
  out.insert(out.end(), flagA.begin(), flagA.end());
  out.insert(out.end(), flagB.begin(), flagB.end());
  out.insert(out.end(), pixels.begin(), pixels.end());
  return true;
}
