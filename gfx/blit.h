// blit.h: BlitRequest and the compositing operations that build piece images.
//
// Each operation runs over the clipped rectangle on raw pixels in the
// display's 2, 3 or 4 bytes. A mask is white where the destination shows
// through and black where the source is drawn; sources are black outside
// their shape.
#pragma once

#include <cstdint>

#include "gfx/bmp.h"

namespace cbst {

enum class BlitOperation {
  kAndSource,                 // d = d AND s
  kAndNotSource,              // d = d AND NOT s
  kOrNotSource,               // d = d OR NOT s
  kMaskedCopy,                // d = (d AND m) XOR s
  kMaskedCopyAlsoBackground,  // masked copy, and b = b AND m
  kTint,                      // each field of d halfway to the tint colour
  kBlendByMask,               // m 0: s; m full: b; between: s and b weighted by m
  kCutOut,                    // m full: black; else s
  kCopyOverBackground,        // m full: b; else s
};

struct BlitRequest {
  Bmp* destination = nullptr;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  Bmp* source = nullptr;
  int source_x = 0;
  int source_y = 0;
  Bmp* background = nullptr;  // none: the destination itself
  int background_x = 0;
  int background_y = 0;
  Bmp* mask = nullptr;
  int mask_x = 0;
  int mask_y = 0;
  std::uint32_t tint = 0;  // 0x00BBGGRR, for kTint

  // Shrinks the request so every rectangle lies inside its bitmap; negative
  // coordinates on any bitmap move all the others by the same amount.
  // False when nothing is left to draw.
  bool Clip();
};

// Runs `operation` pixel by pixel on the request (clipped first).
void BlitDirect(BlitRequest request, BlitOperation operation);

// The same through the toolkit's raster operations, for the mode that keeps
// device bitmaps. It gives the same pixels as BlitDirect for masks that are
// black and white and sources that are black where the mask is white; blend
// by mask becomes a masked copy, and copy over background draws over the
// destination itself and leaves the source blacked out under the mask. Tint
// has no raster form and is drawn directly.
void BlitRaster(BlitRequest request, BlitOperation operation);

// Runs `operation` directly on DIB sections, by raster operations otherwise.
void Blit(const BlitRequest& request, BlitOperation operation);

}  // namespace cbst
