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

Status LoadBitmapFile(File& file, Bmp& into) {
  if (!Reader()) return Status(kStatusNotAPicture);
  Dib dib;
  CBST_TRY(Reader()(file, dib));
  into = BitmapFromDib(dib);
  return into.valid() ? Status() : Status(kStatusOutOfMemory);
}

}  // namespace cbst
