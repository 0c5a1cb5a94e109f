#pragma once

// What the plug-in does to the desktop: the wallpaper itself, its display style
// (the values "TileWallpaper" and "WallpaperStyle" of HKEY_CURRENT_USER\Control
// Panel\desktop) and the background of the icons' text.

struct DesktopStyle {
  int tile;
  int wallpaperStyle;
};

// The desktop values for the style chosen in the dialog: 0 centred, 1 tiled,
// 2 stretched; any other index counts as centred.
constexpr DesktopStyle DesktopStyleFor(int style) {
  return style == 1 ? DesktopStyle{1, 0} : style == 2 ? DesktopStyle{0, 2} : DesktopStyle{0, 0};
}

// Reads both values as decimal text; one that cannot be read counts as 0.
DesktopStyle ReadDesktopStyle();
// Writes both values as decimal REG_SZ text. The key is not created.
void WriteDesktopStyle(int tile, int wallpaperStyle);

// Sets the desktop wallpaper and saves it; an empty path removes it.
void SetWallpaper(const char* path);

// Sets the desktop colour to "no colour" (0xFFFFFFFF), which makes the background
// of the desktop icons' text transparent where the system supports it.
void MakeIconTextTransparent();
