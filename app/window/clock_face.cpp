#include "app/window/clock_face.h"

#include <cstring>
#include <initializer_list>

#include "base/win/gdi_handles.h"
#include "imaging/background_loader.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kSurfaceDepth = 16;

// The pixels of a 16-bit surface for the scaler; an empty surface gives none.
PixelBuffer PixelsOf(const DrawSurface& surface) {
  return {surface.bits(), static_cast<int>(surface.width()), static_cast<int>(surface.height()),
          surface.stride(), surface.bits() != nullptr ? 16 : 0};
}

// The program's dial drawn for a face of `size`; 0 when it holds none.
int DialOfSize(int size) {
  static constexpr struct {
    int size;
    int resource;
  } kDials[] = {{250, IDB_DIAL_250}, {300, IDB_DIAL_300}, {350, IDB_DIAL_350}, {400, IDB_DIAL_400}};
  for (const auto& dial : kDials) {
    if (dial.size == size) return dial.resource;
  }
  return 0;
}

}  // namespace

ClockFace::ClockFace() : window_(nullptr) {}

ClockFace::~ClockFace() { Clear(); }

int ClockFace::Attach(HWND window, int size) {
  window_ = window;
  if (clock_.module.get() != nullptr || info_.module.get() != nullptr) Clear();
  const int composeMade = compose_.Create(window, kFaceSize, kFaceSize, kSurfaceDepth);
  const int backgroundMade = background_.Create(window, kFaceSize, kFaceSize, kSurfaceDepth);
  if (!composeMade && !backgroundMade) {
    Clear();
    return 0;
  }
  MakeScaledSurfaces(size);
  return 1;
}

int ClockFace::Resize(int size) {
  const int made = MakeScaledSurfaces(size);
  LoadBackground(backgroundPath_);
  return made;
}

int ClockFace::MakeScaledSurfaces(int size) {
  size_ = size > kFaceSize ? size : kFaceSize;
  if (size_ == kFaceSize) {
    scaledCompose_.Destroy();
    scaledBackground_.Destroy();
    return 1;
  }
  const auto side = static_cast<unsigned>(size_);
  return scaledCompose_.Create(window_, side, side, kSurfaceDepth) &
         scaledBackground_.Create(window_, side, side, kSurfaceDepth);
}

void ClockFace::Clear() {
  compose_.Destroy();
  background_.Destroy();
  scaledCompose_.Destroy();
  scaledBackground_.Destroy();
  for (Slot* slot : {&clock_, &info_}) {
    slot->module = LoadedLibrary();
    slot->draw = nullptr;
    slot->drawScaled = nullptr;
  }
}

ClockFace::Slot* ClockFace::SlotFor(int slot) {
  if (slot == kClockSlot) return &clock_;
  if (slot == kInfoSlot) return &info_;
  return nullptr;
}

HMODULE ClockFace::SetModule(int slotNumber, HMODULE module) {
  Slot* slot = SlotFor(slotNumber);
  if (slot == nullptr) return nullptr;
  if (auto uninitialize = slot->module.Export<KelvaneModuleUninitializeFn>("Uninitialize")) {
    uninitialize();
  }
  HMODULE previous = slot->module.Detach();
  slot->module = LoadedLibrary(module);
  const bool clock = slotNumber == kClockSlot;
  slot->draw = slot->module.Export<KelvaneModuleDrawFn>(clock ? "DrawClock" : "DrawInfo");
  slot->drawScaled =
      slot->module.Export<KelvaneModuleDrawScaledFn>(clock ? "DrawClockScaled" : "DrawInfoScaled");
  if (auto initialize = slot->module.Export<KelvaneModuleInitializeFn>("Initialize")) {
    initialize(window_);
  }
  return previous;
}

HMODULE ClockFace::GetModule(int slot) const {
  if (slot == kClockSlot) return clock_.module.get();
  if (slot == kInfoSlot) return info_.module.get();
  return nullptr;
}

// The picture is drawn at 200 x 200, as every loader draws it. For a larger face
// it is enlarged; where the program holds a dial of the face's size, that dial is
// drawn instead of the enlarged one, over a photograph decoded afresh at the face's
// size (a photograph covers any face alike, so it shows the same, only sharper).
int ClockFace::LoadBackground(const char* path) {
  if (path != backgroundPath_) {
    std::strncpy(backgroundPath_, path, sizeof backgroundPath_ - 1);
    backgroundPath_[sizeof backgroundPath_ - 1] = '\0';
  }
  HDC dc = background_.memoryDc();
  const PictureSize design{kFaceSize, kFaceSize};
  // An orb picture is a whole face of its own, with no dial laid over it.
  if (DrawBackgroundPicture(path, dc, 0, 0, 0, 0)) {
    EnlargeBackground();
    return 1;
  }
  const int dial = size_ == kFaceSize ? 0 : DialOfSize(size_);
  if (dial == 0) {
    DrawBitmapWithDial(path, dc, design, IDB_DIAL);
    EnlargeBackground();
    return 1;
  }
  const FacePicture drawn = DrawFacePicture(path, dc, design);
  EnlargeBackground();
  HDC large = scaledBackground_.memoryDc();
  if (drawn == FacePicture::kPhotograph) DrawFacePicture(path, large, {size_, size_});
  DrawDialOverlay(large, dial);
  DrawDialOverlay(dc, IDB_DIAL);
  return 1;
}

void ClockFace::EnlargeBackground() {
  if (size_ == kFaceSize) return;
  GdiFlush();
  scaler_.Scale(PixelsOf(background_), PixelsOf(scaledBackground_));
}

bool ClockFace::ComposesAtSize() const {
  if (size_ == kFaceSize) return false;
  for (const Slot* slot : {&clock_, &info_}) {
    if (slot->module.get() != nullptr && slot->drawScaled == nullptr) return false;
  }
  return true;
}

const DrawSurface& ClockFace::Shown() const {
  return size_ == kFaceSize ? compose_ : scaledCompose_;
}

void ClockFace::Draw(const SYSTEMTIME* now) {
  if (now != nullptr && ComposesAtSize()) {
    HDC dc = scaledCompose_.memoryDc();
    BitBlt(dc, 0, 0, size_, size_, scaledBackground_.memoryDc(), 0, 0, SRCCOPY);
    if (info_.drawScaled != nullptr) info_.drawScaled(dc, now, size_);
    if (clock_.drawScaled != nullptr) clock_.drawScaled(dc, now, size_);
  } else if (now != nullptr) {
    HDC dc = compose_.memoryDc();
    BitBlt(dc, 0, 0, static_cast<int>(background_.width()), static_cast<int>(background_.height()),
           background_.memoryDc(), 0, 0, SRCCOPY);
    if (info_.draw != nullptr) info_.draw(dc, now, 0);
    if (clock_.draw != nullptr) clock_.draw(dc, now, 0);
    if (size_ != kFaceSize) {
      GdiFlush();
      scaler_.Scale(PixelsOf(compose_), PixelsOf(scaledCompose_));
    }
  }
  const DrawSurface& shown = Shown();
  WindowDc window(window_);
  BitBlt(window.get(), 0, 0, static_cast<int>(shown.width()), static_cast<int>(shown.height()),
         shown.memoryDc(), 0, 0, SRCCOPY);
}
