#pragma once

#include <windows.h>

// The program's fixed-pitch Japanese text font at `height` logical units. The
// caller owns the font and deletes it with DeleteObject.
HFONT CreateUiFont(int height);
