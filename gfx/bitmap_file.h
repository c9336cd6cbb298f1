// bitmap_file.h: loading a BMP file as a device bitmap.
//
// The BMP reader lives in the image layer above; it installs itself here so
// that graphics code can load bitmaps without knowing the file format.
#pragma once

#include "base/file.h"
#include "base/status.h"
#include "gfx/bmp.h"
#include "gfx/dib.h"

namespace cbst {

// Not a picture this program can read (also: no reader installed).
inline constexpr std::uint16_t kStatusNotAPicture = 20;

using DibReader = Status (*)(File& file, Dib& into);
void SetDibReader(DibReader reader);

// A device bitmap in the display's format showing `dib`.
Bmp BitmapFromDib(Dib& dib);

// Reads `file` through the installed reader into `into`.
Status LoadBitmapFile(File& file, Bmp& into);

}  // namespace cbst
