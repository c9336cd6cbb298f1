// bmp_mem.h: BmpMem, a bitmap with a memory context of its own, and
// DibSectionBmp, the form it takes when pixels are composed directly.
#pragma once

#include <memory>

#include "gfx/bmp.h"
#include "gfx/dc_mem.h"

namespace cbst {

class BmpMem : public Bmp {
 public:
  BmpMem() = default;
  // Compatible with `reference` (the display when none), or one bit a pixel
  // when `monochrome`; a width or height below 1 takes the reference's.
  BmpMem(int width, int height, const DC* reference, bool monochrome = false);
  // In the pixel layout of `format`, for composing off screen.
  BmpMem(int width, int height, const DisplayFormat& format = CurrentDisplayFormat());
  // Another bitmap over the pixels of `other`, with a context of its own,
  // so that a second thread can draw into parts of them that no other
  // thread touches meanwhile. `other` must outlive it and keep its pixels.
  static BmpMem SharingPixelsOf(BmpMem& other);
  BmpMem(BmpMem&& other) noexcept;
  BmpMem& operator=(BmpMem&& other) noexcept;
  ~BmpMem() override;

  // Keeps the bitmap when it is at least `width` x `height`; otherwise makes
  // it the larger of old and asked size in each direction (contents lost).
  // Either way its clipping is reset.
  void Grow(int width, int height);

  // Fills the bitmap: black for 0, white otherwise.
  virtual void Clear(std::uint8_t value);

  DCMem& dc() { return *dc_; }

 protected:
  // Every byte of the pixels `fill_byte` (see MakeBitmapHandle).
  BmpMem(int width, int height, int bit_count, const DisplayFormat& format,
         std::uint8_t fill_byte = 0);
  explicit BmpMem(std::unique_ptr<BitmapHandle> handle);

 private:
  std::unique_ptr<DCMem> dc_;
};

// Pixels composed directly in the display's own format.
class DibSectionBmp : public BmpMem {
 public:
  // Black, or with every byte of the pixels `fill_byte` as Clear gives it.
  DibSectionBmp(int width, int height, const DisplayFormat& format = CurrentDisplayFormat(),
                std::uint8_t fill_byte = 0);

  // Fills every byte of the pixels with `value`.
  void Clear(std::uint8_t value) override;
};

// A bitmap for composing off screen in the display's rendering mode: a
// DibSectionBmp with direct pixels, a BmpMem with raster operations. Black,
// or as Clear(0xFF) leaves it when `white`.
std::unique_ptr<BmpMem> MakeBmpMem(int width, int height, const DC* reference = nullptr,
                                   bool white = false);

}  // namespace cbst
