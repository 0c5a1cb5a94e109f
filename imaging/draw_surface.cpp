#include "imaging/draw_surface.h"

#include <cstring>

DrawSurface::DrawSurface()
    : bitmapInfo_{},
      memoryDc_(nullptr),
      bitmap_(nullptr),
      previousBitmap_(nullptr),
      bits_(nullptr),
      stride_(0),
      width_(0),
      height_(0) {}

DrawSurface::~DrawSurface() { Destroy(); }

int DrawSurface::Create(HWND window, unsigned width, unsigned height, int depth) {
  Destroy();
  if (width > 65535 || height > 65535) return 0;
  if (depth != 16 && depth != 24 && depth != 32) return 0;

  width_ = width;
  height_ = height;
  std::memset(&bitmapInfo_, 0, sizeof bitmapInfo_);
  BITMAPINFOHEADER& header = bitmapInfo_.bmiHeader;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = static_cast<LONG>(width);
  header.biHeight = -static_cast<LONG>(height);
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(depth);
  header.biCompression = BI_RGB;
  bits_ = nullptr;

  HDC windowDc = GetDC(window);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(windowDc, &bitmapInfo_, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<unsigned char*>(bits);
  memoryDc_ = CreateCompatibleDC(windowDc);
  previousBitmap_ = memoryDc_ && bitmap_ ? SelectObject(memoryDc_, bitmap_) : nullptr;
  if (previousBitmap_ == HGDI_ERROR) previousBitmap_ = nullptr;
  ReleaseDC(window, windowDc);

  stride_ = static_cast<int>((static_cast<unsigned>(depth) / 8 * width + 3) / 4 * 4);
  if (bitmap_ != nullptr && memoryDc_ != nullptr && previousBitmap_ != nullptr) return 1;
  Destroy();
  return 0;
}

void DrawSurface::Destroy() {
  if (previousBitmap_ != nullptr) {
    SelectObject(memoryDc_, previousBitmap_);
    previousBitmap_ = nullptr;
  }
  if (bitmap_ != nullptr) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }
  if (memoryDc_ != nullptr) {
    DeleteDC(memoryDc_);
    memoryDc_ = nullptr;
  }
  width_ = 0;
  height_ = 0;
  std::memset(&bitmapInfo_, 0, sizeof bitmapInfo_);
  bits_ = nullptr;
  stride_ = 0;
}
