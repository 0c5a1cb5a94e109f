#pragma once

#include <windows.h>
// After windows.h, whose types they use.
#include <wincodec.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/bgra_picture.h"
#include "base/picture_geometry.h"
#include "base/win/com_objects.h"

// The largest picture file WicPicture opens.
constexpr size_t kMaxPictureFileBytes = 256u << 20;

// The first frame of a picture file, opened with the platform's imaging
// component (WIC): every kind it decodes (BMP of every depth and compression,
// JPEG, PNG, GIF, TIFF, ...), stood upright by its EXIF orientation. Holds a COM
// apartment for its life, so it is used and destroyed on the thread that made
// it; a thread that keeps its own ComApartment keeps COM loaded between pictures.
class WicPicture {
 public:
  // Opens the file at `path` (code page 932). The size limits are checked on
  // what the file's header says before any decoder sees it, and again on the
  // decoder's frame. Invalid when the file cannot be read or is larger than
  // 256 MiB, when it is damaged, cut short or of no kind WIC decodes, or when
  // the picture is beyond the limits.
  explicit WicPicture(const char* path);
  // Opens a picture file held whole in memory, as the path constructor does.
  explicit WicPicture(std::vector<uint8_t> file);
  WicPicture(const WicPicture&) = delete;
  WicPicture& operator=(const WicPicture&) = delete;

  bool valid() const { return frame_.get() != nullptr; }
  // The size of the upright picture; 0 x 0 when invalid.
  PictureSize size() const;

  // The part `source` of the upright picture (in its pixels) scaled to `target`
  // with a filter that averages what each target pixel covers. WIC's scaler
  // shrinks it (HighQualityCubic, or Fant before Windows 10); where the scaler
  // picks the nearest pixel instead (Wine's, in every mode), it shrinks only to
  // four times the target and a box filter averages those 16 samples a pixel.
  // Enlarging interpolates linearly. Empty when the picture is invalid, `source`
  // is empty or not within it, `target` is beyond the limits, or decoding fails
  // or runs out of memory.
  BgraPicture Decode(const PictureRect& source, PictureSize target) const;

 private:
  // Opens the file in `file_` after the path constructor read it or the bytes
  // constructor took it; on failure Close releases what was made.
  void OpenFile();
  bool Open();
  // Releases what a failed Open made, the decoder before the bytes it reads.
  void Close();
  BgraPicture DecodeWithin(const PictureRect& source, PictureSize target) const;

  ComApartment apartment_;
  // The decoder reads the file from here while it lives.
  std::vector<uint8_t> file_;
  ComPtr<IWICImagingFactory> factory_;
  ComPtr<IWICStream> stream_;
  ComPtr<IWICBitmapDecoder> decoder_;
  ComPtr<IWICBitmapFrameDecode> frame_;
  PictureSize stored_{0, 0};
  int orientation_ = 1;
};

enum class PictureFileType { kPng, kJpeg };

// Writes `picture` to a file at `path` (code page 932), replacing one that is
// there, as PNG or as JPEG (transparent parts black) of quality 0.95 where the
// encoder takes that option; Wine's keeps its 0.75. False when the picture is
// empty or cannot be written; a file begun is then deleted.
bool WritePictureFile(const char* path, const BgraPicture& picture, PictureFileType type);
