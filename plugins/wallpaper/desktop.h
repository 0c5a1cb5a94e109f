#pragma once

// What the plug-in does to the desktop: the wallpaper itself, its display style
// (the values "TileWallpaper" and "WallpaperStyle" of HKEY_CURRENT_USER\Control
// Panel\desktop) and the background of the icons' text.

#include "plugins/wallpaper/preview_geometry.h"

struct DesktopStyle {
  int tile;
  int wallpaperStyle;
};

// The desktop values for the style chosen in the dialog: centred, tiled,
// stretched, fill or fit (see preview_geometry.h); any other index counts as centred.
constexpr DesktopStyle DesktopStyleFor(int style) {
  return style == kStyleTiled       ? DesktopStyle{1, 0}
         : style == kStyleStretched ? DesktopStyle{0, 2}
         : style == kStyleFill      ? DesktopStyle{0, 10}
         : style == kStyleFit       ? DesktopStyle{0, 6}
                                    : DesktopStyle{0, 0};
}

// The dialog's style for the desktop's values: tiled whenever TileWallpaper is 1,
// else by WallpaperStyle, span (22) shown as fill; -1 for a value Windows does not write.
constexpr int StyleOfDesktop(DesktopStyle desktop) {
  return desktop.tile == 1                                              ? kStyleTiled
         : desktop.wallpaperStyle == 0                                  ? kStyleCentred
         : desktop.wallpaperStyle == 2                                  ? kStyleStretched
         : desktop.wallpaperStyle == 6                                  ? kStyleFit
         : desktop.wallpaperStyle == 10 || desktop.wallpaperStyle == 22 ? kStyleFill
                                                                        : -1;
}

// Reads both values as decimal text; one that cannot be read counts as 0.
DesktopStyle ReadDesktopStyle();
// Writes both values as decimal REG_SZ text. The key is not created.
void WriteDesktopStyle(int tile, int wallpaperStyle);

// Sets the desktop wallpaper and saves it; an empty path removes it.
void SetWallpaper(const char* path);

// Where a picture stored turned is written upright to be set:
// "%LOCALAPPDATA%\Kelvane\wallpaper\upright.jpg", one file replaced each time.
// Makes the folders; false when they cannot be made or the path does not fit.
bool UprightCopyPath(char (&path)[260]);

// Sets the picture at `path` as the wallpaper: one whose EXIF orientation is not
// upright is decoded, written upright as JPEG to the copy and the copy is set, since
// the desktop does not turn pictures; any other, and one whose copy cannot be
// written, is set by its own path. An empty path removes the wallpaper.
void SetPictureAsWallpaper(const char* path);

// Sets the desktop colour to "no colour" (0xFFFFFFFF), which makes the background
// of the desktop icons' text transparent where the system supports it.
void MakeIconTextTransparent();
