// board_painter.cpp: the background, the shadows and the pieces of a
// window, each clipped to the area being painted.
//
// Every pixel of the area is painted from scratch, bottom to top, so a
// repaint of any part gives the pixels a repaint of the whole would.
#include "play/board_painter.h"

#include <algorithm>
#include <array>

#include "gfx/blit.h"
#include "gfx/pixel_access.h"
#include "puzzle/puz.h"

namespace cbst {
namespace {

constexpr int kLevels = 256;

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
      : format_(format), solid_(shadow.solid), solid_pixel_(format.Pack(kSolidShadowColour)) {
    const bool blended = shadow.intensity != 0 || shadow.offset != 0;
    const int intensity = blended ? shadow.intensity : kPlainShadowIntensity;
    const int offset = blended ? shadow.offset : 0;
    for (int level = 0; level < kLevels; ++level) {
      levels_[static_cast<std::size_t>(level)] =
          static_cast<std::uint8_t>(std::clamp(level * intensity / kLevels + offset, 0, 255));
    }
  }

  std::uint32_t operator()(std::uint32_t pixel) const {
    if (solid_) return solid_pixel_;
    std::uint32_t result = 0;
    for (const ColourField* field : {&format_.red, &format_.green, &format_.blue}) {
      // Fields narrower than a byte are looked up at their top bits.
      const int spare = 8 - field->width;
      const std::uint32_t level = ((pixel & field->mask) >> field->position) << spare;
      result |= (static_cast<std::uint32_t>(levels_[level]) >> spare) << field->position;
    }
    return result;
  }

 private:
  const DisplayFormat& format_;
  bool solid_;
  std::uint32_t solid_pixel_;
  std::array<std::uint8_t, kLevels> levels_{};
};

void Fill(Bmp& buffer, const Rect16& area, std::uint32_t colour) {
  const PixelView pixels = buffer.pixels();
  const std::uint32_t pixel = buffer.format().Pack(colour);
  for (int y = area.y; y < area.y + area.height; ++y) {
    std::uint8_t* at = pixels.At(area.x, y);
    for (int x = 0; x < area.width; ++x, at += pixels.bytes)
      StorePixel(at, pixels.bytes, pixel);
  }
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
  for (int row = 0; row < cast.height; ++row) {
    const std::uint8_t* m = mask.At(mask_x, mask_y + row);
    std::uint8_t* t = target.At(cast.x, cast.y + row);
    for (int column = 0; column < cast.width; ++column, m += mask.bytes, t += target.bytes) {
      if ((LoadPixel(m, mask.bytes) & shape_bits) != 0) continue;
      StorePixel(t, target.bytes, shade(LoadPixel(t, target.bytes)));
    }
  }
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

}  // namespace

Rect16 PaintBoard(const Puz& puz, BmpMem& buffer, const PaintRequest& request) {
  if (!buffer.valid()) return {};
  const Rect16 area = Intersection(request.rect.Grown(kPaintMargin),
                                   {0, 0, static_cast<std::int16_t>(buffer.width()),
                                    static_cast<std::int16_t>(buffer.height())});
  if (area.Empty()) return {};
  const std::vector<SPuz>& pieces = puz.cut.pieces;
  const bool game = !pieces.empty();
  Fill(buffer, area, game ? puz.background & 0xFFFFFF : kNoGameBackground);
  if (!game || request.pieces_hidden || !puz.sheets.image || !puz.sheets.mask) return area;

  const Shade shade(request.shadow, buffer.format());
  // A piece whose shadow alone reaches into the area is drawn as well.
  const auto draw = [&](const Sprite& sprite) {
    if (!WithShadow(sprite.at, request.shadow).Overlaps(area)) return false;
    if (request.shadow.depth > 0) DrawShadow(buffer, sprite, area, request.shadow.depth, shade);
    DrawSprite(buffer, sprite, area);
    return true;
  };

  int drawn = 0;
  // Handling messages may change the z-order under the walk: it is read
  // afresh at every step.
  for (std::size_t depth = puz.cut.z_order.size(); depth-- > 0;) {
    if (depth >= puz.cut.z_order.size()) continue;
    const auto index = static_cast<std::size_t>(puz.cut.z_order[depth]);
    if (index >= pieces.size()) continue;
    const SPuz& piece = pieces[index];
    if (piece.box != request.window || (piece.flags & kPieceCarried)) continue;
    if (!draw({piece.window, puz.sheets.image.get(), puz.sheets.mask.get(), piece.bound.x,
               piece.bound.y})) {
      continue;
    }
    if (++drawn % kPiecesBetweenMessages == 0 && request.handle_messages) {
      request.handle_messages();
    }
  }

  const CarriedImage* carried = request.carried;
  if (carried && !puz.carried.empty() && carried->image && carried->mask) {
    draw({{puz.carried_bounds.x, puz.carried_bounds.y,
           static_cast<std::int16_t>(carried->image->width()),
           static_cast<std::int16_t>(carried->image->height())},
          carried->image.get(),
          carried->mask.get(),
          0,
          0});
  }
  return area;
}

}  // namespace cbst
