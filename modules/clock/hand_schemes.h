#pragma once

#include "raster/clock_hands.h"

// A colour scheme for the hands, with the name the settings dialog shows.
struct HandScheme {
  const char* name;
  HandColours colours;
};

constexpr int kHandSchemeCount = 4;
extern const HandScheme kHandSchemes[kHandSchemeCount];
