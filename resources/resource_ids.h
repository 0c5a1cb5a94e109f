#pragma once

// Resource ids of the program's executable; kelvane.rc uses the same numbers.
constexpr int kRegionResourceId = 104;  // type "RGN": the window outline
constexpr int kDialOverlayId = 105;     // bitmap: the built-in dial, magenta transparent
constexpr char kRegionResourceType[] = "RGN";
