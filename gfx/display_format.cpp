// display_format.cpp: colour fields and conversion through the masks.
#include "gfx/display_format.h"

#include <bit>

namespace cbst {
namespace {

constexpr std::uint32_t kTrueColourRed = 0xFF0000;
constexpr std::uint32_t kTrueColourGreen = 0x00FF00;
constexpr std::uint32_t kTrueColourBlue = 0x0000FF;
constexpr std::uint32_t k555Red = 0x7C00;
constexpr std::uint32_t k555Green = 0x03E0;
constexpr std::uint32_t k555Blue = 0x001F;

}  // namespace

ColourField ColourField::FromMask(std::uint32_t mask) {
  ColourField field;
  field.mask = mask;
  if (mask == 0) return field;
  field.position = std::countr_zero(mask);
  field.width = std::countr_one(mask >> field.position);
  return field;
}

DisplayFormat DisplayFormat::FromMasks(int bit_count, std::uint32_t red_mask,
                                       std::uint32_t green_mask, std::uint32_t blue_mask) {
  DisplayFormat format;
  format.bytes_per_pixel = bit_count / 8;
  format.red = ColourField::FromMask(red_mask);
  format.green = ColourField::FromMask(green_mask);
  format.blue = ColourField::FromMask(blue_mask);
  return format;
}

DisplayFormat DisplayFormat::Standard(int bit_count) {
  if (bit_count == 16) return FromMasks(bit_count, k555Red, k555Green, k555Blue);
  return FromMasks(bit_count, kTrueColourRed, kTrueColourGreen, kTrueColourBlue);
}

DisplayFormat& CurrentDisplayFormat() {
  static DisplayFormat format = DisplayFormat::Standard(32);
  return format;
}

}  // namespace cbst
