// turn.h: turning square bitmaps by quarter turns, for piece images.
#pragma once

#include "gfx/bmp.h"

namespace cbst {

// Turns the n x n `bitmap` clockwise by `degrees` (90, 180 or 270): with y
// downwards, pixel (x, y) goes to (n-1-y, x), (n-1-x, n-1-y) or (y, n-1-x).
//
// Normally the raw pixel bits are moved in memory. `force_pixel_method`
// (the ForceDIRotate setting) non-zero copies pixel by pixel through device
// contexts instead, for drivers whose raw bits cannot be trusted; that way
// is much slower.
//
// False, with the bitmap untouched, when it is missing or not square or the
// angle is not a quarter turn.
[[nodiscard]] bool TurnBitmap(Bmp& bitmap, int degrees, int force_pixel_method = 0);

}  // namespace cbst
