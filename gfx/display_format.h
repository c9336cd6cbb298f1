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
  std::uint32_t Pack(std::uint32_t colour) const;
  std::uint32_t Unpack(std::uint32_t pixel) const;
};

// The display's format, filled by the display probe.
DisplayFormat& CurrentDisplayFormat();

}  // namespace cbst
