// turned_picture.h: a group's picture drawn turned by any angle, for the
// frames of a turn between two quarter turns.
#pragma once

#include "base/rect16.h"
#include "gfx/bmp_mem.h"
#include "play/carried_image.h"

namespace cbst {

// Where a picture lies and about which point it turns.
struct TurnPlacement {
  int x = 0;  // the picture's top left, unturned, on the target
  int y = 0;
  double pivot_x = 0;  // the point that stays where it is
  double pivot_y = 0;
  double degrees = 0;  // clockwise on the screen
};

// Draws the shape of `picture` (its mask black under the pieces) turned as
// `placement` says, inside `clip` of `target` only. Each target pixel takes
// the picture's pixel that turns onto it; nothing else changes.
void DrawTurnedPicture(BmpMem& target, const Rect16& clip, const CarriedImage& picture,
                       const TurnPlacement& placement);

// The square a picture lying in `bounds` sweeps while it turns about the
// pivot, whatever the angle.
Rect16 SweptSquare(const Rect16& bounds, int pivot_x, int pivot_y);

}  // namespace cbst
