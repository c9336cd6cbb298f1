// cut.cpp: the grid, the quarter turns and the tab search of a cut.
#include "puzzle/cut.h"

#include <algorithm>
#include <cmath>

namespace cbst {
namespace {

constexpr int kTurns = 4;
constexpr int kTurnedInTen = 7;  // in large puzzles, seven pieces in ten are turned
constexpr int kPasses = 2;
constexpr int kTriesPerPass = 8;
constexpr int kFirstShrinkingTry = 4;
constexpr int kLastLongFormTry = 4;
constexpr int kLastRandomDirectionTry = 6;
constexpr int kEdgeMargin = 2;  // a tab keeps this far from the cell's corners

int Truncate(double value) {
  return static_cast<int>(value);
}
std::int16_t Short(int value) {
  return static_cast<std::int16_t>(value);
}
int RaiseToEven(int value) {
  return value % 2 ? value + 1 : value;
}

void LayGrid(const CutRequest& request, Cut& cut) {
  const int width = request.picture_width;
  const int height = request.picture_height;
  const int rows = request.rows;
  const int columns = request.columns;
  cut.piece_width = Short(static_cast<int>(std::lround(static_cast<double>(width) / columns)));
  cut.piece_height = Short(static_cast<int>(std::lround(static_cast<double>(height) / rows)));

  // The cell size is a 32-bit float, multiplied out in extended precision:
  // the last cell may end one pixel short of the picture.
  const float cell_width = static_cast<float>(width) / static_cast<float>(columns);
  const float cell_height = static_cast<float>(height) / static_cast<float>(rows);
  const auto edge = [](int index, float size) {
    return static_cast<int>(std::trunc(static_cast<long double>(index) * size));
  };
  const auto extent = [](int index, float size, int start) {
    return static_cast<int>(std::trunc(static_cast<long double>(index + 1) * size - start));
  };

  cut.pieces.assign(static_cast<std::size_t>(rows * columns), SPuz{});
  cut.z_order.resize(cut.pieces.size());
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const int id = row * columns + column;
      SPuz& piece = cut.pieces[static_cast<std::size_t>(id)];
      const int x0 = edge(column, cell_width);
      const int y0 = edge(row, cell_height);
      piece.cell = {Short(x0), Short(y0), Short(extent(column, cell_width, x0)),
                    Short(extent(row, cell_height, y0))};
      piece.bound = piece.cell;
      piece.home_x = Short(x0);
      piece.home_y = Short(y0);
      piece.id = static_cast<std::uint16_t>(id);
      piece.depth = Short(id);
      if (column > 0) piece.neighbour[kSideLeft] = Short(id - 1);
      if (row > 0) piece.neighbour[kSideTop] = Short(id - columns);
      if (column < columns - 1) piece.neighbour[kSideRight] = Short(id + 1);
      if (row < rows - 1) piece.neighbour[kSideBottom] = Short(id + columns);
      cut.z_order[static_cast<std::size_t>(id)] = Short(id);
    }
  }
}

void TurnPieces(const CutRequest& request, Cut& cut, Random& random) {
  if (request.no_rotation) return;
  const bool many = cut.pieces.size() >= static_cast<std::size_t>(kManyPieces);
  for (SPuz& piece : cut.pieces) {
    int rotation = 0;
    if (!many || random.rand(10) < kTurnedInTen) rotation = random.rand(kTurns);
    if (!request.resume) piece.rotation = static_cast<std::int8_t>(rotation);
  }
}

void GrowBound(SPuz& piece, const Rect16& knob) {
  Rect16 bound = piece.bound.United(knob);
  bound.width = Short(RaiseToEven(bound.width));
  bound.height = Short(RaiseToEven(bound.height));
  piece.bound = bound;
}

bool HasHoleNear(const SPuz& piece, const std::vector<Rect16>& tabs, const Rect16& area) {
  for (int side = 0; side < kSideCount; ++side) {
    if (piece.tab_direction[side] == kKnobIn &&
        tabs[static_cast<std::size_t>(piece.tab[side])].Overlaps(area)) {
      return true;
    }
  }
  return false;
}

// One inner edge of `piece`: its right side (`side` 2) or its bottom side (3),
// shared with `neighbour`. Returns whether a tab was placed.
bool CutTab(Cut& cut, SPuz& piece, SPuz& neighbour, int side, bool new_rules, Random& random) {
  const bool right = side == kSideRight;
  const Rect16 cell = piece.cell;
  // "Along" runs with the edge, "across" through it.
  const int length = right ? cell.height : cell.width;
  const int depth = right ? cell.width : cell.height;
  const int piece_along = right ? cut.piece_height : cut.piece_width;
  const int piece_across = right ? cut.piece_width : cut.piece_height;
  const int length_minimum = std::max(piece_along / 5, 5);
  const int depth_minimum = std::max(piece_across / 4, 6);
  const int redraw_below = right ? length_minimum : depth_minimum;
  const int cell_start_along = right ? cell.y : cell.x;
  const int cell_last_along = right ? cell.LastRow() : cell.LastColumn();
  const int cell_last_across = right ? cell.LastColumn() : cell.LastRow();

  int knob_depth = 0;   // S
  int knob_length = 0;  // E
  for (int pass = 1; pass <= kPasses; ++pass) {
    for (int attempt = 1; attempt <= kTriesPerPass; ++attempt) {
      if (attempt >= kFirstShrinkingTry) {
        knob_depth = Truncate((1 - attempt * (1.0 / 6)) * knob_depth);
      }
      if (attempt < kFirstShrinkingTry || knob_depth < redraw_below) {
        if (new_rules) {
          const int tenths =
              random.rand((depth * 10) / 2 - depth_minimum * 10) + depth_minimum * 10;
          knob_depth = Truncate(tenths * 0.1 + 0.5);
        } else {
          knob_depth = random.rand(depth / 2 - depth_minimum) + depth_minimum;
        }
      }

      bool short_form = true;
      if (attempt <= kLastLongFormTry) {
        short_form = knob_depth + 1 <= depth_minimum ? false : random.coin();
      }
      if (short_form && new_rules) {
        const int tenths = random.rand(Truncate(knob_depth * 1.9)) + knob_depth * 8;
        knob_length = Truncate(tenths * 0.1 + 0.5);
      } else if (short_form) {
        knob_length = Truncate(random.rand(Truncate(knob_depth * 0.19)) + knob_depth * 0.8);
      } else if (new_rules) {
        const int tenths = Truncate(random.rand(Truncate(knob_depth * 1.5)) + knob_depth * 10.3);
        knob_length = Truncate(tenths * 0.1 + 0.5);
      } else {
        knob_length = Truncate(random.rand(Truncate(knob_depth * 0.15)) + knob_depth * 1.03);
      }
      knob_length = std::max(knob_length, length_minimum);
      knob_length = std::min(knob_length, Truncate(piece_along * 0.6));
      if (knob_depth <= 0 || knob_length <= 0) continue;

      int direction = kKnobOut;
      if (attempt <= kLastRandomDirectionTry) {
        const bool heads = random.coin();
        if (pass == 1 && !heads) direction = kKnobIn;
      }

      int inset = random.rand(knob_depth / 4) + std::max(knob_depth / 10, 3);
      if (knob_depth * 0.26 < inset) inset = Truncate(knob_depth * 0.26);
      if (direction == kKnobIn) inset = std::min(knob_depth - 3, knob_depth - inset);
      const int start_across = cell_last_across - inset;

      int centre = cell_start_along + length / 2;
      const int shift = random.rand((length - knob_length) / 2 - 2);
      if (random.coin()) {
        centre += shift;
      } else {
        centre -= shift;
      }
      if (pass == 2) centre = cell_start_along + length / 2 + knob_length / 2;
      int start_along = std::max(centre - knob_length / 2, cell_start_along + kEdgeMargin);
      const int excess = start_along + knob_length - 1 - (cell_last_along - kEdgeMargin);
      if (excess > 0) start_along -= excess;

      knob_depth += knob_depth % 2 == 0;
      knob_length += knob_length % 2 == 0;
      const Rect16 knob = right ? Rect16{Short(start_across), Short(start_along), Short(knob_depth),
                                         Short(knob_length)}
                                : Rect16{Short(start_along), Short(start_across),
                                         Short(knob_length), Short(knob_depth)};

      // The knob becomes a hole in whichever piece it reaches into; two holes
      // of one piece must stay at least a pixel apart.
      const SPuz& holed = direction == kKnobIn ? piece : neighbour;
      if (HasHoleNear(holed, cut.tabs, knob.Grown(1))) continue;

      const int opposite = OppositeSide(side);
      piece.tab[side] = Short(static_cast<int>(cut.tabs.size()));
      piece.tab_direction[side] = static_cast<std::int8_t>(direction);
      cut.tabs.push_back(knob);
      neighbour.tab[opposite] = Short(static_cast<int>(cut.tabs.size()));
      neighbour.tab_direction[opposite] = static_cast<std::int8_t>(-direction);
      cut.tabs.push_back(knob);
      GrowBound(direction == kKnobOut ? piece : neighbour, knob);
      return true;
    }
  }
  return false;
}

void CutTabs(const CutRequest& request, Cut& cut, Random& random) {
  if (request.no_tabs) return;
  const bool new_rules = request.cutting_rules >= kCuttingRulesNewSizes;
  for (SPuz& piece : cut.pieces) {
    for (int side : {kSideRight, kSideBottom}) {
      const int neighbour = piece.neighbour[side];
      if (neighbour == kNoNeighbour) continue;
      CutTab(cut, piece, cut.pieces[static_cast<std::size_t>(neighbour)], side, new_rules, random);
    }
  }
}

}  // namespace

Cut CutPieces(const CutRequest& request, Random& random) {
  Cut cut;
  if (request.rows <= 0 || request.columns <= 0) return cut;
  cut.rows = request.rows;
  cut.columns = request.columns;
  LayGrid(request, cut);
  TurnPieces(request, cut, random);
  CutTabs(request, cut, random);
  return cut;
}

}  // namespace cbst
