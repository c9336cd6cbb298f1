// loupe.cpp: the loupe's keys and limits, its window's place, and the
// pixel loop that magnifies what lies under it.
#include "play/loupe.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "ui/virtual_keys.h"

namespace cbst {
namespace {

// The widest loupe the column table serves at once; a wider target is
// magnified in strips.
constexpr int kColumnsAtOnce = 512;

// The source offset of a target offset: the floor of its division.
int SourceOffset(int target_offset, double zoom) {
  return static_cast<int>(std::floor(target_offset / zoom));
}

}  // namespace

LoupeSettings ClampedLoupe(LoupeSettings settings) {
  settings.size = std::clamp(settings.size, kLoupeMinSize, kLoupeMaxSize);
  if (!std::isfinite(settings.zoom)) settings.zoom = kLoupeDefaultZoom;
  settings.zoom = std::clamp(settings.zoom, kLoupeMinZoom, kLoupeMaxZoom);
  return settings;
}

LoupeKeyEffect ApplyLoupeKey(LoupeSettings& settings, int virtual_key) {
  switch (virtual_key) {
    case kVkUp:
      if (settings.size >= kLoupeMaxSize) return LoupeKeyEffect::kNothing;
      settings.size = std::min(settings.size + kLoupeSizeStep, kLoupeMaxSize);
      return LoupeKeyEffect::kResized;
    case kVkDown:
      if (settings.size <= kLoupeMinSize) return LoupeKeyEffect::kNothing;
      settings.size = std::max(settings.size - kLoupeSizeStep, kLoupeMinSize);
      return LoupeKeyEffect::kResized;
    case kVkAdd:
    case kVkOemPlus:
      if (settings.zoom >= kLoupeMaxZoom) return LoupeKeyEffect::kNothing;
      settings.zoom = std::min(settings.zoom + kLoupeZoomStep, kLoupeMaxZoom);
      return LoupeKeyEffect::kZoomed;
    case kVkSubtract:
    case kVkOemMinus:
      if (settings.zoom <= kLoupeMinZoom) return LoupeKeyEffect::kNothing;
      settings.zoom = std::max(settings.zoom - kLoupeZoomStep, kLoupeMinZoom);
      return LoupeKeyEffect::kZoomed;
    case kVkEscape:
      return LoupeKeyEffect::kClose;
    default:
      return LoupeKeyEffect::kNotMine;
  }
}

Rect16 LoupeWindowRect(const LoupeSettings& settings, int x, int y, int frame_extra) {
  const int side = settings.size + frame_extra;
  return {static_cast<std::int16_t>(x - settings.size / 2),
          static_cast<std::int16_t>(y - settings.size / 2), static_cast<std::int16_t>(side),
          static_cast<std::int16_t>(side)};
}

bool LoupeMayOpen(const LoupeHindrances& now, std::uint8_t mode) {
  if (now.buttons_held & ~mode) return false;
  return !now.modal_open && !now.preview_dragged && !now.tack_carried && !now.other_window_active &&
         !now.selection;
}

Rect16 MagnifiedSource(int at_x, int at_y, double zoom, int width, int height, int fixed_x,
                       int fixed_y) {
  const int left = at_x + SourceOffset(-fixed_x, zoom);
  const int top = at_y + SourceOffset(-fixed_y, zoom);
  const int right = at_x + SourceOffset(width - 1 - fixed_x, zoom);
  const int bottom = at_y + SourceOffset(height - 1 - fixed_y, zoom);
  return {static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
          static_cast<std::int16_t>(right - left + 1), static_cast<std::int16_t>(bottom - top + 1)};
}

void Magnify(const PixelView& source, int at_x, int at_y, double zoom, const PixelView& target,
             int fixed_x, int fixed_y, std::uint32_t outside) {
  const int bytes = target.bytes;
  if (bytes <= 0 || source.bytes != bytes || !source.data || !target.data || zoom <= 0) return;
  std::array<std::uint8_t, sizeof(std::uint32_t)> outside_bytes{};
  std::memcpy(outside_bytes.data(), &outside, outside_bytes.size());
  // Which source column each target column shows, one strip at a time.
  std::array<int, kColumnsAtOnce> columns{};
  for (int strip = 0; strip < target.width; strip += kColumnsAtOnce) {
    const int strip_width = std::min(kColumnsAtOnce, target.width - strip);
    for (int column = 0; column < strip_width; ++column)
      columns[static_cast<std::size_t>(column)] =
          at_x + SourceOffset(strip + column - fixed_x, zoom);
    for (int y = 0; y < target.height; ++y) {
      const int source_y = at_y + SourceOffset(y - fixed_y, zoom);
      const bool row_inside = source_y >= 0 && source_y < source.height;
      std::uint8_t* to = target.At(strip, y);
      for (int column = 0; column < strip_width; ++column, to += bytes) {
        const int source_x = columns[static_cast<std::size_t>(column)];
        const std::uint8_t* from = row_inside && source_x >= 0 && source_x < source.width
                                       ? source.At(source_x, source_y)
                                       : outside_bytes.data();
        std::memcpy(to, from, static_cast<std::size_t>(bytes));
      }
    }
  }
}

}  // namespace cbst
