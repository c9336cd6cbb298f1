// image_entries.cpp: fuzz entries for the picture readers, BMP files and
// JPEG streams, followed as far as the program takes a picture it read.
#include <climits>

#include "base/dyn_array.h"
#include "base/file.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "gfx/bitmap_file.h"
#include "image/bmp_file.h"
#include "image/jpeg.h"

namespace cbst::fuzz {
namespace {

// Makes ReadBmp move the pixels in pieces, as it does behind a progress
// window, instead of in one read.
class IgnoredProgress final : public ProgressSink {
 public:
  void Progress(double) override {}
};

// The JPEG decodes below stay with pictures up to this many pixels for the
// slower palette paths.
constexpr long kPalettePixelLimit = 256 * 256;

}  // namespace

int FuzzBmp(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  const std::string path = WriteInput("input.bmp", data, size);
  File file(path.c_str());
  Dib header;
  if (ReadBmp(header, nullptr, true, 0, file).failed()) return 0;

  Dib whole;
  if (ReadBmp(whole, nullptr, false, 0, file).failed()) return 0;
  Dib in_pieces;
  IgnoredProgress progress;
  if (ReadBmp(in_pieces, &progress, false, 0, file).failed()) return 0;
  // What the program does with a BMP it loads: a bitmap for the display.
  Bmp bitmap = BitmapFromDib(whole);
  (void)bitmap;
  return 0;
}

int FuzzJpeg(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  if (size > INT_MAX) return 0;
  DynArray bytes(0, 4096, 1);
  if (size > 0) bytes.Append(data, static_cast<int>(size));

  // True colour, as a picture is decoded for the table.
  Dib picture;
  int colours = 0;
  if (LoadJpegBytes(picture, nullptr, kLoadForDisplay, colours, bytes).failed()) return 0;
  if (static_cast<long>(picture.width()) * picture.height() > kPalettePixelLimit) return 0;

  // Onto picked colours and onto the palette displays' fixed colours, as
  // puzzles are decoded for 256- and 16-colour displays.
  Dib picked;
  colours = kColoursPalette256;
  LoadJpegBytes(picked, nullptr, 0, colours, bytes).MarkHandled();
  Dib fixed;
  colours = kColoursPalette16;
  LoadJpegBytes(fixed, nullptr, kLoadFast | kLoadColourCube, colours, bytes).MarkHandled();
  return 0;
}

}  // namespace cbst::fuzz
