// display_format.h: DisplayFormat, how the display lays out a pixel's colour.
//
// Memory bitmaps keep the display's own pixel format so that piece images are
// composed without conversion: 2, 3 or 4 bytes a pixel, each colour a bit
// field given by its mask.
#pragma once

#include <cstdint>

namespace cbst {

// Rendering modes: raster operations on device bitmaps, or direct pixels.
inline constexpr int kModeRasterOps = 1;
inline constexpr int kModeDirectPixels = 2;

struct ColourField {
  std::uint32_t mask = 0;
  int position = 0;  // trailing zero bits of the mask
  int width = 0;     // one bits from there

  static ColourField FromMask(std::uint32_t mask);

  // An 8-bit component placed into the field, keeping its high bits, and
  // taken back out.
  std::uint32_t Place(std::uint32_t component) const {
    const int shift = position + width - 8;
    const std::uint32_t placed = shift >= 0 ? component << shift : component >> -shift;
    return placed & mask;
  }
  std::uint32_t Take(std::uint32_t pixel) const {
    const int shift = position + width - 8;
    const std::uint32_t bits = pixel & mask;
    return (shift >= 0 ? bits >> shift : bits << -shift) & 0xFF;
  }
};

struct DisplayFormat {
  int bytes_per_pixel = 4;
  ColourField red;
  ColourField green;
  ColourField blue;
  int mode = kModeRasterOps;
  bool direct_pixels_disabled = false;

  // A format with bit-field masks.
  static DisplayFormat FromMasks(int bit_count, std::uint32_t red_mask, std::uint32_t green_mask,
                                 std::uint32_t blue_mask);
  // The format of a bit count without bit fields: 8-8-8, or 5-5-5 at 16 bits.
  static DisplayFormat Standard(int bit_count);

  // Shifts that place an 8-bit component into its field: red and green to
  // the left, blue to the right.
  int RedShift() const { return red.position + red.width - 8; }
  int GreenShift() const { return green.position + green.width - 8; }
  int BlueShift() const { return 8 - blue.width; }

  // A colour 0x00BBGGRR as a pixel value of this format, and back (the low
  // bits of narrow fields come back as zero).
  // Inline: the piece loops convert a pixel at a time.
  std::uint32_t Pack(std::uint32_t colour) const {
    return red.Place(colour & 0xFF) | green.Place((colour >> 8) & 0xFF) |
           blue.Place((colour >> 16) & 0xFF);
  }
  std::uint32_t Unpack(std::uint32_t pixel) const {
    return red.Take(pixel) | green.Take(pixel) << 8 | blue.Take(pixel) << 16;
  }
};

// The display's format, filled by the display probe.
DisplayFormat& CurrentDisplayFormat();

}  // namespace cbst
