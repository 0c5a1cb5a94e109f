#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: rows top-down without padding, one 32-bit pixel each, read
// as a little-endian number 0xAARRGGBB (bytes blue, green, red, alpha). The
// colours are premultiplied by alpha, so a transparent pixel is 0 and copying
// the colours alone shows the picture over black.
struct BgraPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  bool empty() const { return pixels.empty(); }
};

// True for a picture that is not empty and holds a pixel for each place.
inline bool IsWhole(const BgraPicture& picture) {
  return !picture.empty() && picture.width > 0 && picture.height > 0 &&
         picture.pixels.size() == static_cast<size_t>(picture.width) * picture.height;
}
