// dib.h: Dib, a device-independent bitmap in memory.
//
// The form pictures take between a file and the screen: an info header, a
// colour table for up to 8 bits a pixel, and the pixels bottom-up in rows of
// whole 32-bit words. It can be made from a device bitmap and drawn onto any
// context, at its own size or stretched, centred and zoomed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/rect16.h"
#include "gfx/palette.h"
#include "gfx/raster_op.h"

namespace cbst {

class Bmp;
class DC;

inline constexpr std::uint32_t kInfoHeaderSize = 40;
// A BMP file starts with a 14-byte header whose first two bytes are "BM".
inline constexpr std::uint32_t kBmpFileHeaderSize = 14;
inline constexpr std::uint16_t kBmpMagic = 0x4D42;
inline constexpr std::uint32_t kCompressionPlain = 0;
inline constexpr std::uint32_t kCompressionBitFields = 3;

struct BitmapInfoHeader {
  std::uint32_t size = kInfoHeaderSize;
  std::int32_t width = 0;
  std::int32_t height = 0;  // positive: rows stored bottom-up
  std::uint16_t planes = 1;
  std::uint16_t bit_count = 0;
  std::uint32_t compression = kCompressionPlain;
  std::uint32_t image_size = 0;
  std::int32_t x_pixels_per_metre = 0;
  std::int32_t y_pixels_per_metre = 0;
  std::uint32_t colours_used = 0;
  std::uint32_t colours_important = 0;
};

// Drawing flags: centre across (any of 0x05) and down (any of 0x50).
inline constexpr std::uint32_t kDibCentreAcross = 0x05;
inline constexpr std::uint32_t kDibCentreDown = 0x50;
// A zoom of exactly this fits the Dib into the target.
inline constexpr double kDibZoomToFit = -1.0;
// No side of a picture may be longer; sizes read from files are checked
// against it before anything is allocated.
inline constexpr int kMaxPictureSide = 32767;

// Whether a picture of this size and depth can exist: each side 1 to
// kMaxPictureSide pixels, and 1, 4, 8, 16, 24 or 32 bits a pixel.
bool PictureSizeAllowed(std::int64_t width, std::int64_t height, int bit_count);

class Dib {
 public:
  Dib() = default;
  // Black pixels of 1, 4, 8, 16, 24 or 32 bits; up to 8 bits a grey colour
  // table of the full colour count. A size PictureSizeAllowed refuses, or
  // one the memory cannot hold, gives a Dib that is not valid().
  Dib(int width, int height, int bit_count);

  // The pixels of a device bitmap; up to 8 bits they are matched to
  // `palette` when one is given. 16-bit bitmaps come out as 24 bits.
  static Dib FromBitmap(Bmp& bitmap, const Palette* palette = nullptr);

  // A size that can exist, with every pixel present.
  bool valid() const;
  int width() const { return header_.width; }
  int height() const { return header_.height; }
  int bit_count() const { return header_.bit_count; }
  BitmapInfoHeader& header() { return header_; }
  const BitmapInfoHeader& header() const { return header_; }

  // The header's used colours, or every colour the bit count can index.
  int colour_count() const;
  std::vector<ColourTableEntry>& colours() { return colours_; }
  const std::vector<ColourTableEntry>& colours() const { return colours_; }
  // Red, green and blue masks of bit-field pixels.
  std::array<std::uint32_t, 3>& masks() { return masks_; }
  const std::array<std::uint32_t, 3>& masks() const { return masks_; }

  // Bytes a row takes, and the whole picture, in 64 bits: a header read from
  // a file may claim any size.
  std::int64_t stride() const {
    return (std::int64_t{header_.bit_count} * header_.width + 31) / 32 * 4;
  }
  std::int64_t image_bytes() const { return stride() * header_.height; }
  std::vector<std::uint8_t>& pixel_block() { return pixels_; }
  const std::vector<std::uint8_t>& pixel_block() const { return pixels_; }
  // The colour 0x00BBGGRR of pixel (x, y) counted from the top left, by
  // colour table, bit-field masks or blue-green-red bytes.
  std::uint32_t PixelColour(int x, int y) const;
  // Row y counted from the top of the picture.
  std::uint8_t* row(int y) { return pixels_.data() + RowOffset(y); }
  const std::uint8_t* row(int y) const { return pixels_.data() + RowOffset(y); }

  // The window or context the Dib is shown in; with either, a Dib of up to
  // 8 bits gets a palette made from its colour table.
  void SetOwner(PaletteOwner* owner);
  void SetContext(DC* context);
  Palette* palette() const { return palette_.get(); }
  // Makes the palette from the colour table now, before anybody shows the
  // Dib (readers do, so that a picture arrives ready to draw).
  void BuildPalette();

  // Draws the Dib with its top left at (x, y) of `onto`, zoomed by `zoom`
  // (kDibZoomToFit fits it to the context) and centred as `centring` says.
  // False when the Dib or the context is not valid or the memory for the
  // drawing ran out.
  bool Draw(DC& onto, int x, int y, RasterOp op = kSrcCopy, std::uint32_t centring = 0,
            double zoom = 1.0) const;
  // Draws the whole Dib stretched (or shrunk) into `to`.
  bool DrawInto(DC& onto, const Rect16& to, RasterOp op = kSrcCopy) const;

 private:
  void MakePalette();
  std::size_t RowOffset(int y) const {
    return static_cast<std::size_t>(height() - 1 - y) * static_cast<std::size_t>(stride());
  }

  BitmapInfoHeader header_;
  std::vector<ColourTableEntry> colours_;
  std::array<std::uint32_t, 3> masks_{};
  std::vector<std::uint8_t> pixels_;
  PaletteOwner* owner_ = nullptr;
  DC* context_ = nullptr;
  std::unique_ptr<Palette> palette_;
};

// Stretched Dibs are drawn half-toned (smoothly) instead of by dropping
// scans when this is on.
void SetDibHalfTone(bool on);
bool DibHalfTone();
// Realise a Dib's palette before drawing even when its owner window
// realises palettes itself.
void SetDibForceRealise(bool on);
bool DibForceRealise();

}  // namespace cbst
