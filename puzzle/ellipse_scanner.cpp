// ellipse_scanner.cpp: the column walk over an inscribed ellipse.
#include "puzzle/ellipse_scanner.h"

#include <algorithm>
#include <cmath>

namespace cbst {
namespace {

// Half-heights are rounded to the nearest row, except the look-ahead after a
// column worked out afresh, which rounds nearly down.
constexpr float kRounding = 0.5f;
constexpr float kRoundingAfterFresh = 0.05f;

}  // namespace

EllipseScanner::EllipseScanner(const Rect16& rect, bool rows_across) : rows_across_(rows_across) {
  // The other form is the same walk over the rectangle's mirror image.
  const int left = rows_across ? rect.y : rect.x;
  const int top = rows_across ? rect.x : rect.y;
  const int width = rows_across ? rect.height : rect.width;
  const int height = rows_across ? rect.width : rect.height;
  first_column_ = left;
  a_ = static_cast<float>(width - 1) * 0.5f;
  b_ = static_cast<float>(height - 1) * 0.5f;
  a_squared_ = static_cast<int>(a_ * a_);
  ratio_ = a_ > 0 ? b_ / a_ : 0.0f;
  centre_column_ = static_cast<int>(static_cast<float>(left) + a_);
  centre_row_ = static_cast<int>(static_cast<float>(top) + b_);
  column_ = left;
}

bool EllipseScanner::Next(EllipseStep& step) {
  if (column_ > centre_column_) return false;
  const int dx = column_ - centre_column_;
  // A rectangle one pixel wide is one column of its full height.
  const auto half_height = [this](int offset, float rounding) {
    if (a_ <= 0) return static_cast<int>(b_ + rounding);
    const float under = static_cast<float>(std::max(0, a_squared_ - offset * offset));
    return static_cast<int>(std::sqrt(under) * ratio_ + rounding);
  };
  const bool cached = next_half_ != kHalfUnknown;
  const int half = cached ? next_half_ : half_height(dx, kRounding);
  step.first = column_ == first_column_;
  step.column = column_;
  step.mirror = centre_column_ - dx;
  step.bottom = step.inner_bottom = centre_row_ + half;
  step.top = step.inner_top = centre_row_ - half;

  int next;
  if (column_ + 1 < centre_column_ - 1) {
    next = half_height(dx + 1, cached ? kRounding : kRoundingAfterFresh);
    if (step.first) next = std::max(half + 2, next);
    // Never beyond the rectangle: a tab one pixel high stays one row.
    next = std::min(next, static_cast<int>(b_));
  } else {
    next = static_cast<int>(b_);
  }
  if (half + 1 < next) {
    // Consecutive columns join without a gap.
    step.bottom = centre_row_ + next - 1;
    step.top = centre_row_ - next + 1;
  }
  next_half_ = next;
  ++column_;
  return true;
}

}  // namespace cbst
