#include "raster/face_scaler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint16_t Pack(int red, int green, int blue) {
  return static_cast<uint16_t>(red << 10 | green << 5 | blue);
}

struct Face {
  Face(int size, uint16_t fill) : pixels(static_cast<size_t>(size * size), fill) {
    buffer = {reinterpret_cast<uint8_t*>(pixels.data()), size, size, size * 2, 16};
  }
  uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y * buffer.width + x)]; }
  std::vector<uint16_t> pixels;
  PixelBuffer buffer;
};

// A face of blue left half and red right half, enlarged 200 to 300: each half keeps
// its colour away from the seam, the seam goes over in between, and one scaler
// serves every face of the same sizes.
TEST(FaceScaler, KeepsColoursAndInterpolatesAcrossAnEdge) {
  const uint16_t blue = Pack(0, 0, 31), red = Pack(31, 0, 0);
  Face from(200, blue);
  for (int y = 0; y < 200; ++y) {
    for (int x = 100; x < 200; ++x) from.pixels[static_cast<size_t>(y * 200 + x)] = red;
  }
  FaceScaler scaler;
  for (int run = 0; run < 2; ++run) {
    Face to(300, 0);
    scaler.Scale(from.buffer, to.buffer);
    EXPECT_EQ(to.At(0, 0), blue);
    EXPECT_EQ(to.At(147, 299), blue);
    EXPECT_EQ(to.At(152, 0), red);
    EXPECT_EQ(to.At(299, 299), red);
    const uint16_t seam = to.At(150, 150);
    EXPECT_TRUE(seam != blue && seam != red && (seam >> 5 & 31) == 0) << std::hex << seam;
  }
}

}  // namespace
