#include "tools/mag_encoder.h"

#include <algorithm>

namespace {

constexpr char kMagic[] = "MAKI02  ";
constexpr char kMachine[] = "KLVN";
constexpr char kUser[] = "Kelvane           ";  // 18 bytes
constexpr uint8_t kEndOfComment = 0x1A;
constexpr uint32_t kHeaderBytes = 32;

struct CopyPosition {
  int dx;
  int dy;
};
constexpr CopyPosition kCopyPositions[16] = {
    {0, 0}, {1, 0}, {2, 0}, {4, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2},
    {2, 2}, {0, 4}, {1, 4}, {2, 4}, {0, 8}, {1, 8}, {2, 8}, {0, 16},
};
// Nearer positions first: they match most often in drawn pictures.
constexpr int kSearchOrder[15] = {4, 1, 5, 6, 2, 7, 8, 9, 10, 3, 11, 12, 13, 14, 15};

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value);
  Put16(out, value >> 16);
}

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
    const CopyPosition& p = kCopyPositions[nibble];
    if (y < p.dy || unit < p.dx) return false;
    const uint8_t* here = Unit(y, unit);
    const uint8_t* there = Unit(y - p.dy, unit - p.dx);
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
  return options.comment.find(static_cast<char>(kEndOfComment)) == std::string::npos;
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
  out.assign(kMagic, kMagic + 8);
  out.insert(out.end(), kMachine, kMachine + 4);
  out.insert(out.end(), kUser, kUser + 18);
  out.insert(out.end(), options.comment.begin(), options.comment.end());
  out.push_back(kEndOfComment);

  const uint32_t flagAOffset = kHeaderBytes + 3 * image.colors;
  const uint32_t flagBOffset = flagAOffset + static_cast<uint32_t>(flagA.size());
  const uint32_t pixelOffset = flagBOffset + static_cast<uint32_t>(flagB.size());
  out.insert(out.end(), {0, 0, 0, static_cast<uint8_t>(image.colors == 256 ? 0x80 : 0)});
  Put16(out, options.left);
  Put16(out, options.top);
  Put16(out, static_cast<uint32_t>(right));
  Put16(out, static_cast<uint32_t>(options.top + image.height - 1));
  Put32(out, flagAOffset);
  Put32(out, flagBOffset);
  Put32(out, static_cast<uint32_t>(flagB.size()));
  Put32(out, pixelOffset);
  Put32(out, static_cast<uint32_t>(pixels.size()));
  for (int i = 0; i < image.colors; ++i) {
    const uint8_t* rgb = &image.palette[3 * i];
    out.insert(out.end(), {rgb[1], rgb[0], rgb[2]});  // stored green, red, blue
  }
  out.insert(out.end(), flagA.begin(), flagA.end());
  out.insert(out.end(), flagB.begin(), flagB.end());
  out.insert(out.end(), pixels.begin(), pixels.end());
  return true;
}
