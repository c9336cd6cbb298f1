// scatter.cpp: spreading the loose pieces of a window where they overlap
// nothing.
//
// The pieces are laid bottom-up through the z-order onto an occupancy grid.
// A new game fills the table from the top in a band; when the table is
// full the grid is wiped and the next pieces go on top of the first layer,
// and after two such wipes only the cells (not the tabs) are kept apart.
#include <algorithm>
#include <chrono>

#include "play/board.h"
#include "play/occupancy_grid.h"
#include "puzzle/random.h"

namespace cbst {
namespace {

// The grid never gets finer than this many pixels a cell, and coarser
// while the surface area divided by the cell size reaches the limit.
constexpr int kScatterFirstCell = 10;
constexpr int kScatterCellLimit = 65536;
// The band starts each search this many puzzle cells above the last spot.
constexpr int kBandRowsBack = 2;
// A piece may fail this often before the scatter gives up.
constexpr int kScatterFailuresAllowed = 2;
// Wipes of the grid after which only cells are kept apart.
constexpr int kRetriesBeforeCellMode = 2;
constexpr auto kScatterBusyDelay = std::chrono::milliseconds(500);

Rect16 Relative(const Rect16& rect, const Rect16& surface) {
  return {static_cast<std::int16_t>(rect.x - surface.x),
          static_cast<std::int16_t>(rect.y - surface.y), rect.width, rect.height};
}

// The host knows the spread runs until it returns, however it ends.
class SpreadRunning {
 public:
  SpreadRunning(BoardHost& host, std::uint8_t window, bool animate)
      : host_(host), window_(window), animate_(animate) {
    host_.SpreadRuns(window_, animate_, true);
  }
  ~SpreadRunning() { host_.SpreadRuns(window_, animate_, false); }
  SpreadRunning(const SpreadRunning&) = delete;
  SpreadRunning& operator=(const SpreadRunning&) = delete;

 private:
  BoardHost& host_;
  std::uint8_t window_;
  bool animate_;
};

// Shows the host busy from when the spread has lasted until it ends.
class BusyWhenLong {
 public:
  explicit BusyWhenLong(BoardHost& host) : host_(host) {}
  ~BusyWhenLong() {
    if (shown_) host_.LongWork(false);
  }
  BusyWhenLong(const BusyWhenLong&) = delete;
  BusyWhenLong& operator=(const BusyWhenLong&) = delete;
  void Check() {
    if (!shown_ && std::chrono::steady_clock::now() - started_ > kScatterBusyDelay) {
      host_.LongWork(true);
      shown_ = true;
    }
  }

 private:
  BoardHost& host_;
  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
  bool shown_ = false;
};

}  // namespace

int Board::ScatterCell(const Rect16& surface) {
  if (scatter_cell_ < kScatterFirstCell) scatter_cell_ = kScatterFirstCell;
  const long area = static_cast<long>(surface.width) * surface.height;
  while (area / scatter_cell_ >= kScatterCellLimit)
    ++scatter_cell_;
  return scatter_cell_;
}

ScatterResult Board::Scatter(std::uint8_t window, bool whole_surface, bool animate,
                             bool selection_only) {
  ScatterResult result;
  const Rect16 surface = host_.Surface(window);
  if (surface.Empty()) {
    result.done = false;
    return result;
  }
  result.cell = ScatterCell(surface);
  OccupancyGrid grid(surface.width, surface.height, result.cell);

  auto loose = [&](const SPuz& p) {
    return p.box == window && !(p.flags & kPiecePinned) && p.joined_sides == 0 &&
           (!selection_only || (p.flags & kPieceSelected));
  };
  const SpreadRunning running(host_, window, animate);
  const int total =
      static_cast<int>(std::count_if(puz_.cut.pieces.begin(), puz_.cut.pieces.end(), loose));
  int landed = 0;
  // What stays protected through every wipe of the grid: the pieces that
  // are not spread, the areas the window keeps clear and, for a selection,
  // where it lay before.
  std::vector<Rect16> fixed;
  for (const SPuz& p : puz_.cut.pieces) {
    if (p.box == window && (selection_only || !loose(p)))
      fixed.push_back(Relative(p.window, surface));
  }
  if (!whole_surface) {
    for (const Rect16& covered : host_.CoveredAreas(window, animate))
      fixed.push_back(Relative(covered, surface));
  }
  auto mark_fixed = [&] {
    grid.Clear();
    for (const Rect16& rect : fixed)
      grid.Mark(rect);
  };
  mark_fixed();

  // The bottom-most loose piece goes to the top.
  const std::vector<std::int16_t>& order = puz_.cut.z_order;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    if (loose(piece(*it))) {
      BringToFront(*it, 0);
      break;
    }
  }

  BusyWhenLong busy(host_);
  Random& random = ProgramRandom();
  const int band_rows = kBandRowsBack * puz_.cut.piece_height / grid.cell();
  bool band = true;
  bool first = true;
  int previous_row = 0;
  const std::vector<std::int16_t> bottom_up(order.rbegin(), order.rend());
  for (const std::int16_t index : bottom_up) {
    SPuz& p = piece(index);
    if (!loose(p)) continue;
    busy.Check();
    for (int failures = 0;; ++failures) {
      const int random_column = random.rand(grid.columns());
      const int random_row = random.rand(grid.rows());
      const int start_column = band ? 0 : random_column;
      const int start_row = band ? (first ? 0 : std::max(previous_row - band_rows, 0)) : random_row;
      const Rect16& size = result.cell_mode ? p.cell : p.bound;
      if (const auto spot = grid.FindFree(size.width, size.height, start_column, start_row)) {
        const int x = surface.x + spot->first * grid.cell();
        const int y = surface.y + spot->second * grid.cell();
        if (result.cell_mode) {
          MovePiece(index, animate ? kMoveRedrawNow : 0, x, y);
          grid.Mark(Relative(p.board, surface));
        } else {
          MovePiece(index, animate ? kMoveRedrawNow : 0, x + p.cell.x - p.bound.x,
                    y + p.cell.y - p.bound.y);
          grid.Mark(Relative(p.window, surface));
        }
        previous_row = spot->second;
        first = false;
        if (animate) host_.SpreadStep(++landed, total);
        break;
      }
      if (failures == kScatterFailuresAllowed) {
        result.done = false;
        return result;
      }
      // The surface is full: wipe what was spread so far and lay the next
      // pieces over it, anywhere.
      mark_fixed();
      band = false;
      if (++result.retries >= kRetriesBeforeCellMode) result.cell_mode = true;
    }
  }
  return result;
}

}  // namespace cbst
