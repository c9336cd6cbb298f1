// occupancy_grid.h: OccupancyGrid, the table as square cells taken or free.
//
// Spreading pieces asks one question thousands of times: where is the next
// free spot for a rectangle of this size? A coarse bit grid answers it
// without comparing rectangles with each other.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "base/rect16.h"

namespace cbst {

class OccupancyGrid {
 public:
  // A surface of width x height pixels in cells of cell x cell pixels; the
  // last column and row of cells may reach past the surface.
  OccupancyGrid(int width, int height, int cell);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  int cell() const { return cell_; }

  void Clear();
  // Takes every cell the rectangle (in surface pixels) touches.
  void Mark(const Rect16& rect);
  bool Taken(int column, int row) const {
    return taken_[static_cast<std::size_t>(row * columns_ + column)];
  }

  // The first cell, scanning each row from `start_column` and the rows from
  // `start_row`, both wrapping around, from which a width x height pixel
  // rectangle lies on free cells and inside the surface.
  std::optional<std::pair<int, int>> FindFree(int width, int height, int start_column,
                                              int start_row) const;

 private:
  bool Fits(int column, int row, int span_columns, int span_rows) const;

  int width_;
  int height_;
  int cell_;
  int columns_;
  int rows_;
  std::vector<bool> taken_;
};

}  // namespace cbst
