// Converts an indexed BMP file (4 or 8 bits per pixel) into a MAG picture of 16 or
// 256 colours.
//   make_mag INPUT.bmp OUTPUT.mag [COMMENT]
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/indexed_bmp.h"
#include "tools/mag_encoder.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: make_mag INPUT.bmp OUTPUT.mag [COMMENT]\n");
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  if (!input) {
    std::fprintf(stderr, "make_mag: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(input)),
                                 std::istreambuf_iterator<char>());
  IndexedImage image;
  if (!ReadIndexedBmp(bmp, &image)) {
    std::fprintf(stderr, "make_mag: %s is no uncompressed 4- or 8-bit BMP file\n", argv[1]);
    return 1;
  }
  MagOptions options;
  if (argc == 4) options.comment = argv[3];
  std::vector<uint8_t> mag;
  if (!EncodeMag(image, options, &mag)) {
    std::fprintf(stderr, "make_mag: cannot encode %s\n", argv[1]);
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary);
  output.write(reinterpret_cast<const char*>(mag.data()), static_cast<std::streamsize>(mag.size()));
  if (!output) {
    std::fprintf(stderr, "make_mag: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %dx%d, %d colours, %zu bytes\n", argv[2], image.width, image.height,
              image.colors, mag.size());
  return 0;
}
