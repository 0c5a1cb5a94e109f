#pragma once

#include <vector>

// Where the settings dialog's preview draws a picture: the screen shrunk to a
// 192 x 144 area, with the picture placed as the desktop's display style would
// place it. Integer arithmetic throughout; divisions truncate.

constexpr int kPreviewWidth = 192;
constexpr int kPreviewHeight = 144;

// The display styles, as the dialog's style list orders them.
constexpr int kStyleCentred = 0;
constexpr int kStyleTiled = 1;
constexpr int kStyleStretched = 2;
constexpr int kStyleFill = 3;
constexpr int kStyleFit = 4;
constexpr int kStyleCount = 5;

struct PreviewRect {
  int x;
  int y;
  int width;
  int height;
};

inline bool operator==(const PreviewRect& a, const PreviewRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

struct PreviewPlacement {
  PreviewRect source;                // the part of the picture drawn, in picture pixels
  std::vector<PreviewRect> targets;  // where it is drawn in the area; several when tiled
};

// The placement of a `pictureWidth` x `pictureHeight` picture on a `screenWidth` x
// `screenHeight` screen. Centred and tiled, the screen is shrunk by whole factors
// (1024 x 768 by 5); a screen smaller than the area is shown unshrunk. The source
// never reaches past the picture, and a picture smaller than one preview pixel
// still covers one, so tiles always advance. Stretched, filled (the picture covers
// the screen keeping its aspect, centred) and fitted (it fits wholly inside, with
// bars), the area stands for the whole screen.
PreviewPlacement PlacePreview(int screenWidth, int screenHeight, int pictureWidth,
                              int pictureHeight, int style);
