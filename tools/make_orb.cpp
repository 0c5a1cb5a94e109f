// Wraps a BMP picture into an "orb" background picture with a title and an author.
// Usage: make_orb IN.bmp OUT.orb TITLE AUTHOR
// TITLE and AUTHOR are stored byte for byte: pass them in code page 932.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/orb_writer.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: make_orb IN.bmp OUT.orb TITLE AUTHOR\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(in)), {});
  OrbPicture picture;
  if (!OrbPictureFromBmp(bmp, &picture)) {
    std::fprintf(stderr, "make_orb: %s is not an uncompressed 1, 4, 8 or 24-bit BMP\n", argv[1]);
    return 1;
  }
  picture.title = argv[3];
  picture.author = argv[4];
  const std::vector<uint8_t> orb = BuildOrbFile(picture);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(orb.data()), static_cast<std::streamsize>(orb.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "make_orb: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
