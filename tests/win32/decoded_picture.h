#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The bytes of skin resource `id` (type "MAG") of this executable; empty when missing.
std::vector<unsigned char> SkinResource(int id);

// A MAG picture decoded with the program's decoder: the colours a test expects to
// find where the picture was drawn.
class DecodedPicture {
 public:
  explicit DecodedPicture(const std::vector<unsigned char>& mag);

  bool valid() const { return !bmp_.empty(); }
  // The colour of pixel (x, y), counted from the top left.
  COLORREF At(int x, int y) const;

 private:
  uint32_t Field(size_t at) const;

  std::vector<uint8_t> bmp_;
};
