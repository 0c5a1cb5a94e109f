#pragma once

#include <windows.h>

#include "base/win/loaded_library.h"
#include "imaging/draw_surface.h"
#include "sdk/kelvane_module.h"

// Composes what the clock window shows: the background surface, then the info
// module's layer (slot 2), then the clock module's layer (slot 1), copied to the
// window. Owns both surfaces and the libraries in its slots.
class ClockFace {
 public:
  static constexpr int kClockSlot = 1;
  static constexpr int kInfoSlot = 2;
  static constexpr int kFaceSize = 200;

  ClockFace();
  virtual ~ClockFace();
  ClockFace(const ClockFace&) = delete;
  ClockFace& operator=(const ClockFace&) = delete;

  // Binds the face to `window` and makes both surfaces; 0 when neither could be made.
  int Attach(HWND window);
  // Destroys both surfaces and frees both slots' libraries without Uninitialize.
  void Clear();
  // Puts `module` (may be null) into a slot, which takes over the caller's reference:
  // the old module's Uninitialize, then the new one's draw function is bound and its
  // Initialize called. Returns the old library, whose reference goes to the caller;
  // null for a slot other than 1 and 2, which takes nothing.
  HMODULE SetModule(int slot, HMODULE module);
  HMODULE GetModule(int slot) const;
  // Draws a background picture into the background surface; shows from the next Draw.
  int LoadBackground(const char* path);
  // With a time: composes a new face. Always: copies the last face to the window.
  void Draw(const SYSTEMTIME* now);

  const DrawSurface& ComposeSurface() const { return compose_; }
  const DrawSurface& BackgroundSurface() const { return background_; }

 private:
  struct Slot {
    LoadedLibrary module;
    KelvaneModuleDrawFn draw = nullptr;
  };

  Slot* SlotFor(int slot);

  HWND window_;
  DrawSurface compose_;
  DrawSurface background_;
  Slot clock_;
  Slot info_;
};
