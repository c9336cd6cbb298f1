// turned_picture.cpp: turning a picture by an angle, pixel by pixel from
// the target back into the picture, so that the turned shape has no holes.
#include "play/turned_picture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx/pixel_access.h"

namespace cbst {
namespace {

std::uint32_t ColourBits(const DisplayFormat& format) {
  return format.red.mask | format.green.mask | format.blue.mask;
}

}  // namespace

void DrawTurnedPicture(BmpMem& target, const Rect16& clip, const CarriedImage& picture,
                       const TurnPlacement& placement) {
  if (!picture.image || !picture.mask || !target.valid()) return;
  target.dc().Flush();
  picture.image->dc().Flush();
  picture.mask->dc().Flush();
  const PixelView to = target.pixels();
  const PixelView from = picture.image->pixels();
  const PixelView shape = picture.mask->pixels();
  // Pixels are copied as they are: the picture was composed in the
  // target's own layout.
  if (to.bytes != from.bytes || !to.data || !from.data || !shape.data) return;
  const std::uint32_t shape_bits = ColourBits(picture.mask->format());
  const int left = std::max<int>(clip.x, 0);
  const int top = std::max<int>(clip.y, 0);
  const int right = std::min<int>(clip.x + clip.width, to.width);
  const int bottom = std::min<int>(clip.y + clip.height, to.height);
  const double radians = placement.degrees * std::numbers::pi / 180;
  const double cosine = std::cos(radians);
  const double sine = std::sin(radians);
  for (int y = top; y < bottom; ++y) {
    const double dy = y + 0.5 - placement.pivot_y;
    for (int x = left; x < right; ++x) {
      const double dx = x + 0.5 - placement.pivot_x;
      // Turned back by the angle, the target pixel lands on the picture.
      const double source_x = placement.pivot_x + dx * cosine + dy * sine - placement.x;
      const double source_y = placement.pivot_y - dx * sine + dy * cosine - placement.y;
      const int u = static_cast<int>(std::floor(source_x));
      const int v = static_cast<int>(std::floor(source_y));
      if (u < 0 || v < 0 || u >= from.width || v >= from.height || u >= shape.width ||
          v >= shape.height)
        continue;
      if ((LoadPixel(shape.At(u, v), shape.bytes) & shape_bits) != 0) continue;
      StorePixel(to.At(x, y), to.bytes, LoadPixel(from.At(u, v), from.bytes));
    }
  }
}

Rect16 SweptSquare(const Rect16& bounds, int pivot_x, int pivot_y) {
  double reach = 0;
  for (const int x : {int{bounds.x}, bounds.x + bounds.width})
    for (const int y : {int{bounds.y}, bounds.y + bounds.height})
      reach = std::max(reach, std::hypot(x - pivot_x, y - pivot_y));
  const int radius = static_cast<int>(std::ceil(reach)) + 1;
  return {static_cast<std::int16_t>(pivot_x - radius), static_cast<std::int16_t>(pivot_y - radius),
          static_cast<std::int16_t>(2 * radius + 1), static_cast<std::int16_t>(2 * radius + 1)};
}

}  // namespace cbst
