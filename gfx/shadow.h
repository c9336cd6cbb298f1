// shadow.h: the drop shadow under pieces, and bevelled frames.
#pragma once

#include "gfx/blit.h"

namespace cbst {

struct ShadowStyle {
  int depth = 4;         // pixels the shadow reaches down and right
  int start_level = 64;  // grey level where a run starts
  int step = 32;         // level change per pixel of the run
  bool force_raster = false;
};

// The shadow brushes of the raster form: the plain one, and the one used
// when the raster form is forced.
inline constexpr std::uint32_t kShadowBrushColour = 0x808080;
inline constexpr std::uint32_t kForcedShadowBrushColour = 0x606060;

// Draws the shape of `request.source` (its pixels whose first byte is 0)
// black into the destination, with a shadow of graded greys cast down and
// to the right by its lower-right edges. DIB sections are drawn directly
// unless the raster form is forced; the raster form copies the source and
// darkens the destination under it with a shadow brush, offset by the depth.
void DropShadow(BlitRequest request, const ShadowStyle& style);
void DropShadowDirect(BlitRequest request, const ShadowStyle& style);
void DropShadowRaster(BlitRequest request, const ShadowStyle& style);

// Bevel greys of the direct form: the outermost level and the darkening per
// pixel of depth; the raster form draws plain light and dark lines.
inline constexpr int kBevelStartLevel = 0xF2;
inline constexpr int kBevelLevelStep = 0x20;
inline constexpr std::uint32_t kBevelLight = 0xFFFFFF;
inline constexpr std::uint32_t kBevelDark = 0x808080;

// A three-dimensional edge `width` pixels wide just inside `rect`: lit on
// the top and left, shaded on the bottom and right.
void DrawBevel(Bmp& target, const Rect16& rect, int width);

}  // namespace cbst
