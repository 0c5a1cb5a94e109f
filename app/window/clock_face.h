#pragma once

#include <windows.h>

#include "base/win/loaded_library.h"
#include "imaging/draw_surface.h"
#include "raster/face_scaler.h"
#include "sdk/kelvane_module.h"

// Composes what the clock window shows: the background surface, then the info
// module's layer (slot 2), then the clock module's layer (slot 1), copied to the
// window. Owns its surfaces and the libraries in its slots.
//
// Every module draws a 200 x 200 face. On a screen of more than 96 DPI the window
// is larger (its face size, 200 scaled by DPI / 96): when every module in a slot
// also draws at any size (DrawClockScaled, DrawInfoScaled) the face is composed at
// the window's size; otherwise it is composed at 200 as always and the finished
// face is enlarged with interpolation.
class ClockFace {
 public:
  static constexpr int kClockSlot = 1;
  static constexpr int kInfoSlot = 2;
  static constexpr int kFaceSize = 200;

  ClockFace();
  virtual ~ClockFace();
  ClockFace(const ClockFace&) = delete;
  ClockFace& operator=(const ClockFace&) = delete;

  // Binds the face to `window`, a face of `size` (at least 200) pixels, and makes
  // the surfaces; 0 when no surface could be made.
  int Attach(HWND window, int size = kFaceSize);
  // Makes the surfaces again for a new face size and draws the background anew.
  // Composes nothing: the next Draw with a time shows the face at that size.
  int Resize(int size);
  // Destroys the surfaces and frees both slots' libraries without Uninitialize.
  void Clear();
  // Puts `module` (may be null) into a slot, which takes over the caller's reference:
  // the old module's Uninitialize, then the new one's draw functions are bound and
  // its Initialize called. Returns the old library, whose reference goes to the
  // caller; null for a slot other than 1 and 2, which takes nothing.
  HMODULE SetModule(int slot, HMODULE module);
  HMODULE GetModule(int slot) const;
  // Draws a background picture into the background surfaces; shows from the next Draw.
  int LoadBackground(const char* path);
  // With a time: composes a new face. Always: copies the last face to the window.
  void Draw(const SYSTEMTIME* now);

  int size() const { return size_; }
  // The surfaces at 200 x 200; the window's own size when the face is larger.
  const DrawSurface& ComposeSurface() const { return compose_; }
  const DrawSurface& BackgroundSurface() const { return background_; }
  const DrawSurface& ScaledComposeSurface() const { return scaledCompose_; }

 private:
  struct Slot {
    LoadedLibrary module;
    KelvaneModuleDrawFn draw = nullptr;
    KelvaneModuleDrawScaledFn drawScaled = nullptr;
  };

  Slot* SlotFor(int slot);
  // Sets the face size (at least 200) and makes the surfaces of a larger face;
  // 0 when they could not be made.
  int MakeScaledSurfaces(int size);
  // Enlarges the 200 background into the larger face's.
  void EnlargeBackground();
  // True when the face is larger than 200 and every filled slot draws at any size.
  bool ComposesAtSize() const;
  // The surface the window shows.
  const DrawSurface& Shown() const;

  HWND window_;
  int size_ = kFaceSize;
  DrawSurface compose_;
  DrawSurface background_;
  // At the face size, when it is larger than 200.
  DrawSurface scaledCompose_;
  DrawSurface scaledBackground_;
  FaceScaler scaler_;
  Slot clock_;
  Slot info_;
  // The background picture last loaded, drawn again at a new size.
  char backgroundPath_[MAX_PATH] = {};
};
