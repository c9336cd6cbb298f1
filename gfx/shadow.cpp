// shadow.cpp: drop shadows and bevelled frames in both rendering modes.
#include "gfx/shadow.h"

#include <algorithm>
#include <memory>

#include "gfx/dc_mem.h"
#include "gfx/pixel_access.h"

namespace cbst {
namespace {

// The context a bitmap is drawn through: its own, or one made for the call.
class ContextFor {
 public:
  explicit ContextFor(Bmp& bitmap) {
    dc_ = bitmap.dc_mem();
    if (!dc_) {
      temporary_ = std::make_unique<DCMem>();
      temporary_->SelectBitmap(&bitmap);
      dc_ = temporary_.get();
    }
  }
  DC& operator*() const { return *dc_; }
  DC* operator->() const { return dc_; }

 private:
  DC* dc_ = nullptr;
  std::unique_ptr<DCMem> temporary_;
};

std::uint32_t Grey(int level) {
  const auto value = static_cast<std::uint32_t>(std::clamp(level, 0, 255));
  return value * 0x010101u;
}

}  // namespace

void DropShadow(BlitRequest request, const ShadowStyle& style) {
  if (!style.force_raster && request.destination &&
      request.destination->flags() & Bmp::kDibSection) {
    DropShadowDirect(request, style);
  } else {
    DropShadowRaster(request, style);
  }
}

void DropShadowDirect(BlitRequest request, const ShadowStyle& style) {
  if (!request.source || !request.Clip()) return;
  const DisplayFormat& format = request.destination->format();
  const int bytes = format.bytes_per_pixel;
  const PixelView source = request.source->pixels();
  const PixelView destination = request.destination->pixels();
  const std::uint32_t black = format.Pack(0);
  const int width = request.width;
  const int height = request.height;

  // Is (c, r) of the rectangle a shape pixel? Outside the source is background.
  const auto shape = [&](int c, int r) {
    const int sx = request.source_x + c;
    const int sy = request.source_y + r;
    if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height) return false;
    return *source.At(sx, sy) == 0;
  };
  const auto put = [&](int c, int r, std::uint32_t pixel) {
    const int dx = request.x + c;
    const int dy = request.y + r;
    if (dx < 0 || dy < 0 || dx >= destination.width || dy >= destination.height) return;
    StorePixel(destination.At(dx, dy), bytes, pixel);
  };

  for (int r = 0; r < height; ++r) {
    for (int c = 0; c < width; ++c) {
      if (!shape(c, r)) continue;
      put(c, r, black);
      const bool edge = c == width - 1 || r == height - 1 || !shape(c + 1, r + 1);
      if (!edge) continue;
      int level = style.start_level;
      if (!shape(c + 1, r) && !shape(c, r + 1)) level -= style.step;
      int rc = c + style.depth;
      int rr = r + style.depth;
      for (int step = 0; step < style.depth; ++step) {
        if (level < 256 && !shape(rc, rr)) put(rc, rr, format.Pack(Grey(level)));
        level += style.step;
        if (rc == 0 || rr == 0 || shape(rc - 1, rr - 1)) break;
        --rc;
        --rr;
      }
    }
  }
}

void DropShadowRaster(BlitRequest request, const ShadowStyle& style) {
  if (!request.source || !request.Clip()) return;
  ContextFor destination(*request.destination);
  const Rect16 part{
      static_cast<std::int16_t>(request.source_x), static_cast<std::int16_t>(request.source_y),
      static_cast<std::int16_t>(request.width), static_cast<std::int16_t>(request.height)};
  const auto at = [&](int offset) {
    return Rect16{static_cast<std::int16_t>(request.x + offset),
                  static_cast<std::int16_t>(request.y + offset), part.width, part.height};
  };
  request.source->DrawStretched(*destination, at(0), part, kSrcCopy);
  Brush shadow(style.force_raster ? kForcedShadowBrushColour : kShadowBrushColour);
  destination->Select(&shadow);
  request.source->DrawStretched(*destination, at(style.depth), part, kAndPatOrSrc);
  destination->Deselect(ToolSlot::kBrush);
}

void DrawBevel(Bmp& target, const Rect16& rect, int width) {
  if (!target.valid() || rect.Empty() || width < 1) return;
  const int depth = std::min({width, rect.width / 2, rect.height / 2});
  ContextFor dc(target);
  const bool direct = target.flags() & Bmp::kDibSection;
  for (int inset = 0; inset < depth; ++inset) {
    const int left = rect.x + inset;
    const int top = rect.y + inset;
    const int right = rect.x + rect.width - 1 - inset;
    const int bottom = rect.y + rect.height - 1 - inset;
    // Graded greys darken inwards; the shaded side stays half as bright.
    const int level = kBevelStartLevel - kBevelLevelStep * inset;
    const std::uint32_t light = direct ? Grey(level) : kBevelLight;
    const std::uint32_t dark = direct ? Grey(level / 2) : kBevelDark;
    const auto strip = [&](int x, int y, int w, int h, std::uint32_t colour) {
      dc->FillRect({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                    static_cast<std::int16_t>(w), static_cast<std::int16_t>(h)},
                   Brush(colour));
    };
    strip(left, top, right - left + 1, 1, light);
    strip(left, top + 1, 1, bottom - top, light);
    strip(left + 1, bottom, right - left, 1, dark);
    strip(right, top + 1, 1, bottom - top - 1, dark);
  }
  dc->Flush();
}

}  // namespace cbst
