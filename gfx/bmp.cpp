// bmp.cpp: bitmap wrappers over the toolkit's images, and writing them as
// BMP files.
#include "gfx/bmp.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/binary_io.h"
#include "base/parallel.h"
#include "base/status_codes.h"
#include "gfx/bitmap_handle_qt.h"
#include "gfx/dc.h"
#include "gfx/dc_context_qt.h"
#include "gfx/dc_mem.h"
#include "gfx/dib.h"

namespace cbst {
namespace {

constexpr int kFileHeaderBytes = kBmpFileHeaderSize;
constexpr int kInfoHeaderBytes = kInfoHeaderSize;
// Bitmaps of this many bytes or more (piece sheets, back buffers) take
// their pixels straight from the system and are filled over every core.
constexpr std::size_t kLargeBitmapBytes = std::size_t{2} << 20;
// Rows a filling worker takes at a time: about 256 KB of a full-HD row.
constexpr int kFillRows = 32;

struct MappedPixels {
  void* start;
  std::size_t length;
};

void UnmapPixels(void* info) {
  auto* mapped = static_cast<MappedPixels*>(info);
  munmap(mapped->start, mapped->length);
  delete mapped;
}

// Pixels of a large bitmap, zero from the system, so a black sheet needs
// no clearing pass. Deliberately on ordinary pages: on a virtual machine
// whose host hands memory out lazily, the first touch of a huge page can
// stall for tens of milliseconds, and a fresh process opening a puzzle
// touches tens of megabytes. A null image when the memory cannot be had.
QImage MappedImage(int width, int height, int bit_count, QImage::Format format) {
  const qsizetype stride = (static_cast<qsizetype>(width) * bit_count + 31) / 32 * 4;
  const std::size_t length = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return QImage();
  auto* pixels = static_cast<uchar*>(mapped);
  return QImage(pixels, width, height, stride, format, UnmapPixels,
                new MappedPixels{pixels, length});
}

// Gives every pixel of `image` its first value. A large image is filled in
// bands over every core: the first touch of fresh memory is most of the
// cost, and the system serves the page faults of two threads at once.
void FillPixels(QImage& image, int bit_count, std::uint8_t fill_byte, bool large) {
  const qsizetype stride = image.bytesPerLine();
  uchar* const bits = image.bits();
  const auto fill_rows = [&](int begin, int end) {
    uchar* const first = bits + stride * begin;
    if (bit_count == 32) {
      auto* pixels = reinterpret_cast<std::uint32_t*>(first);
      std::fill(pixels, pixels + stride / 4 * (end - begin), kOpaque | fill_byte * 0x010101u);
    } else {
      std::memset(first, fill_byte, static_cast<std::size_t>(stride * (end - begin)));
    }
  };
  if (large) {
    ParallelRuns(image.height(), kFillRows, 0, fill_rows);
  } else {
    fill_rows(0, image.height());
  }
}

// The format a context's pixels have, for copies of them.
DisplayFormat FormatOfImage(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_RGB16:
      return DisplayFormat::FromMasks(16, 0xF800, 0x07E0, 0x001F);
    case QImage::Format_RGB555:
      return DisplayFormat::Standard(16);
    case QImage::Format_BGR888:
      return DisplayFormat::Standard(24);
    default:
      return DisplayFormat::Standard(32);
  }
}

}  // namespace

QImage::Format ImageFormatFor(int bit_count, const DisplayFormat& format) {
  switch (bit_count) {
    case 1:
      return QImage::Format_Mono;
    case 8:
      return QImage::Format_Indexed8;
    case 16:
      return format.green.width == 6 ? QImage::Format_RGB16 : QImage::Format_RGB555;
    case 24:
      return QImage::Format_BGR888;  // blue first in memory, as the display keeps it
    default:
      return QImage::Format_RGB32;
  }
}

std::unique_ptr<BitmapHandle> MakeBitmapHandle(int width, int height, int bit_count,
                                               const DisplayFormat& format,
                                               std::uint8_t fill_byte) {
  auto handle = std::make_unique<BitmapHandle>();
  width = std::max(width, 1);
  height = std::max(height, 1);
  const QImage::Format image_format = ImageFormatFor(bit_count, format);
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                            std::max(bit_count, 8) / 8;
  const bool mapped = bytes >= kLargeBitmapBytes;
  handle->image = mapped ? MappedImage(width, height, bit_count, image_format)
                         : QImage(width, height, image_format);
  if (handle->image.isNull()) return nullptr;
  handle->format = format;
  handle->format.bytes_per_pixel = std::max(bit_count / 8, 1);
  if (bit_count == 1) {
    handle->image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  } else if (bit_count == 8) {
    QList<QRgb> greys(256);
    for (int level = 0; level < 256; ++level)
      greys[level] = qRgb(level, level, level);
    handle->image.setColorTable(greys);
  }
  // Mapped pixels come zero from the system, which is black except where
  // the format keeps an alpha byte.
  if (bit_count == 32 || fill_byte != 0 || !mapped) {
    FillPixels(handle->image, bit_count, fill_byte, mapped);
  }
  return handle;
}

Bmp::Bmp() : GraphicsObject(GraphicsType::kBitmap) {}

Bmp::Bmp(int width, int height, int bit_count, const DisplayFormat& format)
    : Bmp(MakeBitmapHandle(width, height, bit_count, format)) {}

Bmp::Bmp(std::unique_ptr<BitmapHandle> handle) : Bmp() {
  Adopt(std::move(handle));
}

void Bmp::Adopt(std::unique_ptr<BitmapHandle> handle) {
  owned_ = std::move(handle);
  handle_ = owned_.get();
  x_ = y_ = 0;
  width_ = handle_ ? static_cast<std::int16_t>(handle_->image.width()) : 0;
  height_ = handle_ ? static_cast<std::int16_t>(handle_->image.height()) : 0;
  flags_ = static_cast<std::uint8_t>((flags_ & ~kOwnsHandle) | (handle_ ? kOwnsHandle : 0));
}

Bmp::Bmp(Bmp&& other) noexcept : Bmp() {
  *this = std::move(other);
}

Bmp& Bmp::operator=(Bmp&& other) noexcept {
  if (this == &other) return *this;
  if (DCMem* dc = dc_mem(); dc && dc->selected() == this && !(flags_ & kView))
    dc->SelectBitmap(nullptr);
  owned_ = std::move(other.owned_);
  handle_ = std::exchange(other.handle_, nullptr);
  x_ = other.x_;
  y_ = other.y_;
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  flags_ = std::exchange(other.flags_, 0);
  if (DCMem* dc = dc_mem(); dc && dc->selected() == &other) dc->Rebind(this);
  return *this;
}

Bmp::~Bmp() {
  if (flags_ & kView) return;
  if (DCMem* dc = dc_mem(); dc && dc->selected() == this) dc->SelectBitmap(nullptr);
}

Bmp Bmp::ViewOf(Bmp& whole, const Rect16& part) {
  Bmp view;
  if (!whole.valid()) return view;
  const QRect area =
      QRect(part.x, part.y, part.width, part.height) & QRect(0, 0, whole.width_, whole.height_);
  if (area.isEmpty()) return view;
  view.handle_ = whole.handle_;
  view.x_ = static_cast<std::int16_t>(whole.x_ + area.x());
  view.y_ = static_cast<std::int16_t>(whole.y_ + area.y());
  view.width_ = static_cast<std::int16_t>(area.width());
  view.height_ = static_cast<std::int16_t>(area.height());
  view.flags_ = kView | (whole.flags_ & kDibSection);
  return view;
}

Bmp Bmp::CopyOf(DC& from, const Rect16& part, int width, int height, RasterOp op) {
  if (!from.valid()) return Bmp();
  from.Flush();
  const QImage& pixels = *from.context()->image;
  Bmp copy(width, height, pixels.depth(), FormatOfImage(pixels));
  if (!copy.valid()) return copy;
  DCMem drawing;
  drawing.SelectBitmap(&copy);
  drawing.Stretch({0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)}, from,
                  part, op);
  drawing.SelectBitmap(nullptr);
  return copy;
}

int Bmp::bit_count() const {
  return handle_ ? handle_->image.depth() : 0;
}

const DisplayFormat& Bmp::format() const {
  return handle_ ? handle_->format : CurrentDisplayFormat();
}

DCMem* Bmp::dc_mem() const {
  return handle_ ? handle_->selected_into : nullptr;
}

PixelView Bmp::pixels() {
  if (!handle_) return {};
  if (DCMem* dc = dc_mem()) dc->Flush();
  QImage& image = handle_->image;
  PixelView view;
  view.bit_count = image.depth();
  view.bytes = view.bit_count / 8;
  view.stride = image.bytesPerLine();
  view.width = width_;
  view.height = height_;
  view.data =
      image.bits() + y_ * view.stride + (view.bytes ? x_ * view.bytes : x_ * view.bit_count / 8);
  return view;
}

void Bmp::Draw(DC& onto, int x, int y, RasterOp op) {
  DrawStretched(onto, {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), width_, height_},
                {0, 0, width_, height_}, op);
}

void Bmp::DrawStretched(DC& onto, const Rect16& to, const Rect16& from, RasterOp op) {
  if (!handle_) return;
  if (DCMem* dc = dc_mem()) dc->Flush();
  DCContext pixels;
  pixels.image = &handle_->image;
  onto.Combine(pixels, from.Moved(x_, y_), to, op);
}

Status Bmp::WriteBmpFile(File& file) {
  if (!handle_) return Status(kStatusNoPixels);
  if (DCMem* dc = dc_mem()) dc->Flush();
  QImage image = handle_->image.copy(x_, y_, width_, height_);
  // Up to 8 bits a pixel keeps its colour table; 16 bits are written as 24.
  int bits = image.depth();
  if (bits == 16) {
    image = image.convertToFormat(QImage::Format_BGR888);
    bits = 24;
  }
  if (image.isNull()) return Status(kStatusOutOfMemory);
  const int colours = bits <= 8 ? 1 << bits : 0;
  const int stride = (bits * width_ + 31) / 32 * 4;
  const int pixel_offset = kFileHeaderBytes + kInfoHeaderBytes + colours * 4;
  const int image_bytes = stride * height_;

  BinaryWriter out(file);
  out.U16(kBmpMagic);
  out.U32(static_cast<std::uint32_t>(pixel_offset + image_bytes));
  out.U32(0);
  out.U32(static_cast<std::uint32_t>(pixel_offset));
  out.U32(kInfoHeaderBytes);
  out.I32(width_);
  out.I32(height_);  // rows bottom-up
  out.U16(1);
  out.U16(static_cast<std::uint16_t>(bits));
  out.U32(0);  // no compression
  out.U32(static_cast<std::uint32_t>(image_bytes));
  out.U32(0);
  out.U32(0);
  out.U32(static_cast<std::uint32_t>(colours));
  out.U32(0);
  const QList<QRgb> table = image.colorTable();
  for (int index = 0; index < colours; ++index) {
    const QRgb colour = index < table.size() ? table[index] : 0;
    out.U8(static_cast<std::uint8_t>(qBlue(colour)));
    out.U8(static_cast<std::uint8_t>(qGreen(colour)));
    out.U8(static_cast<std::uint8_t>(qRed(colour)));
    out.U8(0);
  }
  std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
  const int used = (bits * width_ + 7) / 8;
  for (int y = height_ - 1; y >= 0; --y) {
    std::copy_n(image.constScanLine(y), used, row.begin());
    if (bits == 32) {
      for (int x = 0; x < width_; ++x)
        row[static_cast<std::size_t>(4 * x + 3)] = 0;
    }
    out.Bytes(row.data(), stride);
  }
  return out.TakeStatus();
}

}  // namespace cbst
