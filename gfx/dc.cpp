// dc.cpp: device contexts on windows, the screen and memory bitmaps.
#include "gfx/dc.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "gfx/bitmap_handle_qt.h"
#include "gfx/bmp.h"
#include "gfx/dc_context_qt.h"
#include "gfx/drawing_surface_qt.h"
#include "gfx/palette.h"
#include "gfx/pixel_access.h"
#include "gfx/region.h"
#include "gfx/region_handle_qt.h"
#include "platform/display.h"

namespace cbst {
namespace {

DrawingSurface*& ScreenSurfaceSlot() {
  static DrawingSurface* surface = nullptr;
  return surface;
}

// The default tools a fresh context draws with.
const Pen& DefaultPen() {
  static const Pen pen;
  return pen;
}
const Brush& DefaultBrush() {
  static const Brush brush;
  return brush;
}
const Font& DefaultFont() {
  static const Font font;
  return font;
}

QPen ToQPen(const Pen& pen) {
  if (pen.style == PenStyle::kNone) return QPen(Qt::NoPen);
  static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
  QPen result(ToQColor(pen.colour), pen.width, kStyles[static_cast<int>(pen.style)]);
  result.setCapStyle(Qt::FlatCap);
  result.setJoinStyle(Qt::MiterJoin);
  return result;
}

QBrush ToQBrush(const Brush& brush) {
  return brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.colour));
}

QFont ToQFont(const Font& font) {
  QFont result(QString::fromStdString(font.face));
  result.setPixelSize(std::max(font.height, 1));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  return result;
}

// The toolkit's composition mode for a raster operation, where there is one.
std::optional<QPainter::CompositionMode> CompositionFor(RasterOp op) {
  switch (op) {
    case kSrcCopy:
      return QPainter::CompositionMode_Source;
    case kSrcPaint:
      return QPainter::RasterOp_SourceOrDestination;
    case kSrcAnd:
      return QPainter::RasterOp_SourceAndDestination;
    case kSrcInvert:
      return QPainter::RasterOp_SourceXorDestination;
    case kSrcErase:
      return QPainter::RasterOp_SourceAndNotDestination;
    case kNotSrcCopy:
      return QPainter::RasterOp_NotSource;
    case kNotSrcErase:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case kMergePaint:
      return QPainter::RasterOp_NotSourceOrDestination;
    case kAndNotSrc:
      return QPainter::RasterOp_NotSourceAndDestination;
    default:
      return std::nullopt;
  }
}

// The raw pixel value of `colour` in the format of `image`.
std::uint32_t RawPixel(const QImage& image, std::uint32_t colour) {
  QImage one(1, 1, image.format());
  if (image.format() == QImage::Format_Indexed8) one.setColorTable(image.colorTable());
  one.fill(ToQColor(colour));
  return LoadPixel(one.constBits(), std::max(image.depth() / 8, 1));
}

// Any raster operation, pixel by pixel: `source` (already in the format of
// `target` and of the size of `area`) and `pattern` combined into `area` of
// `target`, inside `clip`.
void SoftwareRasterOp(QImage& target, const QRect& area, const QImage* source, QPoint from,
                      std::uint32_t pattern, RasterOp op, const QRegion& clip) {
  const int bytes = target.depth() / 8;
  for (const QRect& part : clip.intersected(area & target.rect())) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
      uchar* d = target.scanLine(y);
      const uchar* s = source ? source->constScanLine(y - area.top() + from.y()) : nullptr;
      for (int x = part.left(); x <= part.right(); ++x) {
        if (bytes == 0) {
          const std::uint32_t dv = target.pixelIndex(x, y);
          const std::uint32_t sv =
              source ? source->pixelIndex(x - area.left() + from.x(), y - area.top() + from.y())
                     : 0;
          target.setPixel(x, y, ApplyRasterOp(op, pattern, sv, dv) & 1);
          continue;
        }
        uchar* dp = d + x * bytes;
        const std::uint32_t sv = s ? LoadPixel(s + (x - area.left() + from.x()) * bytes, bytes) : 0;
        StorePixel(dp, bytes, ApplyRasterOp(op, pattern, sv, LoadPixel(dp, bytes)));
      }
    }
  }
}

}  // namespace

DrawingSurface* ScreenSurface() {
  return ScreenSurfaceSlot();
}
void SetScreenSurface(DrawingSurface* surface) {
  ScreenSurfaceSlot() = surface;
}

DrawingTool::~DrawingTool() {
  if (!selected_into_) return;
  for (int slot = 0; slot < kToolSlots; ++slot) {
    if (selected_into_->current(static_cast<ToolSlot>(slot)) == this) {
      selected_into_->Deselect(static_cast<ToolSlot>(slot));
      return;
    }
  }
}

DC::DC() : context_(std::make_unique<DCContext>()), flags_(kMemory | kDeleteContext) {}

DC::DC(DrawingSurface* window, std::uint32_t mode) : window_(window) {
  if (mode & (kDefaultPrinter | kChosenPrinter | kPrinterSetup) && !(mode & kForPaint)) {
    // Printing needs the toolkit's print support, which the program does
    // not carry yet: the context stays empty and says why.
    status_ = kStatusNoPrinter;
    return;
  }
  if (!window_ && mode & kScreenIfNoWindow) window_ = ScreenSurface();
  if (!window_ || !window_->Image()) return;

  context_ = std::make_unique<DCContext>();
  context_->image = window_->Image();
  QRect area = window_->ClientRect();
  if (mode & kForPaint) {
    context_->paint_region = window_->BeginPaint();
    context_->clip = context_->paint_region;
    flags_ |= kEndPaint;
  } else {
    if (mode & kWholeWindow || window != window_) area = context_->image->rect();
    flags_ |= kReleaseToWindow;
  }
  context_->origin = area.topLeft();
  width_ = area.width();
  height_ = area.height();
  if (window_->palette_based()) flags_ |= kPaletteDevice;
}

DC::~DC() {
  if (context_) context_->End();
  for (int slot = 0; slot < kToolSlots; ++slot) {
    if (current_[slot]) current_[slot]->selected_into_ = nullptr;
  }
  if (flags_ & kEndPaint) window_->EndPaint();
  if (flags_ & kReleaseToWindow) window_->Release();
}

bool DC::valid() const {
  return context_ && context_->image && !context_->image->isNull();
}

Rect16 DC::paint_rectangle() const {
  const QRect area = context_ && !context_->paint_region.isEmpty()
                         ? context_->paint_region.boundingRect()
                         : QRect(0, 0, width_, height_);
  return {static_cast<std::int16_t>(area.x()), static_cast<std::int16_t>(area.y()),
          static_cast<std::int16_t>(area.width()), static_cast<std::int16_t>(area.height())};
}

void DC::Attach(Bmp* bitmap) {
  context_->End();
  context_->image = bitmap && bitmap->valid() ? &bitmap->handle()->image : nullptr;
  context_->origin = bitmap ? QPoint(bitmap->x(), bitmap->y()) : QPoint();
  context_->clip.reset();
  width_ = bitmap ? bitmap->width() : 0;
  height_ = bitmap ? bitmap->height() : 0;
}

void DC::SelectTool(ToolSlot slot, DrawingTool* tool) {
  const int index = Index(slot);
  if (current_[index] == tool) return;
  if (current_[index]) current_[index]->selected_into_ = nullptr;
  if (tool) {
    if (tool->selected_into_ && tool->selected_into_ != this) {
      tool->selected_into_->Deselect(slot);
    }
    tool->selected_into_ = this;
    displaced_[index] = true;
  }
  current_[index] = tool;
  if (!tool) displaced_[index] = false;  // the default is back in place
  if (context_) context_->End();         // the next drawing call takes the new tools
}

void DC::Select(Pen* pen) {
  SelectTool(ToolSlot::kPen, pen);
}
void DC::Select(Brush* brush) {
  SelectTool(ToolSlot::kBrush, brush);
}
void DC::Select(Font* font) {
  SelectTool(ToolSlot::kFont, font);
}
void DC::Deselect(ToolSlot slot) {
  SelectTool(slot, nullptr);
}

void DC::SetClip(const Region* region) {
  if (!context_) return;
  context_->End();
  if (region && region->handle()) {
    context_->clip = region->handle()->region;
  } else {
    context_->clip.reset();
  }
}

void DC::SelectPalette(Palette* palette, bool background) {
  palette_ = nullptr;
  palette_background_ = background;
  if (!palette) return;
  const Palette* chosen = PaletteForDrawing(*palette, background);
  if (chosen == &MasterPalette()) {
    palette_ = &MasterPalette();
  } else if (chosen) {
    palette_ = palette;
  }
}

int DC::RealisePalette() {
  return palette_ ? palette_->Realise(!palette_background_) : 0;
}

void DC::Flush() {
  if (context_) context_->End();
}

namespace {

// The painter of a context, begun with its tools, origin and clipping.
QPainter* PainterOf(DCContext* context, const DrawingTool* const* current) {
  if (!context || !context->image || context->image->isNull()) return nullptr;
  if (!context->painter) {
    QPainter& painter = context->painter.emplace(context->image);
    painter.translate(context->origin);
    if (context->clip) painter.setClipRegion(*context->clip);
    const auto* pen = static_cast<const Pen*>(current[0]);
    const auto* brush = static_cast<const Brush*>(current[1]);
    const auto* font = static_cast<const Font*>(current[2]);
    painter.setPen(ToQPen(pen ? *pen : DefaultPen()));
    painter.setBrush(ToQBrush(brush ? *brush : DefaultBrush()));
    painter.setFont(ToQFont(font ? *font : DefaultFont()));
  }
  return &*context->painter;
}

// The part of `context`'s pixels that drawing may touch, in image
// coordinates.
QRegion WritableRegion(const DCContext& context, int width, int height) {
  QRegion region(QRect(context.origin, QSize(width, height)));
  if (context.clip) region &= context.clip->translated(context.origin);
  return region & context.image->rect();
}

}  // namespace

void DC::SetPixel(int x, int y, std::uint32_t colour) {
  if (!valid()) return;
  context_->End();
  const QPoint at = context_->origin + QPoint(x, y);
  if (!WritableRegion(*context_, width_, height_).contains(at)) return;
  context_->image->setPixelColor(at, ToQColor(colour));
}

std::uint32_t DC::GetPixel(int x, int y) {
  if (!valid()) return 0;
  context_->End();
  const QPoint at = context_->origin + QPoint(x, y);
  if (!context_->image->rect().contains(at)) return 0;
  return FromQColor(context_->image->pixelColor(at));
}

namespace {

bool IsPlain32(const QImage& image) {
  return image.format() == QImage::Format_RGB32;
}

// Solid fills of 32-bit pixels without clipping are stored word by word, as
// the painter would have drawn them: the sheets take two for every piece.
bool FillWords(DCContext& context, const Rect16& rect, std::uint32_t colour) {
  QImage& image = *context.image;
  if (context.clip || !IsPlain32(image) || rect.width <= 0 || rect.height <= 0) return false;
  const QRect area =
      QRect(rect.x, rect.y, rect.width, rect.height).translated(context.origin) & image.rect();
  context.End();
  const std::uint32_t pixel =
      kOpaque | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y)) + area.left();
    std::fill_n(row, area.width(), pixel);
  }
  return true;
}

}  // namespace

void DC::FillRect(const Rect16& rect, const Brush& brush) {
  if (!valid()) return;
  if (!brush.hollow && FillWords(*context_, rect, brush.colour)) return;
  if (QPainter* painter = PainterOf(context_.get(), current_.data())) {
    if (!brush.hollow)
      painter->fillRect(rect.x, rect.y, rect.width, rect.height, ToQColor(brush.colour));
  }
}

void DC::Rectangle(const Rect16& rect) {
  QPainter* painter = PainterOf(context_.get(), current_.data());
  if (!painter || rect.Empty()) return;
  const QPen pen = painter->pen();
  const int line = pen.style() == Qt::NoPen ? 0 : std::max(pen.width(), 1);
  const QRect area(rect.x, rect.y, rect.width, rect.height);
  painter->fillRect(area.adjusted(line, line, -line, -line), painter->brush());
  if (line == 0) return;
  const QBrush edge(pen.color());
  painter->fillRect(QRect(area.left(), area.top(), area.width(), line), edge);
  painter->fillRect(QRect(area.left(), area.bottom() - line + 1, area.width(), line), edge);
  painter->fillRect(QRect(area.left(), area.top(), line, area.height()), edge);
  painter->fillRect(QRect(area.right() - line + 1, area.top(), line, area.height()), edge);
}

void DC::Ellipse(const Rect16& rect) {
  QPainter* painter = PainterOf(context_.get(), current_.data());
  if (!painter || rect.Empty()) return;
  painter->drawEllipse(QRect(rect.x, rect.y, rect.width - 1, rect.height - 1));
}

void DC::Line(int x0, int y0, int x1, int y1) {
  QPainter* painter = PainterOf(context_.get(), current_.data());
  if (!painter) return;
  const QPen pen = painter->pen();
  if (pen.style() == Qt::NoPen) return;
  if (pen.width() > 1 || pen.style() != Qt::SolidLine) {
    painter->drawLine(x0, y0, x1, y1);
    return;
  }
  // Thin lines stop one pixel short of their end, so that joined lines
  // draw every pixel once (which inverting pens rely on).
  context_->End();
  const QRegion writable = WritableRegion(*context_, width_, height_);
  const QColor colour = pen.color();
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int step_x = x0 < x1 ? 1 : -1;
  const int step_y = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (x0 != x1 || y0 != y1) {
    const QPoint at = context_->origin + QPoint(x0, y0);
    if (writable.contains(at)) context_->image->setPixelColor(at, colour);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += step_x;
    }
    if (twice <= dx) {
      error += dx;
      y0 += step_y;
    }
  }
}

void DC::InvertFrame(const Rect16& rect, int thickness) {
  QPainter* painter = PainterOf(context_.get(), current_.data());
  if (!painter || rect.Empty() || thickness < 1) return;
  const QRect area(rect.x, rect.y, rect.width, rect.height);
  const int line = std::min({thickness, (area.width() + 1) / 2, (area.height() + 1) / 2});
  painter->save();
  painter->setCompositionMode(QPainter::RasterOp_NotDestination);
  // Four strips that never overlap, so every pixel is inverted exactly once.
  const QRect top(area.left(), area.top(), area.width(), line);
  const QRect bottom(area.left(), area.bottom() - line + 1, area.width(), line);
  const QRegion strips = QRegion(top) | QRegion(bottom) |
                         QRegion(area.left(), area.top(), line, area.height()) |
                         QRegion(area.right() - line + 1, area.top(), line, area.height());
  for (const QRect& part : strips)
    painter->fillRect(part, Qt::black);
  painter->restore();
}

void DC::XorFill(std::span<const Rect16> rects, std::uint32_t colour) {
  if (!valid()) return;
  QRegion area;
  for (const Rect16& rect : rects) {
    if (!rect.Empty()) area |= QRect(rect.x, rect.y, rect.width, rect.height);
  }
  if (area.isEmpty()) return;
  if (context_->image->depth() == 32) {
    QPainter* painter = PainterOf(context_.get(), current_.data());
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QRect& band : area)
      painter->fillRect(band, ToQColor(colour));
    painter->restore();
    return;
  }
  // Narrower pixels XOR their stored bits (colour-table pixels their
  // indices), pixel by pixel: going through the toolkit's colours would
  // lose the bits a format leaves unused, and drawing twice must give back
  // exactly what was there.
  context_->End();
  const std::uint32_t pattern = RawPixel(*context_->image, colour);
  const QRegion writable = WritableRegion(*context_, width_, height_);
  for (const QRect& band : area.translated(context_->origin))
    SoftwareRasterOp(*context_->image, band, nullptr, QPoint(), pattern, kPatInvert, writable);
}

void DC::Text(int x, int y, std::string_view text, std::uint32_t colour) {
  QPainter* painter = PainterOf(context_.get(), current_.data());
  if (!painter) return;
  painter->save();
  painter->setPen(ToQColor(colour));
  painter->drawText(QPoint(x, y + painter->fontMetrics().ascent()),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  painter->restore();
}

int DC::TextWidth(std::string_view text) {
  const auto* font = static_cast<const Font*>(current_[Index(ToolSlot::kFont)]);
  const QFontMetrics metrics(ToQFont(font ? *font : DefaultFont()));
  return metrics.horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int DC::TextHeight() {
  const auto* font = static_cast<const Font*>(current_[Index(ToolSlot::kFont)]);
  return QFontMetrics(ToQFont(font ? *font : DefaultFont())).height();
}

void DC::Transfer(int x, int y, int width, int height, DC& from, int from_x, int from_y,
                  RasterOp op) {
  Stretch({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
           static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)},
          from,
          {static_cast<std::int16_t>(from_x), static_cast<std::int16_t>(from_y),
           static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)},
          op);
}

void DC::Stretch(const Rect16& to, DC& from, const Rect16& part, RasterOp op) {
  if (!from.valid()) return;
  from.Flush();
  const QPoint origin = from.context_->origin;
  Combine(*from.context_, part.Moved(origin.x(), origin.y()), to, op);
}

namespace {

// Word operations of the raster operations that need neither pattern nor
// painter, for 32-bit pixels.
struct CopyWords {
  static std::uint32_t Apply(std::uint32_t source, std::uint32_t) { return source | kOpaque; }
};
struct NotCopyWords {
  static std::uint32_t Apply(std::uint32_t source, std::uint32_t) { return ~source | kOpaque; }
};
struct AndWords {
  static std::uint32_t Apply(std::uint32_t source, std::uint32_t target) {
    return (source & target) | kOpaque;
  }
};
struct OrWords {
  static std::uint32_t Apply(std::uint32_t source, std::uint32_t target) {
    return source | target | kOpaque;
  }
};
struct XorWords {
  static std::uint32_t Apply(std::uint32_t source, std::uint32_t target) {
    return (source ^ target) | kOpaque;
  }
};

// One operation over a block, inlined so that the rows vectorise.
template <typename Words>
void RunWords(QImage& image, const QImage& input, const QRect& to, QPoint shift) {
  const int width = to.width();
  for (int y = to.top(); y <= to.bottom(); ++y) {
    auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y)) + to.left();
    const auto* in = reinterpret_cast<const std::uint32_t*>(input.constScanLine(y + shift.y())) +
                     to.left() + shift.x();
    for (int x = 0; x < width; ++x)
      out[x] = Words::Apply(in[x], out[x]);
  }
}

using WordRunner = void (*)(QImage&, const QImage&, const QRect&, QPoint);

WordRunner WordOperation(RasterOp op) {
  switch (op) {
    case kSrcCopy:
      return RunWords<CopyWords>;
    case kNotSrcCopy:
      return RunWords<NotCopyWords>;
    case kSrcAnd:
      return RunWords<AndWords>;
    case kSrcPaint:
      return RunWords<OrWords>;
    case kSrcInvert:
      return RunWords<XorWords>;
    default:
      return nullptr;
  }
}

// Piece images move thousands of small blocks: unclipped copies between
// 32-bit pixels of the same size go word by word, without a painter. False
// when that does not apply.
bool CombineWords(DCContext& context, int width, int height, const QImage& input, const QRect& from,
                  const QRect& target, RasterOp op) {
  const WordRunner run = WordOperation(op);
  QImage& image = *context.image;
  if (!run || context.clip || from.size() != target.size() || !IsPlain32(input) ||
      !IsPlain32(image)) {
    return false;
  }
  const QRect writable = QRect(context.origin, QSize(width, height)) & image.rect();
  QRect to = target.translated(context.origin);
  QPoint shift = from.topLeft() - to.topLeft();
  to &= writable;
  to &= input.rect().translated(-shift);
  if (to.isEmpty()) return true;
  context.End();
  run(image, input, to, shift);
  return true;
}

}  // namespace

void DC::Combine(const DCContext& pixels, const Rect16& part, const Rect16& to, RasterOp op) {
  const QRect source_rect(part.x, part.y, part.width, part.height);
  if (!valid() || to.Empty() || source_rect.isEmpty() || !pixels.image) return;
  const QImage& source = *pixels.image;
  const QRect target(to.x, to.y, to.width, to.height);
  // Drawing a context onto itself reads a copy.
  const QImage own_copy = &source == context_->image ? source.copy(source_rect) : QImage();
  const QImage& input = own_copy.isNull() ? source : own_copy;
  const QRect from_rect = own_copy.isNull() ? source_rect : own_copy.rect();
  if (CombineWords(*context_, width_, height_, input, from_rect, target, op)) return;

  // The toolkit cannot paint on 8-bit colour-table pixels: those take the
  // pixel-by-pixel path below, which moves the indices as they are.
  const bool paintable = context_->image->format() != QImage::Format_Indexed8;
  if (const auto mode = CompositionFor(op); mode && paintable) {
    QPainter* painter = PainterOf(context_.get(), current_.data());
    painter->save();
    painter->setCompositionMode(*mode);
    painter->drawImage(target, input, from_rect);
    painter->restore();
    return;
  }
  // Operations the toolkit has no mode for run pixel by pixel, on the source
  // brought to this context's format and size.
  context_->End();
  QImage prepared = input.copy(from_rect);
  if (prepared.size() != target.size()) prepared = prepared.scaled(target.size());
  if (prepared.format() != context_->image->format()) {
    prepared = prepared.convertToFormat(context_->image->format());
  }
  const auto* brush = static_cast<const Brush*>(current_[Index(ToolSlot::kBrush)]);
  const std::uint32_t pattern =
      RawPixel(*context_->image, (brush ? *brush : DefaultBrush()).colour);
  SoftwareRasterOp(*context_->image, target.translated(context_->origin),
                   UsesSource(op) ? &prepared : nullptr, QPoint(0, 0), pattern, op,
                   WritableRegion(*context_, width_, height_));
}

void DC::PatternFill(const Rect16& rect, RasterOp op) {
  if (!valid() || rect.Empty()) return;
  context_->End();
  const auto* brush = static_cast<const Brush*>(current_[Index(ToolSlot::kBrush)]);
  const std::uint32_t pattern =
      RawPixel(*context_->image, (brush ? *brush : DefaultBrush()).colour);
  SoftwareRasterOp(*context_->image,
                   QRect(rect.x, rect.y, rect.width, rect.height).translated(context_->origin),
                   nullptr, QPoint(), pattern, op, WritableRegion(*context_, width_, height_));
}

}  // namespace cbst
