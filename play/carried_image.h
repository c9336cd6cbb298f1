// carried_image.h: the dragged group composed into one picture, which
// floats over the table while the group is carried.
//
// Moving a large group then repaints one rectangle of one picture instead
// of every piece of the group.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "base/rect16.h"
#include "gfx/bmp_mem.h"

namespace cbst {

struct Puz;

struct CarriedImage {
  std::unique_ptr<BmpMem> image;  // the pieces, black around them
  std::unique_ptr<BmpMem> mask;   // black under the pieces, white around them
};

// The pieces of `group` as they lie, in their z-order, composed into a
// picture the size of `bounds` (the bounding rectangle of their window
// rectangles). Nothing when the picture cannot be allocated: the group is
// then dragged piece by piece.
std::optional<CarriedImage> ComposeCarriedImage(const Puz& puz, const std::vector<int>& group,
                                                const Rect16& bounds);

}  // namespace cbst
