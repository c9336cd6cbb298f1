// drag.cpp: picking pieces up, putting them down, dropping them into place,
// handing them between windows and the distance they travel.
#include <cmath>

#include "play/board.h"

namespace cbst {
namespace {

// A carried piece scrolls its window once it comes this close to an edge.
constexpr int kEdgeMargin = 2;

}  // namespace

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
  piece(index).flags &= ~kPieceEdgeSounded;
  const std::vector<int> carried = puz_.carried;
  PutDown(index);
  const int joined_before = JoinedSideCount();

  const std::vector<int> group = carried.empty() ? GroupOf(index) : carried;
  if (group.size() > 1) Replace(index, false);
  const std::vector<int> joined = JoinAroundGroup(group);
  if (joined.empty()) {
    host_.PlaySound(BoardSound::kDrop);
  } else {
    BringToFront(joined.front(), piece(index).depth + 1);
    Replace(HeldPiece(joined.front()), false);
    Joined();
  }
  if (group.size() == 1) Replace(index, false);
  if (!joined.empty()) host_.Sparkle(piece(index).box, mouse_x, mouse_y);
  if (piece(index).box != kTableWindow) host_.FitBox(piece(index).box);

  host_.AskForSave(JoinedSideCount() != joined_before);
}

DragStepResult Board::DragStep(std::uint8_t window, int index, int x, int y, const Rect16& limit,
                               bool mouse_moved) {
  SPuz& moved = piece(index);
  const Rect16 group = !puz_.carried.empty() ? puz_.carried_bounds : moved.window;
  const int dx = x - moved.board.x;
  const int dy = y - moved.board.y;
  const Rect16 there = Rect16{static_cast<std::int16_t>(group.x + dx),
                              static_cast<std::int16_t>(group.y + dy), group.width, group.height}
                           .Grown(kEdgeMargin);
  DragStepResult step;
  if (there.x < limit.x) {
    step.scroll_x = limit.x - there.x;
  } else if (there.x + there.width > limit.x + limit.width) {
    step.scroll_x = limit.x + limit.width - (there.x + there.width);
  }
  if (there.y < limit.y) {
    step.scroll_y = limit.y - there.y;
  } else if (there.y + there.height > limit.y + limit.height) {
    step.scroll_y = limit.y + limit.height - (there.y + there.height);
  }
  if (step.scroll_x == 0 && step.scroll_y == 0) {
    moved.flags &= ~kPieceEdgeSounded;
  } else {
    // Pushed into the edge: moving towards it, against the scroll.
    const bool pushed = (step.scroll_x != 0 && (step.scroll_x < 0) == (dx > 0) && dx != 0) ||
                        (step.scroll_y != 0 && (step.scroll_y < 0) == (dy > 0) && dy != 0);
    if (pushed && !(moved.flags & kPieceEdgeSounded)) {
      host_.PlaySound(BoardSound::kEdge);
      moved.flags |= kPieceEdgeSounded;
    }
    ScrollWindow(window, step.scroll_x, step.scroll_y);
  }
  MovePiece(index, kMoveRedraw, x + step.scroll_x, y + step.scroll_y);
  if (!(moved.flags & kPieceMovedInDrag) && mouse_moved) {
    moved.flags |= kPieceMovedInDrag;
    if (!solved()) host_.CountMove();
  }
  return step;
}

void Board::TurnCarried(int index, std::pair<int, int> pivot, int quarter_turns) {
  const bool counted = (piece(index).flags & kPieceMovedInDrag) != 0;
  PutDown(index);
  if (CanRotate(index)) host_.PlaySound(BoardSound::kTurn);
  Rotate(index, &pivot, quarter_turns, false);
  PickUp(index);
  if (counted) piece(index).flags |= kPieceMovedInDrag;
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
