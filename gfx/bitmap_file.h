// bitmap_file.h: loading a BMP file as a device bitmap.
//
// The BMP reader lives in the image layer above; it installs itself here so
// that graphics code can load bitmaps without knowing the file format.
#pragma once

#include "base/file.h"
#include "base/status.h"
#include "base/status_codes.h"
#include "gfx/bmp.h"
#include "gfx/dib.h"

namespace cbst {

// Reads the BMP image that starts `offset` bytes into `file` (files of the
// program carry pictures inside them).
using DibReader = Status (*)(File& file, std::int64_t offset, Dib& into);
void SetDibReader(DibReader reader);

// A device bitmap in the display's format showing `dib`.
Bmp BitmapFromDib(Dib& dib);

// Reads the image at `offset` of `file` through the installed reader.
Status ReadDibFile(File& file, Dib& into, std::int64_t offset = 0);
// The same, made into a device bitmap.
Status LoadBitmapFile(File& file, Bmp& into, std::int64_t offset = 0);

}  // namespace cbst
