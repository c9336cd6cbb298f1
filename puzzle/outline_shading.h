// outline_shading.h: the bevel around every piece, lit from the top left.
//
// The outline pixels of each side are lit or darkened in the image sheet
// by a brightness factor k in 1/128 units (128 keeps the colour): the
// straight edges at 192 on top and left and 64 on bottom and right, the
// curve of a knob or hole from a table that follows the light around it.
#pragma once

#include <cstdint>

#include "puzzle/piece_sheets.h"

namespace cbst {

struct Puz;
struct SPuz;

// Shade every side instead of one.
inline constexpr int kAllSides = -1;
// The brightness that keeps a colour as it is.
inline constexpr int kBrightnessUnchanged = 128;
// The shader for a puzzle: grey when asked, on displays of 16 colours or
// fewer, or without a reduced picture; else direct on a picture with
// addressable pixels, or through the device.
ShaderKind ChooseShader(const Puz& puz, bool force_grey);

// Shades screen side `side` of `piece` (kAllSides for all four) in the
// image sheet. Also used by play when a side joins its neighbour.
void ShadeOutline(Puz& puz, SPuz& piece, int side);

// A colour 0x00BBGGRR at brightness k: scaled by k / 128, and for k of 128
// or more raised so that its mean is at least k / 2.
std::uint32_t Brighten(std::uint32_t colour, int k);
// The grey shader's level for k: 0, 64 or 128.
std::uint32_t GreyLevel(int k);

}  // namespace cbst
