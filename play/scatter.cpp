// scatter.cpp: spreading the loose pieces of a window where they overlap
// nothing.
//
// The pieces are laid bottom-up through the z-order onto an occupancy grid.
// A new game fills the table from the top in a band; when the table is
// full the grid is wiped and the next pieces go on top of the first layer,
// and after two such wipes only the cells (not the tabs) are kept apart.
#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

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

// Where the pieces of one spread go: the grid with what stays protected,
// the band that fills the surface from the top, and whether the pieces are
// kept apart by their whole images or by their cells only.
class SpreadPlan {
 public:
  SpreadPlan(const Rect16& surface, int cell, std::vector<Rect16> fixed, int band_rows)
      : surface_(surface),
        grid_(surface.width, surface.height, cell),
        fixed_(std::move(fixed)),
        band_rows_(band_rows) {
    MarkFixed();
  }

  // A free grid cell for the piece, or none when the surface is full. Two
  // random numbers are drawn for every search, also when the band decides
  // where it starts.
  std::optional<std::pair<int, int>> Search(const SPuz& piece, Random& random) const {
    const int random_column = random.rand(grid_.columns());
    const int random_row = random.rand(grid_.rows());
    const int start_column = band_ ? 0 : random_column;
    const int start_row =
        band_ ? (first_ ? 0 : std::max(previous_row_ - band_rows_, 0)) : random_row;
    const Rect16& size = ApartBy(piece);
    return grid_.FindFree(size.width, size.height, start_column, start_row);
  }

  // The board position that puts the piece's image (or cell) on the spot.
  std::pair<int, int> BoardPosition(const SPuz& piece, std::pair<int, int> spot) const {
    const int x = surface_.x + spot.first * grid_.cell();
    const int y = surface_.y + spot.second * grid_.cell();
    if (cell_mode_) return {x, y};
    return {x + piece.cell.x - piece.bound.x, y + piece.cell.y - piece.bound.y};
  }

  // The piece lies on the spot: nothing else goes there.
  void Take(const SPuz& piece, std::pair<int, int> spot) {
    grid_.Mark(Relative(cell_mode_ ? piece.board : piece.window, surface_));
    previous_row_ = spot.second;
    first_ = false;
  }

  // The surface is full: what was spread so far is given up to the next
  // pieces, laid over it anywhere; after enough wipes only the cells are
  // kept apart.
  void Wipe() {
    MarkFixed();
    band_ = false;
    if (++wipes_ >= kRetriesBeforeCellMode) cell_mode_ = true;
  }

  int wipes() const { return wipes_; }
  bool cell_mode() const { return cell_mode_; }

 private:
  const Rect16& ApartBy(const SPuz& piece) const { return cell_mode_ ? piece.cell : piece.bound; }
  void MarkFixed() {
    grid_.Clear();
    for (const Rect16& rect : fixed_)
      grid_.Mark(rect);
  }

  Rect16 surface_;
  OccupancyGrid grid_;
  std::vector<Rect16> fixed_;
  int band_rows_;
  bool band_ = true;
  bool first_ = true;
  int previous_row_ = 0;
  int wipes_ = 0;
  bool cell_mode_ = false;
};

}  // namespace

int Board::ScatterCell(const Rect16& surface) {
  if (scatter_cell_ < kScatterFirstCell) scatter_cell_ = kScatterFirstCell;
  const long area = static_cast<long>(surface.width) * surface.height;
  while (area / scatter_cell_ >= kScatterCellLimit)
    ++scatter_cell_;
  return scatter_cell_;
}

bool Board::Loose(const SPuz& p, std::uint8_t window, bool selection_only) const {
  return p.box == window && !(p.flags & kPiecePinned) && p.joined_sides == 0 &&
         (!selection_only || (p.flags & kPieceSelected));
}

std::vector<Rect16> Board::KeptClear(std::uint8_t window, const Rect16& surface, bool whole_surface,
                                     bool animate, bool selection_only) {
  // The pieces that are not spread and, for a selection, where its pieces
  // lay before; the areas the window keeps clear unless the whole surface
  // is asked for.
  std::vector<Rect16> fixed;
  for (const SPuz& p : puz_.cut.pieces) {
    if (p.box == window && (selection_only || !Loose(p, window, selection_only)))
      fixed.push_back(Relative(p.window, surface));
  }
  if (!whole_surface) {
    for (const Rect16& covered : host_.CoveredAreas(window, animate))
      fixed.push_back(Relative(covered, surface));
  }
  return fixed;
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
  const SpreadRunning running(host_, window, animate);
  const auto loose = [&](const SPuz& p) { return Loose(p, window, selection_only); };
  const int total =
      static_cast<int>(std::count_if(puz_.cut.pieces.begin(), puz_.cut.pieces.end(), loose));
  SpreadPlan plan(surface, result.cell,
                  KeptClear(window, surface, whole_surface, animate, selection_only),
                  kBandRowsBack * puz_.cut.piece_height / result.cell);

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
  int landed = 0;
  const std::vector<std::int16_t> bottom_up(order.rbegin(), order.rend());
  for (const std::int16_t index : bottom_up) {
    SPuz& p = piece(index);
    if (!loose(p)) continue;
    busy.Check();
    for (int failures = 0;; ++failures) {
      if (const auto spot = plan.Search(p, random)) {
        const auto [x, y] = plan.BoardPosition(p, *spot);
        MovePiece(index, animate ? kMoveRedrawNow : 0, x, y);
        plan.Take(p, *spot);
        if (animate) host_.SpreadStep(++landed, total);
        break;
      }
      if (failures == kScatterFailuresAllowed) {
        result.done = false;
        break;
      }
      plan.Wipe();
    }
    if (!result.done) break;
  }
  result.retries = plan.wipes();
  result.cell_mode = plan.cell_mode();
  return result;
}

}  // namespace cbst
