// libFuzzer target: the picture header reader on untrusted bytes, which it reads before
// any decoder does. libFuzzer hands over a block of exactly the input's size, so ASan
// stops any read past it; the orientation it answers is one of the eight.
#include <cstdint>
#include <cstdlib>

#include "formats/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PictureHeader header;
  ReadPictureHeader(data, size, &header);
  if (header.orientation < 1 || header.orientation > 8) std::abort();
  return 0;
}
