// ellipse_scanner.h: the columns of an ellipse inscribed in a tab rectangle.
//
// Knobs, holes and their bevels are all drawn from the same walk, so that a
// knob and the hole it fits into, which share one tab rectangle, meet to the
// pixel. The walk goes from the rectangle's left column to its centre
// column; each step gives a column, its mirror about the centre, and the
// rows where the ellipse leaves the column. Its other form walks rows
// instead, for pieces lying at an odd rotation.
#pragma once

#include "base/rect16.h"

namespace cbst {

// The next half-height before the walk has worked it out.
inline constexpr int kHalfUnknown = -10000;

struct EllipseStep {
  int column = 0;  // rows, in the odd-rotation form
  int mirror = 0;
  int top = 0;  // first and last row the step covers (columns in the other form)
  int bottom = 0;
  // The rows where the ellipse itself leaves the column; top and bottom
  // reach further where the column is extended to meet the next one.
  int inner_top = 0;
  int inner_bottom = 0;
  bool first = false;
};

class EllipseScanner {
 public:
  // `rows_across` walks the rows of `rect` instead of its columns.
  EllipseScanner(const Rect16& rect, bool rows_across = false);

  // The next step; false once the centre has been passed.
  bool Next(EllipseStep& step);

  int centre_column() const { return centre_column_; }
  int centre_row() const { return centre_row_; }

 private:
  int first_column_ = 0;
  float a_ = 0;
  float b_ = 0;
  int a_squared_ = 0;
  float ratio_ = 0;
  int centre_column_ = 0;
  int centre_row_ = 0;
  int column_ = 0;
  int next_half_ = kHalfUnknown;
  bool rows_across_ = false;
};

}  // namespace cbst
