// help.cpp: the automatic help that puts pieces together for the player.
#include <bit>

#include "play/board.h"
#include "puzzle/piece_sheets.h"

namespace cbst {
namespace {

// How pieces fly when help moves them, and how far inside the corner of
// the assembly area they land.
constexpr int kHelpFlightMs = 1000;
constexpr int kCornerMargin = 2;

}  // namespace

int Board::JoinedSideCount() const {
  int count = 0;
  for (const SPuz& each : puz_.cut.pieces)
    count += std::popcount(each.joined_sides);
  return count;
}

void Board::TurnGroupTo(int index, int rotation) {
  for (int member : GroupOf(index)) {
    TurnPieceBy(member, (rotation - piece(member).rotation + kSideCount) % kSideCount);
  }
  Replace(index, false);
}

void Board::FlyTo(int index, int x, int y) {
  host_.Fly(index, x, y, kHelpFlightMs);
  MovePiece(index, kMoveRedraw, x, y);
  Replace(index, false);
}

bool Board::FitsBeside(int a, int b) {
  // B's group is tried out turned as A is, without pixels, then put back
  // as it lay.
  const std::vector<int> group = GroupOf(b);
  std::vector<SPuz> pieces;
  std::vector<std::pair<std::size_t, Rect16>> tabs;
  for (int member : group) {
    pieces.push_back(piece(member));
    for (std::int16_t tab : piece(member).tab) {
      if (tab != kNoTab)
        tabs.emplace_back(static_cast<std::size_t>(tab),
                          puz_.cut.tabs[static_cast<std::size_t>(tab)]);
    }
  }
  for (int member : group) {
    TurnGeometry(puz_, piece(member),
                 (piece(a).rotation - piece(member).rotation + kSideCount) % kSideCount);
  }
  LayOutGroup(b);
  const auto [x, y] = ExactPlace(a, b);
  const Rect16 there = Bounds(group).Moved(x - piece(b).board.x, y - piece(b).board.y);
  for (std::size_t i = 0; i < group.size(); ++i)
    piece(group[i]) = pieces[i];
  for (const auto& [tab, rect] : tabs)
    puz_.cut.tabs[tab] = rect;
  const Rect16 surface = host_.Surface(kTableWindow);
  return there.x >= surface.x && there.y >= surface.y &&
         there.x + there.width <= surface.x + surface.width &&
         there.y + there.height <= surface.y + surface.height;
}

bool Board::Help() {
  if (puz_.HasOption(kOptionNoHelp) || piece_count() == 0) return false;
  puz_.state |= kGameHelping;
  const Rect16 corner = host_.AssemblyArea();
  const int corner_x = corner.x + kCornerMargin;
  const int corner_y = corner.y + kCornerMargin;

  if (!(puz_.state & kGameJoinedOrHelped) && !(piece(0).flags & kPiecePinned)) {
    TurnGroupTo(0, 0);
    FlyTo(0, corner_x, corner_y);
    puz_.state |= kGameJoinedOrHelped;
    host_.CountHelp(0);
    puz_.state &= ~kGameHelping;
    return true;
  }

  const std::vector<std::int16_t> order = puz_.cut.z_order;
  for (std::int16_t p : order) {
    if (piece(p).box != kTableWindow || (piece(p).flags & kPiecePinned)) continue;
    for (int side = 0; side < kSideCount; ++side) {
      const int n = piece(p).neighbour[side];
      if (n == kNoNeighbour || piece(n).box != kTableWindow ||
          (piece(p).joined_sides & (1u << side))) {
        continue;
      }
      int a = n, b = p;
      const std::size_t size_a = GroupOf(a).size();
      if (!(piece(a).flags & kPiecePinned)) {
        // The larger group stays; on equal sizes the higher one.
        const std::size_t size_b = GroupOf(b).size();
        if (size_b > size_a || (size_b == size_a && piece(b).board.y < piece(a).board.y))
          std::swap(a, b);
      }
      const bool a_alone = GroupOf(a).size() < 2 && !(piece(a).flags & kPiecePinned);
      // A pinned group cannot make room: a pair that would not fit beside
      // it waits for the player.
      if (pinned(a) && !FitsBeside(a, b)) continue;
      const int tack = TackCarrier(a);
      if (piece(a).rotation != piece(b).rotation) {
        if (a_alone) {
          TurnGroupTo(a, 0);
          TurnGroupTo(b, 0);
        } else {
          TurnGroupTo(b, piece(a).rotation);
        }
      }
      if (a_alone) FlyTo(a, corner_x + piece(a).home_x, corner_y + piece(a).home_y);

      // B goes next to A; when its group would leave the table there, A's
      // group makes room first.
      const int before = JoinedSideCount();
      auto [x, y] = ExactPlace(a, b);
      const Rect16 group_bounds = Bounds(GroupOf(b));
      const Rect16 surface = host_.Surface(kTableWindow);
      const int shift_x = x - piece(b).board.x;
      const int shift_y = y - piece(b).board.y;
      int scroll_x = 0, scroll_y = 0;
      const int right = group_bounds.x + group_bounds.width + shift_x;
      const int bottom = group_bounds.y + group_bounds.height + shift_y;
      if (group_bounds.x + shift_x < surface.x) scroll_x = surface.x - (group_bounds.x + shift_x);
      if (right > surface.x + surface.width) scroll_x = surface.x + surface.width - right;
      if (group_bounds.y + shift_y < surface.y) scroll_y = surface.y - (group_bounds.y + shift_y);
      if (bottom > surface.y + surface.height) scroll_y = surface.y + surface.height - bottom;
      if (scroll_x || scroll_y) {
        MovePiece(a, kMoveRedraw, piece(a).board.x + scroll_x, piece(a).board.y + scroll_y);
        Replace(a, false);
        std::tie(x, y) = ExactPlace(a, b);
      }
      FlyTo(b, x, y);
      if (const int joined = TryJoin(b); joined != kNoPiece) {
        BringToFront(joined, piece(b).depth + 1);
      }
      TryJoin(a);
      // The joins may have reached a pinned group: the rest comes to it.
      Replace(tack != kNoPiece ? tack : HeldPiece(a), false);
      puz_.state &= ~kGameHelping;
      host_.CountHelp(JoinedSideCount() - before);
      if (IsSolved()) Complete();
      return true;
    }
  }
  puz_.state &= ~kGameHelping;
  return false;
}

}  // namespace cbst
