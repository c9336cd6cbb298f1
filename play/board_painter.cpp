// board_painter.cpp: the background, the shadows and the pieces of a
// window, each clipped to the area being painted.
//
// Every pixel of the area is painted from scratch, bottom to top, so a
// repaint of any part gives the pixels a repaint of the whole would.
#include "play/board_painter.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <type_traits>
#include <utility>

#include "gfx/blit.h"
#include "gfx/pixel_access.h"
#include "puzzle/puz.h"

namespace cbst {
namespace {

constexpr int kLevels = 256;
constexpr int kCacheLine = 64;
constexpr std::uint32_t kColourValue = 0x00FFFFFF;  // of a colour 0x00BBGGRR

Rect16 Intersection(const Rect16& a, const Rect16& b) {
  const int left = std::max(a.x, b.x);
  const int top = std::max(a.y, b.y);
  const int right = std::min(a.x + a.width, b.x + b.width);
  const int bottom = std::min(a.y + a.height, b.y + b.height);
  if (right <= left || bottom <= top) return {};
  return {static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
          static_cast<std::int16_t>(right - left), static_cast<std::int16_t>(bottom - top)};
}

std::uint32_t ColourBits(const DisplayFormat& format) {
  return format.red.mask | format.green.mask | format.blue.mask;
}

// A picture and its mask placed on the surface: `at` shows the part of
// both that starts at (source_x, source_y).
struct Sprite {
  Rect16 at;
  Bmp* image = nullptr;
  Bmp* mask = nullptr;
  int source_x = 0;
  int source_y = 0;
};

// What a shadow makes of a pixel under it: the solid colour, or each
// colour field scaled by the intensity and moved by the offset.
class Shade {
 public:
  Shade(const ShadowParameters& shadow, const DisplayFormat& format)
      : solid_(shadow.solid), solid_pixel_(format.Pack(kSolidShadowColour)) {
    const bool blended = shadow.intensity != 0 || shadow.offset != 0;
    const int intensity = blended ? shadow.intensity : kPlainShadowIntensity;
    const int offset = blended ? shadow.offset : 0;
    for (int level = 0; level < kLevels; ++level) {
      levels_[static_cast<std::size_t>(level)] =
          static_cast<std::uint8_t>(std::clamp(level * intensity / kLevels + offset, 0, 255));
    }
    int byte_fields = 0;
    std::size_t index = 0;
    for (const ColourField* field : {&format.red, &format.green, &format.blue}) {
      fields_[index++] = {field->mask, field->position, 8 - field->width};
      if (field->width == 8 && field->position % 8 == 0 && field->position <= 16) ++byte_fields;
    }
    whole_bytes_ = byte_fields == 3;
  }

  std::uint32_t operator()(std::uint32_t pixel) const {
    if (solid_) return solid_pixel_;
    // Fields of a whole byte each, in the low three bytes: byte by byte.
    if (whole_bytes_) {
      return Level(pixel) | Level(pixel >> 8) << 8 | Level(pixel >> 16) << 16;
    }
    std::uint32_t result = 0;
    for (const Field& field : fields_) {
      // Fields narrower than a byte are looked up at their top bits.
      const std::uint32_t level = ((pixel & field.mask) >> field.position) << field.spare;
      result |= (Level(level) >> field.spare) << field.position;
    }
    return result;
  }

 private:
  struct Field {
    std::uint32_t mask;
    int position;
    int spare;  // bits short of a byte
  };
  std::uint32_t Level(std::uint32_t level) const { return levels_[level & 0xFF]; }

  bool solid_;
  std::uint32_t solid_pixel_;
  bool whole_bytes_ = false;
  std::array<Field, 3> fields_{};
  std::array<std::uint8_t, kLevels> levels_{};
};

// Calls `run` with the size of a pixel as a constant when it is one of the
// usual sizes (4, 3 or 2 bytes), so that the loops it runs are compiled for
// it; with 0 (as many as the views say) for any other.
template <typename Run>
void WithPixelSize(int bytes, Run run) {
  switch (bytes) {
    case 4:
      run(std::integral_constant<int, 4>{});
      break;
    case 3:
      run(std::integral_constant<int, 3>{});
      break;
    case 2:
      run(std::integral_constant<int, 2>{});
      break;
    default:
      run(std::integral_constant<int, 0>{});
      break;
  }
}

// Pixel loops for `kBytes` bytes a pixel, or (0) as many as the views say.
template <int kBytes>
void FillRows(const PixelView& pixels, const Rect16& area, std::uint32_t pixel) {
  const int bytes = kBytes ? kBytes : pixels.bytes;
  for (int y = area.y; y < area.y + area.height; ++y) {
    std::uint8_t* at = pixels.At(area.x, y);
    for (int x = 0; x < area.width; ++x, at += bytes)
      StorePixel(at, bytes, pixel);
  }
}

// Shades the pixels of `cast` under the mask's shape at (mask_x, mask_y),
// except those the sprite itself will cover: its shape lies `depth` pixels
// further right and down in the mask, up to `shape_end` (exclusive).
template <int kBytes>
void ShadeRows(const PixelView& target, const Rect16& cast, const PixelView& mask, int mask_x,
               int mask_y, int depth, std::pair<int, int> shape_end, std::uint32_t shape_bits,
               const Shade& shade) {
  const int bytes = kBytes ? kBytes : target.bytes;
  const int mask_bytes = kBytes ? kBytes : mask.bytes;
  const auto in_shape = [&](const std::uint8_t* at) {
    return (LoadPixel(at, mask_bytes) & shape_bits) == 0;
  };
  for (int row = 0; row < cast.height; ++row) {
    const std::uint8_t* m = mask.At(mask_x, mask_y + row);
    std::uint8_t* t = target.At(cast.x, cast.y + row);
    const bool covered_row = mask_y + row + depth < shape_end.second;
    const int covered_columns = covered_row ? std::max(0, shape_end.first - mask_x - depth) : 0;
    const std::uint8_t* own = covered_row ? mask.At(mask_x + depth, mask_y + row + depth) : m;
    for (int column = 0; column < cast.width; ++column, m += mask_bytes, t += bytes) {
      if (!in_shape(m)) continue;
      if (column < covered_columns && in_shape(own + column * mask_bytes)) continue;
      StorePixel(t, bytes, shade(LoadPixel(t, bytes)));
    }
  }
}

void Fill(Bmp& buffer, const Rect16& area, std::uint32_t colour) {
  const PixelView pixels = buffer.pixels();
  const std::uint32_t pixel = buffer.format().Pack(colour);
  WithPixelSize(pixels.bytes, [&](auto size) { FillRows<size()>(pixels, area, pixel); });
}

// The sprite's shape, moved down and right by the depth, shades what lies
// under it inside `area`.
void DrawShadow(Bmp& buffer, const Sprite& sprite, const Rect16& area, int depth,
                const Shade& shade) {
  const Rect16 cast = Intersection(
      {static_cast<std::int16_t>(sprite.at.x + depth),
       static_cast<std::int16_t>(sprite.at.y + depth), sprite.at.width, sprite.at.height},
      area);
  if (cast.Empty()) return;
  const PixelView target = buffer.pixels();
  const PixelView mask = sprite.mask->pixels();
  const std::uint32_t shape_bits = ColourBits(sprite.mask->format());
  const int mask_x = sprite.source_x + cast.x - depth - sprite.at.x;
  const int mask_y = sprite.source_y + cast.y - depth - sprite.at.y;
  const std::pair<int, int> shape_end{sprite.source_x + sprite.at.width,
                                      sprite.source_y + sprite.at.height};
  // The loops take the mask's pixels to be as large as the target's.
  WithPixelSize(target.bytes == mask.bytes ? target.bytes : 0, [&](auto size) {
    ShadeRows<size()>(target, cast, mask, mask_x, mask_y, depth, shape_end, shape_bits, shade);
  });
}

void DrawSprite(Bmp& buffer, const Sprite& sprite, const Rect16& area) {
  const Rect16 part = Intersection(sprite.at, area);
  if (part.Empty()) return;
  BlitRequest request;
  request.destination = &buffer;
  request.x = part.x;
  request.y = part.y;
  request.width = part.width;
  request.height = part.height;
  request.source = sprite.image;
  request.mask = sprite.mask;
  request.source_x = request.mask_x = sprite.source_x + part.x - sprite.at.x;
  request.source_y = request.mask_y = sprite.source_y + part.y - sprite.at.y;
  Blit(request, BlitOperation::kMaskedCopy);
}

// Asks for the rows of `rect` before they are read. Pieces lie scattered
// over the sheets and the table, and their short rows would otherwise come
// from memory one after the other.
void Prefetch(Bmp& bitmap, const Rect16& rect) {
  if (rect.Empty()) return;
  const PixelView view = bitmap.pixels();
  const int row_bytes = rect.width * view.bytes;
  for (int row = 0; row < rect.height; ++row) {
    const std::uint8_t* at = view.At(rect.x, rect.y + row);
    for (int offset = 0; offset < row_bytes; offset += kCacheLine)
      __builtin_prefetch(at + offset);
    __builtin_prefetch(at + row_bytes - 1);
  }
}

// The sprite with its shadow, inside `area`.
void DrawWithShadow(Bmp& buffer, const Sprite& sprite, const Rect16& area,
                    const ShadowParameters& shadow, const Shade& shade) {
  const Rect16 part = Intersection(WithShadow(sprite.at, shadow), area);
  if (part.Empty()) return;
  // The shadow reads the mask up to its depth above and left of the part.
  const Rect16 read =
      Intersection(sprite.at, {static_cast<std::int16_t>(part.x - shadow.depth),
                               static_cast<std::int16_t>(part.y - shadow.depth),
                               static_cast<std::int16_t>(part.width + shadow.depth),
                               static_cast<std::int16_t>(part.height + shadow.depth)});
  const Rect16 in_sheets{static_cast<std::int16_t>(sprite.source_x + read.x - sprite.at.x),
                         static_cast<std::int16_t>(sprite.source_y + read.y - sprite.at.y),
                         read.width, read.height};
  Prefetch(*sprite.mask, in_sheets);
  Prefetch(*sprite.image, in_sheets);
  Prefetch(buffer, part);
  if (shadow.depth > 0) DrawShadow(buffer, sprite, area, shadow.depth, shade);
  DrawSprite(buffer, sprite, area);
}

// The carried group's picture at the game's carried bounds, with its shadow.
void DrawCarried(const Puz& puz, Bmp& buffer, const Rect16& area, const ShadowParameters& shadow,
                 const Shade& shade, const CarriedImage& carried) {
  const Rect16 at{puz.carried_bounds.x, puz.carried_bounds.y,
                  static_cast<std::int16_t>(carried.image->width()),
                  static_cast<std::int16_t>(carried.image->height())};
  DrawWithShadow(buffer, {at, carried.image.get(), carried.mask.get(), 0, 0}, area, shadow, shade);
}

// Direct pixels of one size in every bitmap: the spans can paint them.
bool DirectAlike(std::initializer_list<Bmp*> bitmaps) {
  const int bytes = (*bitmaps.begin())->format().bytes_per_pixel;
  return std::all_of(bitmaps.begin(), bitmaps.end(), [bytes](Bmp* bitmap) {
    return bitmap && (bitmap->flags() & Bmp::kDibSection) && bitmap->pixels().bytes == bytes &&
           bitmap->format().bytes_per_pixel == bytes;
  });
}

// The spans of the carried picture at `at`, inside `area`, over what the
// buffer holds: the same pixels DrawWithShadow gives.
template <int kBytes>
void PaintSpans(const PixelView& target, const PixelView& image, const PixelView& mask,
                const CarriedSpans& spans, const Rect16& at, const Rect16& area,
                std::uint32_t colour_bits, const Shade& shade) {
  const int bytes = kBytes ? kBytes : target.bytes;
  const int top = std::max<int>(area.y, at.y);
  const int bottom = std::min<int>(area.y + area.height, at.y + at.height + spans.depth);
  const int left = area.x, right = area.x + area.width;
  for (int y = top; y < bottom; ++y) {
    const int row = y - at.y;
    const auto first = spans.spans.begin() + spans.rows[static_cast<std::size_t>(row)];
    const auto last = spans.spans.begin() + spans.rows[static_cast<std::size_t>(row) + 1];
    for (auto span = first; span != last; ++span) {
      const int from = std::max(left, at.x + span->start);
      const int to = std::min(right, at.x + span->start + span->length);
      if (from >= to) continue;
      std::uint8_t* t = target.At(from, y);
      const int count = to - from;
      if (span->kind == CarriedSpans::kShaded) {
        for (int i = 0; i < count; ++i, t += bytes)
          StorePixel(t, bytes, shade(LoadPixel(t, bytes)));
        continue;
      }
      // The other spans lie inside the picture.
      const std::uint8_t* s = image.At(from - at.x, row);
      const std::uint8_t* m = mask.At(from - at.x, row);
      switch (span->kind) {
        case CarriedSpans::kShaded:
          break;
        case CarriedSpans::kPicture:
          for (int i = 0; i < count; ++i, t += bytes, s += bytes)
            StorePixel(t, bytes, LoadPixel(s, bytes) & colour_bits);
          break;
        case CarriedSpans::kEdge:
        case CarriedSpans::kShadedEdge: {
          const bool shaded = span->kind == CarriedSpans::kShadedEdge;
          for (int i = 0; i < count; ++i, t += bytes, s += bytes, m += bytes) {
            const std::uint32_t under = LoadPixel(t, bytes);
            const std::uint32_t over = shaded ? shade(under) : under;
            StorePixel(t, bytes,
                       ((over & LoadPixel(m, bytes)) ^ LoadPixel(s, bytes)) & colour_bits);
          }
          break;
        }
      }
    }
  }
}

}  // namespace

std::optional<CarriedSpans> MakeCarriedSpans(const CarriedImage& carried, int depth) {
  if (!carried.image || !carried.mask || !DirectAlike({carried.image.get(), carried.mask.get()}))
    return std::nullopt;
  const PixelView mask = carried.mask->pixels();
  const std::uint32_t shape_bits = ColourBits(carried.mask->format());
  const int width = mask.width, height = mask.height;
  const auto in_shape = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < width && y < height &&
           (LoadPixel(mask.At(x, y), mask.bytes) & shape_bits) == 0;
  };
  CarriedSpans made;
  made.depth = std::max(depth, 0);
  made.rows.push_back(0);
  for (int y = 0; y < height + made.depth; ++y) {
    bool open = false;
    for (int x = 0; x < width + made.depth; ++x) {
      const bool inside = x < width && y < height;
      const bool cast = made.depth > 0 && in_shape(x - made.depth, y - made.depth);
      std::optional<CarriedSpans::Kind> kind;
      if (inside) {
        kind = in_shape(x, y) ? CarriedSpans::kPicture
                              : (cast ? CarriedSpans::kShadedEdge : CarriedSpans::kEdge);
      } else if (cast) {
        kind = CarriedSpans::kShaded;
      }
      if (!kind) {
        open = false;
        continue;
      }
      if (open && made.spans.back().kind == *kind) {
        ++made.spans.back().length;
      } else {
        made.spans.push_back({static_cast<std::int16_t>(x), 1, *kind});
        open = true;
      }
    }
    made.rows.push_back(static_cast<int>(made.spans.size()));
  }
  return made;
}

Rect16 PaintedArea(const Rect16& rect, const Bmp& buffer) {
  return Intersection(rect.Grown(kPaintMargin), {0, 0, static_cast<std::int16_t>(buffer.width()),
                                                 static_cast<std::int16_t>(buffer.height())});
}

void PaintCarriedOver(const Puz& puz, BmpMem& buffer, BmpMem& under, const Rect16& area,
                      const ShadowParameters& shadow, const CarriedImage& carried,
                      const CarriedSpans* spans) {
  if (area.Empty() || !buffer.valid() || !under.valid()) return;
  buffer.dc().Transfer(area.x, area.y, area.width, area.height, under.dc(), area.x, area.y);
  buffer.dc().Flush();
  if (puz.carried.empty() || !carried.image || !carried.mask) return;
  const Shade shade(shadow, buffer.format());
  if (!spans || spans->depth != std::max(shadow.depth, 0) ||
      !DirectAlike({&buffer, carried.image.get(), carried.mask.get()})) {
    DrawCarried(puz, buffer, area, shadow, shade, carried);
    return;
  }
  const Rect16 at{puz.carried_bounds.x, puz.carried_bounds.y,
                  static_cast<std::int16_t>(carried.image->width()),
                  static_cast<std::int16_t>(carried.image->height())};
  const PixelView target = buffer.pixels();
  const PixelView image = carried.image->pixels();
  const PixelView mask = carried.mask->pixels();
  const std::uint32_t colour_bits = ColourBits(buffer.format());
  WithPixelSize(target.bytes, [&](auto size) {
    PaintSpans<size()>(target, image, mask, *spans, at, area, colour_bits, shade);
  });
}

Rect16 PaintBoard(const Puz& puz, BmpMem& buffer, const PaintRequest& request) {
  if (!buffer.valid()) return {};
  const Rect16 area = PaintedArea(request.rect, buffer);
  if (area.Empty()) return {};
  const std::vector<SPuz>& pieces = puz.cut.pieces;
  const bool game = !pieces.empty();
  const std::uint32_t background = request.background.value_or(puz.background);
  Fill(buffer, area, game ? background & kColourValue : kNoGameBackground);
  for (const BackgroundFrame& frame : request.frames) {
    const Rect16& outer = frame.outer;
    const auto t = static_cast<std::int16_t>(
        std::min<int>(frame.thickness, std::min<int>(outer.width, outer.height) / 2));
    const Rect16 strips[] = {
        {outer.x, outer.y, outer.width, t},
        {outer.x, static_cast<std::int16_t>(outer.y + outer.height - t), outer.width, t},
        {outer.x, outer.y, t, outer.height},
        {static_cast<std::int16_t>(outer.x + outer.width - t), outer.y, t, outer.height}};
    for (const Rect16& strip : strips)
      if (const Rect16 part = Intersection(strip, area); !part.Empty())
        Fill(buffer, part, frame.colour);
  }
  if (game && request.preview && request.preview->valid()) {
    const Rect16 picture{static_cast<std::int16_t>(request.preview_at.first),
                         static_cast<std::int16_t>(request.preview_at.second),
                         static_cast<std::int16_t>(request.preview->width()),
                         static_cast<std::int16_t>(request.preview->height())};
    if (const Rect16 part = Intersection(picture, area); !part.Empty()) {
      buffer.dc().Transfer(part.x, part.y, part.width, part.height, request.preview->dc(),
                           part.x - picture.x, part.y - picture.y);
      buffer.dc().Flush();
    }
  }
  if (!game || request.pieces_hidden || !puz.sheets.image || !puz.sheets.mask) return area;

  const Shade shade(request.shadow, buffer.format());
  // A piece shows in the area when it or its shadow reaches into it; the
  // walk rejects the others without looking further.
  const int depth = request.shadow.depth;
  const Rect16 reach{static_cast<std::int16_t>(area.x - depth),
                     static_cast<std::int16_t>(area.y - depth),
                     static_cast<std::int16_t>(area.width + depth),
                     static_cast<std::int16_t>(area.height + depth)};
  int drawn = 0;
  // Handling messages may change the z-order under the walk: it is read
  // afresh at every step.
  for (std::size_t position = puz.cut.z_order.size(); position-- > 0;) {
    if (position >= puz.cut.z_order.size()) continue;
    const auto index = static_cast<std::size_t>(puz.cut.z_order[position]);
    if (index >= pieces.size()) continue;
    const SPuz& piece = pieces[index];
    if (!piece.window.Overlaps(reach)) continue;
    if (piece.box != request.window || (piece.flags & kPieceCarried)) continue;
    DrawWithShadow(
        buffer,
        {piece.window, puz.sheets.image.get(), puz.sheets.mask.get(), piece.bound.x, piece.bound.y},
        area, request.shadow, shade);
    if (++drawn % kPiecesBetweenMessages == 0 && request.handle_messages) {
      request.handle_messages();
    }
  }

  const CarriedImage* carried = request.carried;
  if (carried && !puz.carried.empty() && carried->image && carried->mask)
    DrawCarried(puz, buffer, area, request.shadow, shade, *carried);
  return area;
}

}  // namespace cbst
