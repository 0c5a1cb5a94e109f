#pragma once

// The arithmetic of the automatic wallpaper change, apart from the desktop.

// Counts one minute notification. Returns true when the interval is reached, and
// then starts the count afresh. Nothing is counted while the change is off; an
// interval of 0 or 1 is reached at every minute.
bool CountMinute(int autoChange, int changeMinutes, int* minuteCount);

// The index after `lastIndex` in a list of `fileCount` files, wrapping to 0 at the
// end; an index beyond the list (the folder changed) also starts again at 0.
unsigned NextWallpaperIndex(unsigned lastIndex, unsigned fileCount);
