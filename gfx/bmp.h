// bmp.h: Bmp, a bitmap wrapper, and PixelView, raw access to its pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/file.h"
#include "base/rect16.h"
#include "base/status.h"
#include "gfx/display_format.h"
#include "gfx/graphics_object.h"
#include "gfx/raster_op.h"

namespace cbst {

struct BitmapHandle;
class DC;
class DCMem;

// The unused top byte of 32-bit pixels, kept set for the toolkit.
inline constexpr std::uint32_t kOpaque = 0xFF000000;

// Rows of pixels of `bit_count` bits; `bytes` is 0 below 8 bits.
struct PixelView {
  std::uint8_t* data = nullptr;
  std::ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
  int bytes = 4;
  int bit_count = 32;

  std::uint8_t* At(int x, int y) const { return data + y * stride + x * bytes; }
};

class Bmp : public GraphicsObject {
 public:
  static constexpr std::uint8_t kOwnsHandle = 0x01;
  static constexpr std::uint8_t kTemporaryDC = 0x04;
  static constexpr std::uint8_t kView = 0x08;
  static constexpr std::uint8_t kDibSection = 0x20;

  // No bitmap: drawing with it does nothing.
  Bmp();
  // A black bitmap of 1, 8, 16, 24 or 32 bits a pixel; 16-, 24- and 32-bit
  // pixels are laid out as `format` says.
  Bmp(int width, int height, int bit_count, const DisplayFormat& format = CurrentDisplayFormat());
  Bmp(Bmp&& other) noexcept;
  Bmp& operator=(Bmp&& other) noexcept;
  virtual ~Bmp();

  // A view onto `part` of `whole`, borrowing its pixels and its DCMem.
  static Bmp ViewOf(Bmp& whole, const Rect16& part);
  // A copy of `part` of a context, stretched to `width` x `height` when
  // that differs from the part's size.
  static Bmp CopyOf(DC& from, const Rect16& part, int width, int height, RasterOp op = kSrcCopy);

  bool valid() const { return handle_ != nullptr; }
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int bit_count() const;
  std::uint8_t flags() const { return flags_; }
  const DisplayFormat& format() const;
  DCMem* dc_mem() const;

  // The pixels of this wrapper's area (a view's starts at its origin).
  PixelView pixels();

  // Draws the bitmap with its top left at (x, y), or from `from` (own
  // coordinates) stretched into `to`.
  void Draw(DC& onto, int x, int y, RasterOp op = kSrcCopy);
  void DrawStretched(DC& onto, const Rect16& to, const Rect16& from, RasterOp op = kSrcCopy);

  // Writes the bitmap as a BMP file: 1 bit with 2 colours, 8 with 256, 16
  // bits as 24, 24 and 32 as they are. Status 2 when memory runs out.
  Status WriteBmpFile(File& file);

  BitmapHandle* handle() const { return handle_; }

 protected:
  explicit Bmp(std::unique_ptr<BitmapHandle> handle);
  void Adopt(std::unique_ptr<BitmapHandle> handle);
  void AddFlags(std::uint8_t flags) { flags_ |= flags; }

 private:
  std::unique_ptr<BitmapHandle> owned_;
  BitmapHandle* handle_ = nullptr;
  std::int16_t x_ = 0;
  std::int16_t y_ = 0;
  std::int16_t width_ = 0;
  std::int16_t height_ = 0;
  std::uint8_t flags_ = 0;
};

}  // namespace cbst
