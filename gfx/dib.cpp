// dib.cpp: device-independent bitmaps, made from device bitmaps and drawn
// through the toolkit.
#include "gfx/dib.h"

#include <bit>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "base/memory.h"
#include "base/parallel.h"
#include "gfx/bitmap_handle_qt.h"
#include "gfx/bmp.h"
#include "gfx/dc.h"
#include "gfx/dc_context_qt.h"
#include "gfx/display_format.h"

namespace cbst {
namespace {

struct DibSettings {
  bool half_tone = false;
  bool force_realise = false;
};

DibSettings& Settings() {
  static DibSettings settings;
  return settings;
}

QList<QRgb> TableOf(const Dib& dib) {
  QList<QRgb> table;
  for (const ColourTableEntry& entry : dib.colours()) {
    table.push_back(qRgb(entry.red, entry.green, entry.blue));
  }
  table.resize(std::max<qsizetype>(table.size(), 1 << std::min(dib.bit_count(), 8)));
  return table;
}

// The 16- and 32-bit layout of a Dib's pixels.
DisplayFormat LayoutOf(const Dib& dib) {
  if (dib.header().compression == kCompressionBitFields) {
    return DisplayFormat::FromMasks(dib.bit_count(), dib.masks()[0], dib.masks()[1],
                                    dib.masks()[2]);
  }
  return DisplayFormat::Standard(dib.bit_count());
}

// The picture top-down in a format the toolkit can draw; 4-bit pixels are
// widened to 8, bit fields unpacked to 32. A null image when the memory
// for it cannot be had.
QImage ToImage(const Dib& dib) {
  const int width = dib.width();
  const int height = dib.height();
  const int bits = dib.bit_count();
  QImage image;
  switch (bits) {
    case 1:
      image = QImage(width, height, QImage::Format_Mono);
      if (image.isNull()) return image;
      image.setColorTable(TableOf(dib));
      for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), dib.row(y), (width + 7) / 8);
      return image;
    case 4:
    case 8:
      image = QImage(width, height, QImage::Format_Indexed8);
      if (image.isNull()) return image;
      image.setColorTable(TableOf(dib));
      for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = dib.row(y);
        uchar* to = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
          to[x] = bits == 8 ? from[x] : (x % 2 ? from[x / 2] & 0x0F : from[x / 2] >> 4);
        }
      }
      return image;
    case 24:
      image = QImage(width, height, QImage::Format_BGR888);
      if (image.isNull()) return image;
      for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), dib.row(y), width * 3);
      return image;
    default: {
      image = QImage(width, height, QImage::Format_RGB32);
      if (image.isNull()) return image;
      const DisplayFormat layout = LayoutOf(dib);
      const int bytes = bits / 8;
      for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = dib.row(y);
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
          std::uint32_t pixel = 0;
          std::memcpy(&pixel, from + x * bytes, static_cast<std::size_t>(bytes));
          const std::uint32_t colour = layout.Unpack(pixel);
          to[x] = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        }
      }
      return image;
    }
  }
}

// What a palette display shows of `image`: each colour becomes the nearest
// entry of the hardware palette.
QImage OnPaletteDisplay(const QImage& image) {
  QImage shown = image.convertToFormat(QImage::Format_RGB32);
  const LogicalPalette system = LogicalPalette::FromSystem();
  for (int y = 0; y < shown.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      const int index = NearestSystemColour(FromQColor(QColor(line[x])));
      if (index < 0) continue;
      const PaletteEntry& entry = system.entries[static_cast<std::size_t>(index)];
      line[x] = qRgb(entry.red, entry.green, entry.blue);
    }
  }
  return shown;
}

// Where rows copied onto a context's own pixels land: the part of the
// target inside the image and how far into the source that part begins.
// An empty area means nothing shows; otherwise the context's own drawing
// has been ended so the rows can be written straight in.
struct TargetRows {
  QRect area;
  int skip_x = 0;
  int skip_y = 0;
  uchar* bits = nullptr;
  qsizetype stride = 0;

  std::uint32_t* Row(int y) const {
    return reinterpret_cast<std::uint32_t*>(bits + (area.top() + y) * stride) + area.left();
  }
};

TargetRows BeginTargetRows(DCContext& context, const Rect16& to) {
  QImage& image = *context.image;
  const QRect target = QRect(to.x, to.y, to.width, to.height).translated(context.origin);
  TargetRows rows;
  rows.area = target & image.rect();
  if (rows.area.isEmpty()) return rows;
  context.End();
  rows.skip_x = rows.area.left() - target.left();
  rows.skip_y = rows.area.top() - target.top();
  rows.bits = image.bits();
  rows.stride = image.bytesPerLine();
  return rows;
}

// A 24-bit picture copied at its own size onto unclipped 32-bit pixels:
// each row converted straight into the target, as the toolkit's drawing
// would convert it, without the picture's intermediate copy. False when
// that does not apply.
bool CopyTrueColourRows(const Dib& dib, DCContext& context, const Rect16& to, RasterOp op) {
  if (dib.bit_count() != 24 || op != kSrcCopy || context.clip || !context.image ||
      context.image->format() != QImage::Format_RGB32) {
    return false;
  }
  const TargetRows rows = BeginTargetRows(context, to);
  for (int y = 0; y < rows.area.height(); ++y) {
    const std::uint8_t* from = dib.row(y + rows.skip_y) + 3 * rows.skip_x;
    std::uint32_t* out = rows.Row(y);
    for (int x = 0; x < rows.area.width(); ++x, from += 3) {
      out[x] = kOpaque | std::uint32_t{from[2]} << 16 | std::uint32_t{from[1]} << 8 | from[0];
    }
  }
  return true;
}

// Where each of `to` target pixels along one axis takes its pixel from when
// `from` pixels are stretched to `to` by dropping or repeating scans, as the
// toolkit's own scaling picks them: read off a picture one pixel thick whose
// pixels hold their own numbers. -1 where the toolkit leaves the target black.
std::vector<int> NearestSources(int from, int to, bool across) {
  std::vector<int> sources(static_cast<std::size_t>(to), -1);
  QImage probe(across ? from : 1, across ? 1 : from, QImage::Format_BGR888);
  if (probe.isNull()) return {};
  const auto at = [](QImage& image, int index, bool along_row) {
    return along_row ? image.scanLine(0) + 3 * index : image.scanLine(index);
  };
  for (int index = 0; index < from; ++index) {
    const int mark = index + 1;  // 0 stays for "not drawn"
    std::uint8_t* pixel = at(probe, index, across);
    pixel[0] = static_cast<std::uint8_t>(mark);
    pixel[1] = static_cast<std::uint8_t>(mark >> 8);
    pixel[2] = static_cast<std::uint8_t>(mark >> 16);
  }
  QImage scaled =
      probe.scaled(across ? to : 1, across ? 1 : to, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (scaled.format() != QImage::Format_BGR888 || scaled.width() != (across ? to : 1) ||
      scaled.height() != (across ? 1 : to)) {
    return {};
  }
  for (int index = 0; index < to; ++index) {
    const std::uint8_t* pixel = at(scaled, index, across);
    const int mark = pixel[0] | pixel[1] << 8 | pixel[2] << 16;
    if (mark < 0 || mark > from) return {};
    sources[static_cast<std::size_t>(index)] = mark - 1;
  }
  return sources;
}

// Rows of a stretch handed to one worker at a time, and the fewest target
// pixels worth starting threads for (a thumbnail is done sooner alone).
constexpr int kStretchRun = 32;
constexpr std::int64_t kThreadedStretchPixels = 256 * 1024;
// Pictures up to this side are stretched by the index tables; the toolkit's
// fixed-point arithmetic is exact well inside it.
constexpr int kStretchTableSide = 16384;

// A 24-bit picture stretched by dropping or repeating scans onto unclipped
// 32-bit pixels: the toolkit's choice of source pixels, taken once per
// column and row, then the rows filled over all cores straight into the
// target, without the picture's intermediate copies. The same pixels as
// the toolkit's drawing; false when that does not apply.
bool StretchTrueColourRows(const Dib& dib, DCContext& context, const Rect16& to, RasterOp op) {
  if (dib.bit_count() != 24 || op != kSrcCopy || context.clip || !context.image ||
      context.image->format() != QImage::Format_RGB32 || DibHalfTone() ||
      dib.width() > kStretchTableSide || dib.height() > kStretchTableSide) {
    return false;
  }
  const std::vector<int> columns = NearestSources(dib.width(), to.width, true);
  const std::vector<int> rows = NearestSources(dib.height(), to.height, false);
  if (columns.empty() || rows.empty()) return false;
  const TargetRows target = BeginTargetRows(context, to);
  const QRect& area = target.area;
  if (area.isEmpty()) return true;
  const bool large = std::int64_t{area.width()} * area.height() >= kThreadedStretchPixels;
  ParallelRuns(area.height(), kStretchRun, large ? 0 : 1, [&](int begin, int end) {
    for (int y = begin; y < end; ++y) {
      std::uint32_t* out = target.Row(y);
      const int source_row = rows[static_cast<std::size_t>(y + target.skip_y)];
      if (source_row < 0) {
        std::fill_n(out, area.width(), kOpaque);
        continue;
      }
      const std::uint8_t* line = dib.row(source_row);
      const int* column = columns.data() + target.skip_x;
      for (int x = 0; x < area.width(); ++x) {
        if (column[x] < 0) {
          out[x] = kOpaque;
          continue;
        }
        const std::uint8_t* from = line + 3 * column[x];
        out[x] = kOpaque | std::uint32_t{from[2]} << 16 | std::uint32_t{from[1]} << 8 | from[0];
      }
    }
  });
  return true;
}

}  // namespace

bool PictureSizeAllowed(std::int64_t width, std::int64_t height, int bit_count) {
  const bool depth = bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 16 ||
                     bit_count == 24 || bit_count == 32;
  return depth && width >= 1 && width <= kMaxPictureSide && height >= 1 &&
         height <= kMaxPictureSide;
}

bool Dib::valid() const {
  return PictureSizeAllowed(header_.width, header_.height, header_.bit_count) &&
         pixels_.size() >= static_cast<std::uint64_t>(image_bytes());
}

Dib::Dib(int width, int height, int bit_count) {
  if (!PictureSizeAllowed(width, height, bit_count)) return;
  header_.width = width;
  header_.height = height;
  header_.bit_count = static_cast<std::uint16_t>(bit_count);
  if (bit_count <= 8) {
    const int count = 1 << bit_count;
    for (int index = 0; index < count; ++index) {
      const auto level = static_cast<std::uint8_t>(index * 255 / (count - 1));
      colours_.push_back({level, level, level, 0});
    }
  }
  try {
    const RecoverableAllocations recoverable;
    pixels_.assign(static_cast<std::size_t>(image_bytes()), 0);
  } catch (const std::bad_alloc&) {
    pixels_.clear();
    return;
  }
  header_.image_size = static_cast<std::uint32_t>(pixels_.size());
}

Dib Dib::FromBitmap(Bmp& bitmap, const Palette* palette) {
  if (!bitmap.valid()) return Dib();
  const PixelView view = bitmap.pixels();  // finishes any drawing on it
  (void)view;
  const QImage whole = bitmap.handle()->image;
  QImage image = whole.copy(bitmap.x(), bitmap.y(), bitmap.width(), bitmap.height());
  int bits = image.depth();
  if (bits == 16) bits = 24;
  if (bits == 24) image = image.convertToFormat(QImage::Format_BGR888);
  if (bits == 32) image = image.convertToFormat(QImage::Format_RGB32);

  Dib dib(image.width(), image.height(), bits);
  const QList<QRgb> table = image.colorTable();
  if (bits <= 8) {
    const bool matched = palette && !palette->Empty() && bits == 8;
    dib.colours_.clear();
    if (matched) {
      for (const PaletteEntry& entry : palette->entries())
        dib.colours_.push_back({entry.blue, entry.green, entry.red, 0});
    } else {
      for (const QRgb colour : table) {
        dib.colours_.push_back({static_cast<std::uint8_t>(qBlue(colour)),
                                static_cast<std::uint8_t>(qGreen(colour)),
                                static_cast<std::uint8_t>(qRed(colour)), 0});
      }
    }
    dib.header_.colours_used = static_cast<std::uint32_t>(dib.colours_.size());
    for (int y = 0; y < dib.height(); ++y) {
      const uchar* from = image.constScanLine(y);
      std::uint8_t* to = dib.row(y);
      if (!matched) {
        std::memcpy(to, from, static_cast<std::size_t>((bits * dib.width() + 7) / 8));
        continue;
      }
      for (int x = 0; x < dib.width(); ++x) {
        const QRgb colour = table[from[x]];
        to[x] = static_cast<std::uint8_t>(palette->NearestIndex(
            static_cast<std::uint32_t>(qRed(colour) | qGreen(colour) << 8 | qBlue(colour) << 16)));
      }
    }
    return dib;
  }
  for (int y = 0; y < dib.height(); ++y) {
    std::uint8_t* to = dib.row(y);
    std::memcpy(to, image.constScanLine(y), static_cast<std::size_t>(dib.width() * bits / 8));
    if (bits == 32) {
      for (int x = 0; x < dib.width(); ++x)
        to[4 * x + 3] = 0;
    }
  }
  return dib;
}

std::uint32_t Dib::PixelColour(int x, int y) const {
  const std::uint8_t* line = row(y);
  const int bits = bit_count();
  if (bits == 24 || bits == 32) {
    const std::uint8_t* pixel = line + x * (bits / 8);
    return pixel[2] | pixel[1] << 8 | static_cast<std::uint32_t>(pixel[0]) << 16;
  }
  if (bits == 16) {
    const std::uint32_t pixel = line[2 * x] | line[2 * x + 1] << 8;
    // Without masks of their own, 16-bit pixels are 5-5-5.
    const std::array<std::uint32_t, 3> masks =
        masks_ == std::array<std::uint32_t, 3>{}
            ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
            : masks_;
    std::uint32_t colour = 0;
    for (int channel = 0; channel < 3; ++channel) {
      const std::uint32_t mask = masks[channel];
      if (mask == 0) continue;
      const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
      const int width = std::popcount(mask);
      const std::uint32_t wide = width >= 8 ? value >> (width - 8) : value << (8 - width);
      colour |= (wide & 0xFF) << (8 * channel);
    }
    return colour;
  }
  const int per_byte = 8 / bits;
  const int index = line[x / per_byte] >> (8 - bits * (1 + x % per_byte)) & ((1 << bits) - 1);
  if (index >= static_cast<int>(colours_.size())) return 0;
  const ColourTableEntry& entry = colours_[static_cast<std::size_t>(index)];
  return entry.red | entry.green << 8 | static_cast<std::uint32_t>(entry.blue) << 16;
}

int Dib::colour_count() const {
  if (header_.colours_used) return static_cast<int>(header_.colours_used);
  return header_.bit_count <= 8 ? 1 << header_.bit_count : 0;
}

void Dib::SetOwner(PaletteOwner* owner) {
  owner_ = owner;
  MakePalette();
}

void Dib::SetContext(DC* context) {
  context_ = context;
  MakePalette();
}

void Dib::MakePalette() {
  if (owner_ || context_) {
    BuildPalette();
  } else {
    palette_.reset();
  }
}

void Dib::BuildPalette() {
  palette_.reset();
  if (header_.bit_count > 8 || colours_.empty()) return;
  const int count = std::min<int>(colour_count(), static_cast<int>(colours_.size()));
  palette_ = std::make_unique<Palette>(std::span(colours_.data(), static_cast<std::size_t>(count)));
  palette_->set_owner(owner_);
}

bool Dib::Draw(DC& onto, int x, int y, RasterOp op, std::uint32_t centring, double zoom) const {
  if (!valid() || !onto.valid()) return false;
  const double factor = zoom == kDibZoomToFit
                            ? std::min(static_cast<double>(onto.width()) / width(),
                                       static_cast<double>(onto.height()) / height())
                            : zoom;
  const int drawn_width = static_cast<int>(width() * factor);
  const int drawn_height = static_cast<int>(height() * factor);
  if (drawn_width < 1 || drawn_height < 1) return true;
  // Centred by the size actually drawn, so that a fitted picture sits in
  // the middle too.
  if (centring & kDibCentreAcross) x += (onto.width() - drawn_width) / 2;
  if (centring & kDibCentreDown) y += (onto.height() - drawn_height) / 2;
  return DrawInto(onto,
                  {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                   static_cast<std::int16_t>(drawn_width), static_cast<std::int16_t>(drawn_height)},
                  op);
}

bool Dib::DrawInto(DC& onto, const Rect16& to, RasterOp op) const {
  if (!valid() || !onto.valid()) return false;
  if (to.Empty()) return true;
  if (palette_) {
    onto.SelectPalette(palette_.get());
    if (!owner_ || DibForceRealise()) onto.RealisePalette();
  }
  const bool same_size = to.width == width() && to.height == height();
  if (same_size && !(onto.flags() & DC::kPaletteDevice) &&
      CopyTrueColourRows(*this, *onto.context_, to, op)) {
    return true;
  }
  if (!same_size && !(onto.flags() & DC::kPaletteDevice) &&
      StretchTrueColourRows(*this, *onto.context_, to, op)) {
    return true;
  }
  QImage image = ToImage(*this);
  if (image.isNull()) return false;
  if (onto.flags() & DC::kPaletteDevice) image = OnPaletteDisplay(image);
  if (to.width != width() || to.height != height()) {
    // Dropping scans, or half-toning when that is asked for.
    image = image.scaled(to.width, to.height, Qt::IgnoreAspectRatio,
                         DibHalfTone() ? Qt::SmoothTransformation : Qt::FastTransformation);
    if (image.isNull()) return false;
  }
  DCContext pixels;
  pixels.image = &image;
  onto.Combine(pixels, {0, 0, to.width, to.height}, to, op);
  return true;
}

void SetDibHalfTone(bool on) {
  Settings().half_tone = on;
}
bool DibHalfTone() {
  return Settings().half_tone;
}
void SetDibForceRealise(bool on) {
  Settings().force_realise = on;
}
bool DibForceRealise() {
  return Settings().force_realise;
}

}  // namespace cbst
