// region.h: Region, an area of the screen for clipping and hit tests.
//
// A region remembers how far it has been moved since it was made, so that a
// shape shared by many pieces can be moved to one piece and back home again.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "base/rect16.h"
#include "gfx/graphics_object.h"

namespace cbst {

// The toolkit's region; see gfx/region_handle_qt.h.
struct RegionHandle;

// The rectangle kind that makes an ellipse inscribed in the rectangle; any
// other kind makes the rectangle itself.
inline constexpr int kRegionRectangle = 1;
inline constexpr int kRegionEllipse = 2;

enum class RegionCombine { kIntersect, kUnion, kXor, kDifference };

struct RegionPoint {
  std::int16_t x = 0;
  std::int16_t y = 0;
};

class Region {
 public:
  // No area at all.
  Region();
  // The rectangle from (x, y) to (x + width, y + height), right and bottom
  // edges outside, or the ellipse inscribed in it.
  explicit Region(const Rect16& rect, int kind = kRegionRectangle);
  // The polygon through `points`, filled with the alternate (odd-even) rule.
  explicit Region(std::span<const RegionPoint> points);
  // Copies carry the area and the accumulated offsets.
  Region(const Region& other);
  Region& operator=(const Region& other);
  ~Region();

  void Combine(const Region& other, RegionCombine operation);

  // Moves the region and adds (dx, dy) to the accumulated offsets; Reset
  // moves it back by all of them.
  void Offset(int dx, int dy);
  void Reset();

  bool Contains(int x, int y) const;
  bool Empty() const;
  // The smallest rectangle around the area; all zero when empty.
  Rect16 Bounds() const;

  int offset_x() const { return offset_x_; }
  int offset_y() const { return offset_y_; }

  // For the drawing code that clips with this region.
  RegionHandle* handle() { return handle_.get(); }
  const RegionHandle* handle() const { return handle_.get(); }

 private:
  std::unique_ptr<RegionHandle> handle_;
  int offset_x_ = 0;
  int offset_y_ = 0;
  LiveTally tally_{LiveKind::kRegion};
};

}  // namespace cbst
