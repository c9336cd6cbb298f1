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

// The measures of one inner edge: "along" runs with the edge, "across"
// through it.
struct Edge {
  bool right = false;
  int length = 0;  // of the cell, along
  int depth = 0;   // of the cell, across
  int piece_along = 0;
  int length_minimum = 0;
  int depth_minimum = 0;
  int redraw_below = 0;  // a shrunken knob shallower than this is drawn afresh
  int start_along = 0;
  int last_along = 0;
  int last_across = 0;
};

Edge MeasureEdge(const Cut& cut, const Rect16& cell, bool right) {
  Edge edge;
  edge.right = right;
  edge.length = right ? cell.height : cell.width;
  edge.depth = right ? cell.width : cell.height;
  edge.piece_along = right ? cut.piece_height : cut.piece_width;
  const int piece_across = right ? cut.piece_width : cut.piece_height;
  edge.length_minimum = std::max(edge.piece_along / 5, 5);
  edge.depth_minimum = std::max(piece_across / 4, 6);
  edge.redraw_below = right ? edge.length_minimum : edge.depth_minimum;
  edge.start_along = right ? cell.y : cell.x;
  edge.last_along = right ? cell.LastRow() : cell.LastColumn();
  edge.last_across = right ? cell.LastColumn() : cell.LastRow();
  return edge;
}

// The knob's depth for try `attempt`: drawn afresh on the first tries, then
// the previous depth shrunk, and drawn again once it has shrunk too far.
int KnobDepth(const Edge& edge, int attempt, int previous, bool new_rules, Random& random) {
  int knob_depth = previous;
  if (attempt >= kFirstShrinkingTry) {
    knob_depth = Truncate((1 - attempt * (1.0 / 6)) * knob_depth);
  }
  if (attempt < kFirstShrinkingTry || knob_depth < edge.redraw_below) {
    if (new_rules) {
      const int tenths =
          random.rand((edge.depth * 10) / 2 - edge.depth_minimum * 10) + edge.depth_minimum * 10;
      knob_depth = Truncate(tenths * 0.1 + 0.5);
    } else {
      knob_depth = random.rand(edge.depth / 2 - edge.depth_minimum) + edge.depth_minimum;
    }
  }
  return knob_depth;
}

// The knob's length for its depth: a short form about as long as deep, or
// a long form a little longer, within the edge's limits.
int KnobLength(const Edge& edge, int knob_depth, int attempt, bool new_rules, Random& random) {
  bool short_form = true;
  if (attempt <= kLastLongFormTry) {
    short_form = knob_depth + 1 <= edge.depth_minimum ? false : random.coin();
  }
  int knob_length = 0;
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
  knob_length = std::max(knob_length, edge.length_minimum);
  return std::min(knob_length, Truncate(edge.piece_along * 0.6));
}

// Knobs have an odd size, so that they have a middle pixel.
int Odd(int size) {
  return size + (size % 2 == 0);
}

// Where a knob of this size goes on the edge: how far it reaches back into
// the cell it leaves, and a place along the edge near the middle (on the
// second pass, just past it), clear of the corners.
Rect16 PlaceKnob(const Edge& edge, int pass, int direction, int knob_depth, int knob_length,
                 Random& random) {
  int inset = random.rand(knob_depth / 4) + std::max(knob_depth / 10, 3);
  if (knob_depth * 0.26 < inset) inset = Truncate(knob_depth * 0.26);
  if (direction == kKnobIn) inset = std::min(knob_depth - 3, knob_depth - inset);
  const int start_across = edge.last_across - inset;

  int centre = edge.start_along + edge.length / 2;
  const int shift = random.rand((edge.length - knob_length) / 2 - 2);
  if (random.coin()) {
    centre += shift;
  } else {
    centre -= shift;
  }
  if (pass == 2) centre = edge.start_along + edge.length / 2 + knob_length / 2;
  int start_along = std::max(centre - knob_length / 2, edge.start_along + kEdgeMargin);
  const int excess = start_along + knob_length - 1 - (edge.last_along - kEdgeMargin);
  if (excess > 0) start_along -= excess;

  const int depth = Odd(knob_depth);
  const int length = Odd(knob_length);
  return edge.right ? Rect16{Short(start_across), Short(start_along), Short(depth), Short(length)}
                    : Rect16{Short(start_along), Short(start_across), Short(length), Short(depth)};
}

// The tab is the same knob seen from both pieces: out of one, into the other.
void AttachTab(Cut& cut, SPuz& piece, SPuz& neighbour, int side, int direction,
               const Rect16& knob) {
  const int opposite = OppositeSide(side);
  piece.tab[side] = Short(static_cast<int>(cut.tabs.size()));
  piece.tab_direction[side] = static_cast<std::int8_t>(direction);
  cut.tabs.push_back(knob);
  neighbour.tab[opposite] = Short(static_cast<int>(cut.tabs.size()));
  neighbour.tab_direction[opposite] = static_cast<std::int8_t>(-direction);
  cut.tabs.push_back(knob);
  GrowBound(direction == kKnobOut ? piece : neighbour, knob);
}

// One inner edge of `piece`: its right side (`side` 2) or its bottom side (3),
// shared with `neighbour`. Returns whether a tab was placed.
bool CutTab(Cut& cut, SPuz& piece, SPuz& neighbour, int side, bool new_rules, Random& random) {
  const Edge edge = MeasureEdge(cut, piece.cell, side == kSideRight);
  int knob_depth = 0;  // S
  for (int pass = 1; pass <= kPasses; ++pass) {
    for (int attempt = 1; attempt <= kTriesPerPass; ++attempt) {
      knob_depth = KnobDepth(edge, attempt, knob_depth, new_rules, random);
      const int knob_length = KnobLength(edge, knob_depth, attempt, new_rules, random);  // E
      if (knob_depth <= 0 || knob_length <= 0) continue;

      int direction = kKnobOut;
      if (attempt <= kLastRandomDirectionTry) {
        const bool heads = random.coin();
        if (pass == 1 && !heads) direction = kKnobIn;
      }
      const Rect16 knob = PlaceKnob(edge, pass, direction, knob_depth, knob_length, random);
      // The next try shrinks the depth this one ended with.
      knob_depth = Odd(knob_depth);

      // The knob becomes a hole in whichever piece it reaches into; two holes
      // of one piece must stay at least a pixel apart.
      const SPuz& holed = direction == kKnobIn ? piece : neighbour;
      if (HasHoleNear(holed, cut.tabs, knob.Grown(1))) continue;
      AttachTab(cut, piece, neighbour, side, direction, knob);
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
