// drag.cpp: picking pieces up, putting them down, dropping them into place,
// handing them between windows and the distance they travel.
#include <bit>
#include <cmath>

#include "play/board.h"

namespace cbst {

void Board::PickUp(int index) {
  if (puz_.dragged != kNoPiece && puz_.dragged != index) PutDown(puz_.dragged);
  puz_.carried.clear();
  SPuz& grabbed = piece(index);
  if (grabbed.joined_sides != 0 && !drag_single_) {
    std::vector<int> group = GroupOf(index);
    const Rect16 bounds = Bounds(group);
    BringToFront(index, 0);
    if (host_.LiftGroup(group, bounds)) {
      for (int member : group)
        piece(member).flags |= kPieceCarried;
      puz_.carried = std::move(group);
      puz_.carried_bounds = bounds;
    }
  }
  if (puz_.carried.empty()) {
    BringToFront(index, 0);
    host_.Redraw(grabbed.box, Bounds(GroupOf(index)));
  }
  grabbed.flags |= kPieceDragged;
  puz_.dragged = index;
}

void Board::PutDown(int index) {
  SPuz& grabbed = piece(index);
  grabbed.flags &= ~kPieceDragged;
  for (int member : puz_.carried)
    piece(member).flags &= ~kPieceCarried;
  if (!puz_.carried.empty()) host_.DropLiftedGroup();
  puz_.carried.clear();
  puz_.dragged = kNoPiece;
  if (grabbed.flags & kPieceMovedInDrag) {
    grabbed.flags &= ~kPieceMovedInDrag;
    puz_.state |= kGameChanged;
  }
}

void Board::Drop(int index, int mouse_x, int mouse_y) {
  const std::vector<int> carried = puz_.carried;
  PutDown(index);
  int joined_before = 0;
  for (const SPuz& each : puz_.cut.pieces)
    joined_before += std::popcount(each.joined_sides);

  const std::vector<int> group = carried.empty() ? GroupOf(index) : carried;
  if (group.size() > 1) Replace(index, false);
  const std::vector<int> joined = JoinAroundGroup(group);
  if (joined.empty()) {
    host_.PlaySound(BoardSound::kDrop);
  } else {
    BringToFront(joined.front(), piece(index).depth + 1);
    Replace(joined.front(), false);
    Joined();
  }
  if (group.size() == 1) Replace(index, false);
  if (!joined.empty()) host_.Sparkle(piece(index).box, mouse_x, mouse_y);
  if (piece(index).box != kTableWindow) host_.FitBox(piece(index).box);

  int joined_after = 0;
  for (const SPuz& each : puz_.cut.pieces)
    joined_after += std::popcount(each.joined_sides);
  host_.AskForSave(joined_after != joined_before);
}

void Board::Joined() {
  if (IsSolved()) {
    Complete();
    host_.PlaySound(BoardSound::kSolved);
  } else {
    host_.PlaySound(BoardSound::kJoin);
  }
}

void Board::AddMouseTravel(int dx, int dy, double millimetres) {
  puz_.mouse_travel +=
      std::sqrt(dx * millimetres * dx * millimetres + dy * millimetres * dy * millimetres);
}

void Board::MoveToWindow(int index, std::uint8_t window, int x, int y) {
  const std::vector<int> group = GroupOf(index);
  const std::uint8_t from = piece(index).box;
  // A carried group floats as one picture away from its pieces' places.
  const bool floating = !puz_.carried.empty() && (piece(index).flags & kPieceCarried);
  // Where the group was is drawn again once it has gone from there.
  const Rect16 left = Bounds(group);
  const Rect16 left_floating = puz_.carried_bounds;
  // The whole group moves by the same step, so it keeps its shape and its
  // picture moves once.
  const int dx = x - piece(index).board.x;
  const int dy = y - piece(index).board.y;
  for (int member : group) {
    SPuz& moved = piece(member);
    moved.box = window;
    moved.board.x = static_cast<std::int16_t>(moved.board.x + dx);
    moved.board.y = static_cast<std::int16_t>(moved.board.y + dy);
    UpdatePlacement(moved);
  }
  if (floating) {
    puz_.carried_bounds.x = static_cast<std::int16_t>(puz_.carried_bounds.x + dx);
    puz_.carried_bounds.y = static_cast<std::int16_t>(puz_.carried_bounds.y + dy);
    host_.Redraw(window, puz_.carried_bounds);
  }
  host_.Redraw(from, left);
  if (floating) host_.Redraw(from, left_floating);
  host_.Redraw(window, Bounds(group));
  host_.PiecesChangedWindow();
}

}  // namespace cbst
