// bmp_mem.h: BmpMem, an off-screen bitmap in the display's pixel format.
#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>

#include "gfx/display_format.h"

namespace cbst {

// The unused top byte of 32-bit pixels, kept set for Qt.
inline constexpr std::uint32_t kOpaque = 0xFF000000;

// Raw access to a bitmap's pixels: rows of `bytes` bytes a pixel.
struct PixelView {
  std::uint8_t* data = nullptr;
  std::ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
  int bytes = 4;

  std::uint8_t* At(int x, int y) const { return data + y * stride + x * bytes; }
};

// The Qt image format that stores pixels exactly as `format` lays them out.
QImage::Format ImageFormatFor(const DisplayFormat& format);

class BmpMem {
 public:
  BmpMem() = default;
  BmpMem(int width, int height, const DisplayFormat& format = CurrentDisplayFormat());

  // Keeps the bitmap when it is at least `width` x `height`; otherwise makes
  // it the larger of old and asked size in each direction (contents lost).
  void Grow(int width, int height);
  // Fills every byte of the pixels with `value`.
  void Clear(std::uint8_t value);

  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  bool valid() const { return !image_.isNull(); }
  const DisplayFormat& format() const { return format_; }
  PixelView pixels();
  QImage& image() { return image_; }
  const QImage& image() const { return image_; }

 private:
  DisplayFormat format_;
  QImage image_;
};

}  // namespace cbst
