#include "tools/exif_segment.h"

namespace {

// Appends `value` in `bytes` bytes, most significant first when `big`.
void Append(std::vector<uint8_t>& out, uint32_t value, int bytes, bool big) {
  for (int i = 0; i < bytes; ++i) {
    const int shift = 8 * (big ? bytes - 1 - i : i);
    out.push_back(static_cast<uint8_t>(value >> shift));
  }
}

}  // namespace

std::vector<uint8_t> WithExifOrientation(const std::vector<uint8_t>& jpeg, uint16_t orientation,
                                         bool bigEndian) {
  const char* byteOrder = bigEndian ? "MM" : "II";
  std::vector<uint8_t> body = {'E', 'x', 'i', 'f', 0, 0};
  body.insert(body.end(), byteOrder, byteOrder + 2);
  Append(body, 42, 2, bigEndian);
  Append(body, 8, 4, bigEndian);  // the directory follows the 8-byte header
  Append(body, 1, 2, bigEndian);
  Append(body, 274, 2, bigEndian);
  Append(body, 3, 2, bigEndian);  // SHORT
  Append(body, 1, 4, bigEndian);
  Append(body, orientation, 2, bigEndian);
  Append(body, 0, 2, bigEndian);  // the value field's unused half
  Append(body, 0, 4, bigEndian);  // no next directory

  std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
  out.push_back(0xFF);
  out.push_back(0xE1);
  Append(out, static_cast<uint32_t>(body.size() + 2), 2, true);
  out.insert(out.end(), body.begin(), body.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}
