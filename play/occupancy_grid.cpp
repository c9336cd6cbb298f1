// occupancy_grid.cpp: marking rectangles and finding free spots.
#include "play/occupancy_grid.h"

#include <algorithm>

namespace cbst {
namespace {

int CeilDiv(int value, int divisor) {
  return (value + divisor - 1) / divisor;
}

}  // namespace

OccupancyGrid::OccupancyGrid(int width, int height, int cell)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      cell_(std::max(cell, 1)),
      columns_(CeilDiv(width_, cell_)),
      rows_(CeilDiv(height_, cell_)),
      taken_(static_cast<std::size_t>(columns_ * rows_), false) {}

void OccupancyGrid::Clear() {
  std::fill(taken_.begin(), taken_.end(), false);
}

void OccupancyGrid::Mark(const Rect16& rect) {
  if (rect.Empty() || rect.LastColumn() < 0 || rect.LastRow() < 0) return;
  const int first_column = std::max(rect.x / cell_, 0);
  const int first_row = std::max(rect.y / cell_, 0);
  const int last_column = std::min(rect.LastColumn() / cell_, columns_ - 1);
  const int last_row = std::min(rect.LastRow() / cell_, rows_ - 1);
  for (int row = first_row; row <= last_row; ++row) {
    for (int column = first_column; column <= last_column; ++column)
      taken_[static_cast<std::size_t>(row * columns_ + column)] = true;
  }
}

bool OccupancyGrid::Fits(int column, int row, int span_columns, int span_rows) const {
  for (int r = row; r < row + span_rows; ++r) {
    for (int c = column; c < column + span_columns; ++c) {
      if (Taken(c, r)) return false;
    }
  }
  return true;
}

std::optional<std::pair<int, int>> OccupancyGrid::FindFree(int width, int height, int start_column,
                                                           int start_row) const {
  if (width <= 0 || height <= 0 || width > width_ || height > height_) return std::nullopt;
  const int span_columns = CeilDiv(width, cell_);
  const int span_rows = CeilDiv(height, cell_);
  // The spots from which the rectangle stays on the surface.
  const int last_column = (width_ - width) / cell_;
  const int last_row = (height_ - height) / cell_;
  start_column = std::clamp(start_column, 0, columns_ - 1);
  start_row = std::clamp(start_row, 0, rows_ - 1);
  for (int r = 0; r < rows_; ++r) {
    const int row = (start_row + r) % rows_;
    if (row > last_row) continue;
    for (int c = 0; c < columns_; ++c) {
      const int column = (start_column + c) % columns_;
      if (column <= last_column && Fits(column, row, span_columns, span_rows))
        return std::pair{column, row};
    }
  }
  return std::nullopt;
}

}  // namespace cbst
