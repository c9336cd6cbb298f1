// bitmap_handle_qt.h: the platform bitmap behind a Bmp, for gfx/ and ui/.
//
// Game code never includes this: it speaks of Bmp and DC only.
#pragma once

#include <QImage>

#include <memory>

#include "gfx/display_format.h"
#include "gfx/graphics_object.h"

namespace cbst {

class DCMem;

struct BitmapHandle {
  QImage image;
  DisplayFormat format;  // how 2-, 3- and 4-byte pixels lay out their colour
  DCMem* selected_into = nullptr;
  LiveTally tally{LiveKind::kBitmapHandle};
};

// The Qt image format that stores pixels of `bit_count` bits as the display
// lays them out (`format` gives the 16-bit layout).
QImage::Format ImageFormatFor(int bit_count, const DisplayFormat& format);

// A bitmap of 1, 8, 16, 24 or 32 bits with every byte of its pixels
// `fill_byte` (black for 0; 32-bit pixels keep their top byte set), or none
// when memory runs out.
std::unique_ptr<BitmapHandle> MakeBitmapHandle(int width, int height, int bit_count,
                                               const DisplayFormat& format,
                                               std::uint8_t fill_byte = 0);

}  // namespace cbst
