// rect16.h: Rect16, a rectangle of four signed 16-bit values.
//
// Pieces, windows and pictures are all placed with 16-bit pixel coordinates,
// as the file formats store them.
#pragma once

#include <algorithm>
#include <cstdint>

namespace cbst {

struct Rect16 {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;

  // The last column and row inside; a negative extent runs the other way.
  constexpr int LastColumn() const { return width < 0 ? x + width + 1 : x + width - 1; }
  constexpr int LastRow() const { return height < 0 ? y + height + 1 : y + height - 1; }
  constexpr bool Empty() const { return width <= 0 || height <= 0; }

  // Grown by `amount` pixels on every side.
  constexpr Rect16 Grown(int amount) const {
    return {static_cast<std::int16_t>(x - amount), static_cast<std::int16_t>(y - amount),
            static_cast<std::int16_t>(width + 2 * amount),
            static_cast<std::int16_t>(height + 2 * amount)};
  }

  // Column ranges and row ranges both intersect, ends included.
  constexpr bool Overlaps(const Rect16& other) const {
    return x <= other.LastColumn() && other.x <= LastColumn() && y <= other.LastRow() &&
           other.y <= LastRow();
  }

  constexpr bool Contains(const Rect16& other) const {
    return other.x >= x && other.y >= y && other.LastColumn() <= LastColumn() &&
           other.LastRow() <= LastRow();
  }

  constexpr bool ContainsPoint(int px, int py) const {
    return !Empty() && px >= x && py >= y && px < x + width && py < y + height;
  }

  // Shifted by `dx` across and `dy` down, its size kept.
  constexpr Rect16 Moved(int dx, int dy) const {
    return {static_cast<std::int16_t>(x + dx), static_cast<std::int16_t>(y + dy), width, height};
  }

  // The smallest rectangle holding both (positive extents). An empty
  // rectangle adds nothing, so a union can start from Rect16{}.
  constexpr Rect16 United(const Rect16& other) const {
    if (other.Empty()) return *this;
    if (Empty()) return other;
    const int left = std::min<int>(x, other.x);
    const int top = std::min<int>(y, other.y);
    const int right = std::max(LastColumn(), other.LastColumn());
    const int bottom = std::max(LastRow(), other.LastRow());
    return {static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
            static_cast<std::int16_t>(right - left + 1),
            static_cast<std::int16_t>(bottom - top + 1)};
  }

  friend constexpr bool operator==(const Rect16&, const Rect16&) = default;
};

}  // namespace cbst
