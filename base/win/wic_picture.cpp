#include "base/win/wic_picture.h"

#include <algorithm>
#include <new>
#include <utility>

#include "base/picture_orientation.h"
#include "base/picture_resampler.h"
#include "base/win/file_bytes.h"
#include "formats/picture_header.h"

namespace {

// How many times the target size a scaler that picks the nearest pixel scales to
// at the most, so that the box filter averages 4 x 4 samples for each pixel. Eight
// times would cost Wine's scaler a third of the decode of a 4,000 x 3,000 JPEG.
constexpr int kNearestOversampling = 4;
// Stored rows copied at a time when they are turned upright.
constexpr int kBandRows = 64;
// WICBitmapInterpolationModeHighQualityCubic (Windows 10), which MinGW's header lacks.
constexpr auto kHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);

HRESULT CreateFactory(ComPtr<IWICImagingFactory>* factory) {
  return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                          IID_IWICImagingFactory, reinterpret_cast<void**>(factory->Receive()));
}

// A code page 932 path as the UTF-16 path WIC takes; false when it does not convert.
bool WidePath(const char* path, wchar_t (&wide)[MAX_PATH]) {
  return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH) != 0;
}

// a * b / c rounded to the nearest whole number.
int Scaled(int a, int b, int c) {
  return static_cast<int>((static_cast<int64_t>(a) * b + c / 2) / c);
}

// Windows before 10 refuses HighQualityCubic; Fant averages too.
HRESULT InitializeScaler(IWICBitmapScaler* scaler, IWICBitmapSource* source, PictureSize size) {
  const HRESULT cubic = scaler->Initialize(source, size.width, size.height, kHighQualityCubic);
  if (SUCCEEDED(cubic)) return cubic;
  return scaler->Initialize(source, size.width, size.height, WICBitmapInterpolationModeFant);
}

// True when the scaler averages: a black and a white pixel scaled to one come out
// grey. Wine's picks the nearest pixel in every interpolation mode. Asked once.
bool ScalerAverages(IWICImagingFactory* factory) {
  static const bool averages = [factory] {
    uint32_t pixels[2] = {0xFF000000, 0xFFFFFFFF};
    uint32_t scaled = 0;
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICBitmapScaler> scaler;
    return SUCCEEDED(factory->CreateBitmapFromMemory(
               2, 1, GUID_WICPixelFormat32bppPBGRA, sizeof pixels, sizeof pixels,
               reinterpret_cast<BYTE*>(pixels), bitmap.Receive())) &&
           SUCCEEDED(factory->CreateBitmapScaler(scaler.Receive())) &&
           SUCCEEDED(InitializeScaler(scaler.get(), bitmap.get(), {1, 1})) &&
           SUCCEEDED(scaler->CopyPixels(nullptr, 4, 4, reinterpret_cast<BYTE*>(&scaled))) &&
           scaled != pixels[0] && scaled != pixels[1];
  }();
  return averages;
}

// Copies the 32-bit pixels of `source`, whose size is `stored`, to their upright
// places in `picture`, a band of rows at a time; false when a copy fails.
bool CopyUpright(IWICBitmapSource* source, PictureSize stored, int orientation,
                 BgraPicture* picture) {
  const PictureSize upright = UprightSize(orientation, stored);
  picture->width = upright.width;
  picture->height = upright.height;
  picture->pixels.resize(static_cast<size_t>(upright.width) * upright.height);
  const UINT stride = static_cast<UINT>(stored.width) * 4;
  if (orientation == 1) {
    return SUCCEEDED(source->CopyPixels(nullptr, stride, stride * stored.height,
                                        reinterpret_cast<BYTE*>(picture->pixels.data())));
  }
  std::vector<uint32_t> band(static_cast<size_t>(stored.width) * kBandRows);
  for (int row = 0; row < stored.height; row += kBandRows) {
    const int rows = std::min(kBandRows, stored.height - row);
    const WICRect rect{0, row, stored.width, rows};
    if (FAILED(source->CopyPixels(&rect, stride, stride * rows,
                                  reinterpret_cast<BYTE*>(band.data())))) {
      return false;
    }
    PlaceStoredRows(orientation, stored, band.data(), row, rows, picture);
  }
  return true;
}

}  // namespace

WicPicture::WicPicture(const char* path) {
  bool read = false;
  try {
    read = ReadFileBytes(path, kMaxPictureFileBytes + 1, &file_);
  } catch (const std::bad_alloc&) {
  }
  if (read) {
    OpenFile();
  } else {
    Close();
  }
}

WicPicture::WicPicture(std::vector<uint8_t> file) : file_(std::move(file)) { OpenFile(); }

void WicPicture::OpenFile() {
  bool opened = false;
  try {
    opened = Open();
  } catch (const std::bad_alloc&) {
  }
  if (!opened) Close();
}

bool WicPicture::Open() {
  if (file_.size() > kMaxPictureFileBytes) return false;
  PictureHeader header;
  if (!ReadPictureHeader(file_.data(), file_.size(), &header) ||
      (header.sizeKnown && !IsPictureSizeAllowed(header.width, header.height))) {
    return false;
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(CreateFactory(&factory_)) || FAILED(factory_->CreateStream(stream_.Receive())) ||
      FAILED(stream_->InitializeFromMemory(file_.data(), static_cast<DWORD>(file_.size()))) ||
      FAILED(factory_->CreateDecoderFromStream(
          stream_.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder_.Receive())) ||
      FAILED(decoder_->GetFrame(0, frame_.Receive())) || FAILED(frame_->GetSize(&width, &height)) ||
      !IsPictureSizeAllowed(width, height)) {
    return false;
  }
  stored_ = {static_cast<int>(width), static_cast<int>(height)};
  orientation_ = header.orientation;
  return true;
}

void WicPicture::Close() {
  frame_.Reset();
  decoder_.Reset();
  stream_.Reset();
  factory_.Reset();
  file_ = std::vector<uint8_t>();
}

PictureSize WicPicture::size() const { return UprightSize(orientation_, stored_); }

BgraPicture WicPicture::Decode(const PictureRect& source, PictureSize target) const {
  const PictureSize upright = size();
  if (!valid() || !IsPictureSizeAllowed(target.width, target.height) || source.width <= 0 ||
      source.height <= 0 || source.x < 0 || source.y < 0 ||
      source.x > upright.width - source.width || source.y > upright.height - source.height) {
    return {};
  }
  try {
    return DecodeWithin(source, target);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

BgraPicture WicPicture::DecodeWithin(const PictureRect& source, PictureSize target) const {
  const PictureRect crop = StoredRect(orientation_, stored_, source);
  // Turning swaps the sides either way, so this is the target's stored size.
  const PictureSize storedTarget = UprightSize(orientation_, target);
  // A scaler that averages scales straight to the target; after one that picks
  // the nearest pixel, the box filter averages what it picked.
  const int oversampling = ScalerAverages(factory_.get()) ? 1 : kNearestOversampling;
  const PictureSize between{std::min(crop.width, oversampling * storedTarget.width),
                            std::min(crop.height, oversampling * storedTarget.height)};

  IWICBitmapSource* from = frame_.get();
  PictureSize fromSize = stored_;
  PictureRect clip = crop;
  ComPtr<IWICBitmapScaler> scaler;
  if (between.width != crop.width || between.height != crop.height) {
    // The whole picture is scaled and the part cut from the result, which lets a
    // JPEG decoder decode at a fraction of its size.
    fromSize = {Scaled(stored_.width, between.width, crop.width),
                Scaled(stored_.height, between.height, crop.height)};
    clip = {std::min(Scaled(crop.x, between.width, crop.width), fromSize.width - between.width),
            std::min(Scaled(crop.y, between.height, crop.height), fromSize.height - between.height),
            between.width, between.height};
    if (FAILED(factory_->CreateBitmapScaler(scaler.Receive())) ||
        FAILED(InitializeScaler(scaler.get(), from, fromSize))) {
      return {};
    }
    from = scaler.get();
  }
  ComPtr<IWICBitmapClipper> clipper;
  if (clip.width != fromSize.width || clip.height != fromSize.height) {
    const WICRect rect{clip.x, clip.y, clip.width, clip.height};
    if (FAILED(factory_->CreateBitmapClipper(clipper.Receive())) ||
        FAILED(clipper->Initialize(from, &rect))) {
      return {};
    }
    from = clipper.get();
  }
  ComPtr<IWICFormatConverter> converter;
  BgraPicture picture;
  if (FAILED(factory_->CreateFormatConverter(converter.Receive())) ||
      FAILED(converter->Initialize(from, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
      !CopyUpright(converter.get(), between, orientation_, &picture)) {
    return {};
  }
  if (picture.width == target.width && picture.height == target.height) return picture;
  return Resample(picture, target);
}

namespace {

// Asks the JPEG encoder for quality 0.95 instead of its default 0.75. Wine's
// encoder answers yes and keeps its default.
void AskForJpegQuality(IPropertyBag2* options) {
  PROPBAG2 option{};
  option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
  VARIANT value{};
  value.vt = VT_R4;
  value.fltVal = 0.95f;
  options->Write(1, &option, &value);
}

// Encodes `picture` into the file `path`; `begun` tells whether the file was made.
bool Encode(const wchar_t* path, const BgraPicture& picture, PictureFileType type, bool* begun) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  if (FAILED(CreateFactory(&factory)) || FAILED(factory->CreateStream(stream.Receive())) ||
      FAILED(stream->InitializeFromFilename(path, GENERIC_WRITE))) {
    return false;
  }
  *begun = true;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  if (FAILED(factory->CreateEncoder(
          type == PictureFileType::kPng ? GUID_ContainerFormatPng : GUID_ContainerFormatJpeg,
          nullptr, encoder.Receive())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Receive(), options.Receive()))) {
    return false;
  }
  if (type == PictureFileType::kJpeg) AskForJpegQuality(options.get());
  // The encoder answers the nearest format it writes, and WriteSource converts to it.
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppPBGRA;
  const UINT stride = static_cast<UINT>(picture.width) * 4;
  ComPtr<IWICBitmap> bitmap;
  return SUCCEEDED(frame->Initialize(options.get())) &&
         SUCCEEDED(frame->SetSize(picture.width, picture.height)) &&
         SUCCEEDED(frame->SetPixelFormat(&format)) &&
         SUCCEEDED(factory->CreateBitmapFromMemory(
             picture.width, picture.height, GUID_WICPixelFormat32bppPBGRA, stride,
             stride * picture.height,
             reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.pixels.data())),
             bitmap.Receive())) &&
         SUCCEEDED(frame->WriteSource(bitmap.get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
         SUCCEEDED(encoder->Commit());
}

}  // namespace

bool WritePictureFile(const char* path, const BgraPicture& picture, PictureFileType type) {
  wchar_t wide[MAX_PATH];
  if (!IsWhole(picture) || !WidePath(path, wide)) return false;
  const ComApartment apartment;
  bool begun = false;
  if (Encode(wide, picture, type, &begun)) return true;
  if (begun) DeleteFileA(path);
  return false;
}
