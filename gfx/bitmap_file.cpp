// bitmap_file.cpp: BMP files to device bitmaps through the installed reader.
#include "gfx/bitmap_file.h"

#include "base/status_codes.h"
#include "gfx/dc_mem.h"

namespace cbst {
namespace {

DibReader& Reader() {
  static DibReader reader = nullptr;
  return reader;
}

}  // namespace

void SetDibReader(DibReader reader) {
  Reader() = reader;
}

Bmp BitmapFromDib(Dib& dib) {
  if (!dib.valid()) return Bmp();
  Bmp bitmap(dib.width(), dib.height(), CurrentDisplayFormat().bytes_per_pixel * 8);
  if (!bitmap.valid()) return bitmap;
  DCMem drawing;
  drawing.SelectBitmap(&bitmap);
  dib.Draw(drawing, 0, 0);
  drawing.SelectBitmap(nullptr);
  return bitmap;
}

Status ReadDibFile(File& file, Dib& into, std::int64_t offset) {
  if (!Reader()) return Status(kStatusNotReadable);
  return Reader()(file, offset, into);
}

Status LoadBitmapFile(File& file, Bmp& into, std::int64_t offset) {
  Dib dib;
  CBST_TRY(ReadDibFile(file, dib, offset));
  into = BitmapFromDib(dib);
  return into.valid() ? Status() : Status(kStatusOutOfMemory);
}

}  // namespace cbst
