// pixel_blocks.h: telling a picture drawn at the screen's own pixels from
// one drawn at half of them and blown up by the toolkit.
#pragma once

#include <QImage>

namespace cbst::testing {

// How many aligned 2 x 2 blocks of `shown` hold more than one colour. A
// picture scaled up twice by the toolkit has none.
inline int SplitBlocks(const QImage& shown) {
  int split = 0;
  for (int y = 0; y + 1 < shown.height(); y += 2) {
    for (int x = 0; x + 1 < shown.width(); x += 2) {
      const QRgb corner = shown.pixel(x, y);
      if (shown.pixel(x + 1, y) != corner || shown.pixel(x, y + 1) != corner ||
          shown.pixel(x + 1, y + 1) != corner)
        ++split;
    }
  }
  return split;
}

}  // namespace cbst::testing
