#include "plugins/wallpaper/wallpaper_rotation.h"

bool CountMinute(int autoChange, int changeMinutes, int* minuteCount) {
  if (autoChange == 0) return false;
  ++*minuteCount;
  if (*minuteCount < changeMinutes) return false;
  *minuteCount = 0;
  return true;
}

unsigned NextWallpaperIndex(unsigned lastIndex, unsigned fileCount) {
  if (fileCount == 0 || lastIndex >= fileCount - 1) return 0;
  return lastIndex + 1;
}
