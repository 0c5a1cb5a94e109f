// Decodes a MAG picture into a BMP file with the program's own decoder.
//   mag_to_bmp INPUT.mag OUTPUT.bmp
#include <cstdio>
#include <fstream>
#include <vector>

#include "formats/mag_decoder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mag_to_bmp INPUT.mag OUTPUT.bmp\n");
    return 2;
  }
  const MagDecoder decoder;
  const uint32_t size = decoder.GetBitmapFileSize(argv[1], nullptr, 0);
  if (size == 0) {
    std::fprintf(stderr, "mag_to_bmp: %s cannot be read or is no MAG picture\n", argv[1]);
    return 1;
  }
  std::vector<uint8_t> image(size);
  if (decoder.DecodeToBitmapFile(argv[1], image.data(), nullptr, 0, size) != 0) {
    std::fprintf(stderr, "mag_to_bmp: %s cannot be decoded\n", argv[1]);
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary);
  output.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(size));
  if (!output) {
    std::fprintf(stderr, "mag_to_bmp: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
