// region.cpp: Region over QRegion.
//
// Deleting a QRegion cannot fail, so unlike the handles of older platforms
// there is no refused deletion to report.
#include "gfx/region.h"

#include <QPolygon>
#include <QRect>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "gfx/region_handle_qt.h"

namespace cbst {
namespace {

// Corners (x, y) and (x + width, y + height), in either order, with the far
// edges outside: QRect's width is exactly that distance.
QRect CornerRect(const Rect16& rect) {
  const int left = std::min<int>(rect.x, rect.x + rect.width);
  const int top = std::min<int>(rect.y, rect.y + rect.height);
  return QRect(left, top, std::abs(rect.width), std::abs(rect.height));
}

std::int16_t Clamp16(int value) {
  return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

Region::Region() : handle_(std::make_unique<RegionHandle>()) {}

Region::Region(const Rect16& rect, int kind) : Region() {
  handle_->region =
      QRegion(CornerRect(rect), kind == kRegionEllipse ? QRegion::Ellipse : QRegion::Rectangle);
}

Region::Region(std::span<const RegionPoint> points) : Region() {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const RegionPoint& point : points)
    polygon.append(QPoint(point.x, point.y));
  handle_->region = QRegion(polygon, Qt::OddEvenFill);
}

Region::Region(const Region& other)
    : handle_(std::make_unique<RegionHandle>(*other.handle_)),
      offset_x_(other.offset_x_),
      offset_y_(other.offset_y_),
      tally_(other.tally_) {}

Region& Region::operator=(const Region& other) {
  handle_->region = other.handle_->region;
  offset_x_ = other.offset_x_;
  offset_y_ = other.offset_y_;
  return *this;
}

Region::~Region() = default;

void Region::Combine(const Region& other, RegionCombine operation) {
  QRegion& region = handle_->region;
  const QRegion& with = other.handle_->region;
  switch (operation) {
    case RegionCombine::kIntersect:
      region = region.intersected(with);
      break;
    case RegionCombine::kUnion:
      region = region.united(with);
      break;
    case RegionCombine::kXor:
      region = region.xored(with);
      break;
    case RegionCombine::kDifference:
      region = region.subtracted(with);
      break;
  }
}

void Region::Offset(int dx, int dy) {
  handle_->region.translate(dx, dy);
  offset_x_ += dx;
  offset_y_ += dy;
}

void Region::Reset() {
  Offset(-offset_x_, -offset_y_);
}

bool Region::Contains(int x, int y) const {
  return handle_->region.contains(QPoint(x, y));
}

bool Region::Empty() const {
  return handle_->region.isEmpty();
}

Rect16 Region::Bounds() const {
  const QRect bounds = handle_->region.boundingRect();
  if (bounds.isEmpty()) return {};
  return {Clamp16(bounds.x()), Clamp16(bounds.y()), Clamp16(bounds.width()),
          Clamp16(bounds.height())};
}

}  // namespace cbst
