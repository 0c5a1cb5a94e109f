#include "app/window/clock_face.h"

#include <initializer_list>

#include "base/win/gdi_handles.h"
#include "imaging/background_loader.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kSurfaceDepth = 16;

}  // namespace

ClockFace::ClockFace() : window_(nullptr) {}

ClockFace::~ClockFace() { Clear(); }

int ClockFace::Attach(HWND window) {
  window_ = window;
  if (clock_.module.get() != nullptr || info_.module.get() != nullptr) Clear();
  const int composeMade = compose_.Create(window, kFaceSize, kFaceSize, kSurfaceDepth);
  const int backgroundMade = background_.Create(window, kFaceSize, kFaceSize, kSurfaceDepth);
  if (!composeMade && !backgroundMade) {
    Clear();
    return 0;
  }
  return 1;
}

void ClockFace::Clear() {
  compose_.Destroy();
  background_.Destroy();
  for (Slot* slot : {&clock_, &info_}) {
    slot->module = LoadedLibrary();
    slot->draw = nullptr;
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
  slot->draw =
      slot->module.Export<KelvaneModuleDrawFn>(slotNumber == kClockSlot ? "DrawClock" : "DrawInfo");
  if (auto initialize = slot->module.Export<KelvaneModuleInitializeFn>("Initialize"))
    initialize(window_);
  return previous;
}

HMODULE ClockFace::GetModule(int slot) const {
  if (slot == kClockSlot) return clock_.module.get();
  if (slot == kInfoSlot) return info_.module.get();
  return nullptr;
}

int ClockFace::LoadBackground(const char* path) {
  HDC dc = background_.memoryDc();
  if (!DrawBackgroundPicture(path, dc, 0, 0, 0, 0)) {
    const PictureSize face{static_cast<int>(background_.width()),
                           static_cast<int>(background_.height())};
    DrawBitmapWithDial(path, dc, face, IDB_DIAL);
  }
  return 1;
}

void ClockFace::Draw(const SYSTEMTIME* now) {
  HDC dc = compose_.memoryDc();
  if (now != nullptr) {
    BitBlt(dc, 0, 0, static_cast<int>(background_.width()), static_cast<int>(background_.height()),
           background_.memoryDc(), 0, 0, SRCCOPY);
    if (info_.draw != nullptr) info_.draw(dc, now, 0);
    if (clock_.draw != nullptr) clock_.draw(dc, now, 0);
  }
  WindowDc window(window_);
  BitBlt(window.get(), 0, 0, static_cast<int>(compose_.width()),
         static_cast<int>(compose_.height()), dc, 0, 0, SRCCOPY);
}
