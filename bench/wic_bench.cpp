// Prints what decoding a photograph through WicPicture costs, each figure next to
// WIC's own decode-and-scale of the same file to the same size: the wallpaper
// preview's 6,000 x 4,000 JPEG to 192 x 144, and a 4,000 x 3,000 JPEG covering the
// 200 x 200 face; then the same two pictures through the paths that show them, the
// preview's Load and Draw and the face's LoadBackground. Both files are stored
// turned (EXIF orientation 6), as a camera held upright writes them, so the wrapper
// stands them up; they are written beside the program when missing.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/window/clock_face.h"
#include "base/win/wic_picture.h"
#include "bench/bench_figure.h"
#include "bench/bench_timer.h"
#include "plugins/wallpaper/wallpaper_preview.h"
#include "tests/win32/test_support.h"
#include "tools/exif_segment.h"

namespace {

// A photograph-like picture: soft gradients with a little grain, which JPEG neither
// drops nor inflates.
BgraPicture Photograph(int width, int height) {
  BgraPicture picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  uint32_t grain = 12345;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      grain = grain * 1103515245 + 12345;
      const uint32_t red = x * 255u / width;
      const uint32_t green = y * 255u / height;
      const uint32_t blue = 96 + (grain >> 27);
      picture.pixels[static_cast<size_t>(y) * width + x] =
          0xFF000000 | red << 16 | green << 8 | blue;
    }
  }
  return picture;
}

// The JPEG stored `width` x `height` with orientation 6 beside the program, written
// when missing; its path.
std::string TurnedJpeg(int width, int height) {
  char name[64];
  std::snprintf(name, sizeof name, "\\bench_turned_%dx%d.jpg", width, height);
  const std::string path = ExeDir() + name;
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
  const std::string plain = path + ".plain";
  if (!WritePictureFile(plain.c_str(), Photograph(width, height), PictureFileType::kJpeg))
    return "";
  const std::string text = ReadText(plain);
  DeleteFileA(plain.c_str());
  WriteBytes(path, WithExifOrientation(std::vector<unsigned char>(text.begin(), text.end()), 6));
  return path;
}

// WIC alone: the file decoded and scaled to `size` in 32-bit premultiplied BGRA,
// with the interpolation WicPicture asks for first.
bool BareWicDecode(const wchar_t* path, PictureSize size, std::vector<uint32_t>* pixels) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapScaler> scaler;
  ComPtr<IWICFormatConverter> converter;
  pixels->resize(static_cast<size_t>(size.width) * size.height);
  const UINT stride = static_cast<UINT>(size.width) * 4;
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.Receive()))) &&
         SUCCEEDED(factory->CreateDecoderFromFilename(
             path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, decoder.Receive())) &&
         SUCCEEDED(decoder->GetFrame(0, frame.Receive())) &&
         SUCCEEDED(factory->CreateBitmapScaler(scaler.Receive())) &&
         SUCCEEDED(scaler->Initialize(frame.get(), size.width, size.height,
                                      static_cast<WICBitmapInterpolationMode>(4))) &&
         SUCCEEDED(factory->CreateFormatConverter(converter.Receive())) &&
         SUCCEEDED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppPBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeCustom)) &&
         SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * size.height,
                                         reinterpret_cast<BYTE*>(pixels->data())));
}

// Runs `show` on the picture at `path`, taking turns with the floor, WIC alone
// decoding the file to `stored`, the target's stored size; prints the medians.
void Measure(const char* name, const std::string& path, PictureSize stored, int runs,
             const std::function<bool()>& show) {
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  std::vector<double> shows, floors;
  std::vector<uint32_t> bare;
  for (int run = 0; run < runs; ++run) {
    bool shown = false;
    shows.push_back(Time([&] { shown = show(); }));
    bool decodedBare = false;
    floors.push_back(Time([&] { decodedBare = BareWicDecode(wide, stored, &bare); }));
    if (!shown || !decodedBare) {
      std::printf("%s: %s does not decode\n", name, path.c_str());
      return;
    }
    KeepAlive(bare.data());
  }
  char label[160];
  std::snprintf(label, sizeof label, "%s, %zu runs", name, shows.size());
  PrintFigure(label, Median(shows), Median(floors));
}

// Decodes the picture at `path` through WicPicture to `target`: the whole upright
// picture, or with `cover` its centred part that covers the target.
void MeasureDecode(const char* name, const std::string& path, PictureSize target, bool cover,
                   int runs) {
  Measure(name, path, {target.height, target.width}, runs, [&] {
    const WicPicture picture(path.c_str());
    const PictureSize size = picture.size();
    const PictureRect all{0, 0, size.width, size.height};
    const BgraPicture decoded = picture.Decode(cover ? CoverSource(size, target) : all, target);
    KeepAlive(decoded.pixels.data());
    return !decoded.empty();
  });
}

}  // namespace

int main() {
  const ComApartment apartment;
  const std::string preview = TurnedJpeg(4000, 6000);
  const std::string face = TurnedJpeg(3000, 4000);
  if (preview.empty() || face.empty()) {
    std::printf("the benchmark pictures cannot be written\n");
    return 1;
  }
  MeasureDecode(
      "WicPicture: 6,000 x 4,000 JPEG upright, scaled to 192 x 144 (floor: WIC decode and scale)",
      preview, {192, 144}, false, 15);
  MeasureDecode(
      "WicPicture: 4,000 x 3,000 JPEG upright, covering 200 x 200 (floor: WIC decode and scale)",
      face, {200, 200}, true, 25);

  // The preview stretched, which shows the whole picture in the 192 x 144 area.
  TestWindow window(0, 0, 200, 200, RGB(0, 0, 0));
  Measure("wallpaper preview Load and Draw of the 6,000 x 4,000 JPEG (floor: WIC to 192 x 144)",
          preview, {144, 192}, 15, [&] {
            WallpaperPreview shown;
            shown.Load(window.get(), preview.c_str());
            return shown.Draw(window.get(), kStyleStretched) == 1;
          });
  ClockFace clock;
  clock.Attach(window.get());
  Measure("ClockFace::LoadBackground of the 4,000 x 3,000 JPEG (floor: WIC to 200 x 200)", face,
          {200, 200}, 25, [&] { return clock.LoadBackground(face.c_str()) == 1; });
  return 0;
}
