// Prints what decoding a skin costs: the median time to turn the customize skin
// (400 x 400, 256 colours) from memory into its BMP image, next to a memcpy of
// the image's size, the least any decoder must spend writing that output.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/bench_figure.h"
#include "formats/mag_decoder.h"

#ifdef _WIN32
#include "base/win/resource_data.h"
#include "resources/resource_ids.h"
#else
#include <fstream>
#include <iterator>
#endif

namespace {

#ifdef _WIN32
constexpr char kBuild[] = "Windows";
#else
constexpr char kBuild[] = "native";
#endif

// The skin as the program holds it: the executable's resource on Windows, the
// committed file natively.
std::vector<unsigned char> SkinBytes() {
#ifdef _WIN32
  const unsigned char* data = nullptr;
  DWORD size = 0;
  if (!LoadResourceData(IDR_CUSTOMIZE_SKIN, kSkinResourceType, &data, &size)) return {};
  return std::vector<unsigned char>(data, data + size);
#else
  std::ifstream file(KELVANE_SOURCE_DIR "/resources/skin_customize.mag", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>());
#endif
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main() {
  const std::vector<unsigned char> mag = SkinBytes();
  const MagDecoder decoder;
  const auto length = static_cast<uint32_t>(mag.size());
  const uint32_t size = decoder.GetBitmapFileSize(nullptr, mag.data(), length);
  if (size == 0) {
    std::printf("the customize skin cannot be read\n");
    return 1;
  }
  std::vector<uint8_t> image(size);
  std::vector<uint8_t> copy(size);
  std::vector<double> decodes;
  std::vector<double> copies;
  // Decode and copy take turns, so that both see the same state of the machine.
  for (int run = 0; run < 500; ++run) {
    auto start = std::chrono::steady_clock::now();
    decoder.GetBitmapFileSize(nullptr, mag.data(), length);
    const int result = decoder.DecodeToBitmapFile(nullptr, image.data(), mag.data(), length, size);
    decodes.push_back(Since(start));
    if (result != 0) {
      std::printf("the customize skin does not decode\n");
      return 1;
    }
    start = std::chrono::steady_clock::now();
    std::memcpy(copy.data(), image.data(), size);
    KeepAlive(copy.data());
    copies.push_back(Since(start));
  }
  char name[96];
  std::snprintf(name, sizeof name, "MAG decode of skin 116, %u -> %u bytes, %zu runs, %s", length,
                size, decodes.size(), kBuild);
  PrintFigure(name, Median(decodes), Median(copies));
  return 0;
}
