// Prints what decoding a skin costs: the median time to turn the customize skin
// (400 x 400, 256 colours) from memory into its BMP image, and the output rate.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "formats/mag_decoder.h"

#ifdef _WIN32
#include "base/win/resource_data.h"
#include "resources/resource_ids.h"
#else
#include <fstream>
#include <iterator>
#endif

namespace {

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
  std::vector<double> samples;
  for (int run = 0; run < 500; ++run) {
    const auto start = std::chrono::steady_clock::now();
    decoder.GetBitmapFileSize(nullptr, mag.data(), length);
    const int result = decoder.DecodeToBitmapFile(nullptr, image.data(), mag.data(), length, size);
    const auto end = std::chrono::steady_clock::now();
    if (result != 0) {
      std::printf("the customize skin does not decode\n");
      return 1;
    }
    samples.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::sort(samples.begin(), samples.end());
  const double median = samples[samples.size() / 2];
  std::printf(
      "MAG decode of skin 116 (%u bytes -> %u bytes), %zu runs: median %.1f us, %.0f MB/s\n",
      length, size, samples.size(), median, size / median);
  return 0;
}
