#pragma once

#include "base/bgra_picture.h"
#include "base/picture_geometry.h"

// Scales `picture` to `size`, axis by axis: a target pixel that is smaller than a
// source pixel's spacing averages every source pixel its area covers, weighted by
// the part covered (a box filter, which lets no detail alias), and a larger one
// interpolates linearly between the two nearest. The four channels are filtered
// alike, which is right for premultiplied colours. Both sizes must be within
// the picture limits; whole-number arithmetic, so every build gives the same
// pixels.
BgraPicture Resample(const BgraPicture& picture, PictureSize size);
