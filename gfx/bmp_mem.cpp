// bmp_mem.cpp: off-screen bitmaps over QImage.
#include "gfx/bmp_mem.h"

#include <algorithm>
#include <cstring>

namespace cbst {

QImage::Format ImageFormatFor(const DisplayFormat& format) {
  switch (format.bytes_per_pixel) {
    case 2:
      return format.green.width == 6 ? QImage::Format_RGB16 : QImage::Format_RGB555;
    case 3:
      return QImage::Format_BGR888;  // blue first in memory, as the display keeps it
    default:
      return QImage::Format_RGB32;
  }
}

BmpMem::BmpMem(int width, int height, const DisplayFormat& format)
    : format_(format), image_(std::max(width, 1), std::max(height, 1), ImageFormatFor(format)) {
  if (!image_.isNull()) Clear(0);
}

void BmpMem::Grow(int width, int height) {
  if (valid() && width <= this->width() && height <= this->height()) return;
  *this = BmpMem(std::max(width, this->width()), std::max(height, this->height()), format_);
}

void BmpMem::Clear(std::uint8_t value) {
  if (!valid()) return;
  if (format_.bytes_per_pixel == 4) {
    // The fourth byte of a 32-bit pixel is not colour; Qt expects it set.
    image_.fill(kOpaque | value * 0x010101u);
    return;
  }
  std::memset(image_.bits(), value, static_cast<std::size_t>(image_.sizeInBytes()));
}

PixelView BmpMem::pixels() {
  if (!valid()) return {};
  return {image_.bits(), image_.bytesPerLine(), image_.width(), image_.height(),
          format_.bytes_per_pixel};
}

}  // namespace cbst
