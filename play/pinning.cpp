// pinning.cpp: the thumbtack holding groups in place, scrolling a window's
// pieces, and the side of a piece a point lies towards.
#include <cstdlib>

#include "play/board.h"

namespace cbst {

void Board::Pin(int index) {
  for (int member : GroupOf(index)) {
    SPuz& held = piece(member);
    held.flags |= kPiecePinned;
    held.flags &= ~kPieceThumbtack;
  }
  piece(index).flags |= kPieceThumbtack;
  host_.Redraw(piece(index).box, Bounds(GroupOf(index)));
  puz_.state |= kGameChanged;
}

void Board::Unpin(int index) {
  const std::vector<int> group = GroupOf(index);
  for (int member : group)
    piece(member).flags &= ~(kPiecePinned | kPieceThumbtack);
  host_.Redraw(piece(index).box, Bounds(group));
  puz_.state |= kGameChanged;
}

int Board::TackCarrier(int index) {
  if (!pinned(index)) return kNoPiece;
  for (int member : GroupOf(index))
    if (piece(member).flags & kPieceThumbtack) return member;
  return index;
}

int Board::PullTack(int index) {
  BringToFront(index, 0);
  const int carrier = TackCarrier(index);
  Unpin(index);
  return carrier;
}

void Board::LiftTack(int carrier) {
  piece(carrier).flags &= ~kPieceThumbtack;
}

int Board::HeldPiece(int index) {
  const int tack = TackCarrier(index);
  return tack != kNoPiece ? tack : index;
}

void Board::ScrollWindow(std::uint8_t window, int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  for (SPuz& each : puz_.cut.pieces) {
    if (each.box != window) continue;
    each.board.x = static_cast<std::int16_t>(each.board.x + dx);
    each.board.y = static_cast<std::int16_t>(each.board.y + dy);
    UpdatePlacement(each);
  }
  if (!puz_.carried.empty() && piece(puz_.carried.front()).box == window) {
    puz_.carried_bounds.x = static_cast<std::int16_t>(puz_.carried_bounds.x + dx);
    puz_.carried_bounds.y = static_cast<std::int16_t>(puz_.carried_bounds.y + dy);
  }
  host_.Redraw(window, host_.Surface(window));
  puz_.state |= kGameChanged;
}

int Board::SideTowards(int index, int x, int y) {
  const Rect16& cell = piece(index).board;
  const int dx = x - (cell.x + cell.width / 2);
  const int dy = y - (cell.y + cell.height / 2);
  int direction = kDown;
  if (dx < 0 && std::abs(dy) < -dx) {
    direction = kLeft;
  } else if (dx >= 0 && std::abs(dy) < dx) {
    direction = kRight;
  } else if (dy < 0) {
    direction = kUp;
  }
  return SideFacing(index, direction);
}

}  // namespace cbst
