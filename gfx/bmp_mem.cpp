// bmp_mem.cpp: bitmaps with a context of their own, made compatible with
// the display or in a given pixel layout.
#include "gfx/bmp_mem.h"

#include <malloc.h>

#include <algorithm>
#include <cstring>

#include "base/report.h"
#include "gfx/bitmap_handle_qt.h"
#include "gfx/dc_context_qt.h"
#include "platform/display.h"

namespace cbst {
namespace {

// The bitmap, and when memory is short a second try after handing freed
// memory back.
std::unique_ptr<BitmapHandle> MakeWithRetry(int width, int height, int bit_count,
                                            const DisplayFormat& format,
                                            std::uint8_t fill_byte = 0) {
  if (auto handle = MakeBitmapHandle(width, height, bit_count, format, fill_byte)) return handle;
  malloc_trim(0);
  return MakeBitmapHandle(width, height, bit_count, format, fill_byte);
}

}  // namespace

BmpMem::BmpMem(int width, int height, int bit_count, const DisplayFormat& format,
               std::uint8_t fill_byte)
    : Bmp(MakeWithRetry(width, height, bit_count, format, fill_byte)),
      dc_(std::make_unique<DCMem>()) {
  if (valid()) dc_->SelectBitmap(this);
}

BmpMem::BmpMem(int width, int height, const DisplayFormat& format)
    : BmpMem(width, height, format.bytes_per_pixel * 8, format) {}

BmpMem::BmpMem(int width, int height, const DC* reference, bool monochrome)
    : BmpMem(width >= 1  ? width
             : reference ? reference->width()
                         : QueryDisplay().width,
             height >= 1 ? height
             : reference ? reference->height()
                         : QueryDisplay().height,
             monochrome ? 1 : CurrentDisplayFormat().bytes_per_pixel * 8, CurrentDisplayFormat()) {}

BmpMem::BmpMem(std::unique_ptr<BitmapHandle> handle)
    : Bmp(std::move(handle)), dc_(std::make_unique<DCMem>()) {
  if (valid()) dc_->SelectBitmap(this);
}

BmpMem BmpMem::SharingPixelsOf(BmpMem& other) {
  if (!other.valid()) return BmpMem(std::unique_ptr<BitmapHandle>());
  other.dc().Flush();  // whatever its painter holds reaches the pixels first
  QImage& image = other.handle()->image;
  auto handle = std::make_unique<BitmapHandle>();
  // Borrowed pixels: the toolkit neither copies nor frees them.
  handle->image =
      QImage(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format());
  handle->image.setColorTable(image.colorTable());
  handle->format = other.handle()->format;
  BmpMem sharing(std::move(handle));
  sharing.AddFlags(other.flags() & kDibSection);
  return sharing;
}

BmpMem::BmpMem(BmpMem&& other) noexcept : Bmp(std::move(other)), dc_(std::move(other.dc_)) {
  if (dc_ && dc_->selected()) dc_->Rebind(this);
}

BmpMem& BmpMem::operator=(BmpMem&& other) noexcept {
  if (this == &other) return *this;
  if (dc_) dc_->SelectBitmap(nullptr);
  Bmp::operator=(std::move(other));
  dc_ = std::move(other.dc_);
  if (dc_ && dc_->selected()) dc_->Rebind(this);
  return *this;
}

BmpMem::~BmpMem() {
  if (flags() & kView) return;
  if (!dc_) {
    if (valid()) ReportError("~BmpMem !DCMemSelected");
    return;
  }
  dc_->SelectBitmap(nullptr);
}

void BmpMem::Grow(int width, int height) {
  if (valid() && width <= this->width() && height <= this->height()) {
    dc_->ResetClip();
    return;
  }
  const int bits = valid() ? bit_count() : format().bytes_per_pixel * 8;
  const DisplayFormat kept = format();
  dc_->SelectBitmap(nullptr);
  Adopt(
      MakeWithRetry(std::max(width, this->width()), std::max(height, this->height()), bits, kept));
  if (valid()) dc_->SelectBitmap(this);
}

void BmpMem::Clear(std::uint8_t value) {
  if (!valid()) return;
  dc_->FillRect({0, 0, static_cast<std::int16_t>(width()), static_cast<std::int16_t>(height())},
                Brush(value ? 0xFFFFFF : 0x000000));
  dc_->Flush();
}

DibSectionBmp::DibSectionBmp(int width, int height, const DisplayFormat& format,
                             std::uint8_t fill_byte)
    : BmpMem(width, height, format.bytes_per_pixel * 8, format, fill_byte) {
  AddFlags(kDibSection);
}

void DibSectionBmp::Clear(std::uint8_t value) {
  if (!valid()) return;
  QImage& image = handle()->image;
  if (image.format() == QImage::Format_RGB32) {
    // The fourth byte of a 32-bit pixel is not colour; the toolkit wants it set.
    image.fill(kOpaque | value * 0x010101u);
    return;
  }
  std::memset(image.bits(), value, static_cast<std::size_t>(image.sizeInBytes()));
}

std::unique_ptr<BmpMem> MakeBmpMem(int width, int height, const DC* reference, bool white) {
  if (CurrentDisplayFormat().mode == kModeDirectPixels) {
    // Made white at once rather than cleared afterwards: one pass over a
    // sheet instead of two.
    return std::make_unique<DibSectionBmp>(width, height, CurrentDisplayFormat(),
                                           white ? 0xFF : 0x00);
  }
  auto bitmap = std::make_unique<BmpMem>(width, height, reference);
  if (white) bitmap->Clear(0xFF);
  return bitmap;
}

}  // namespace cbst
