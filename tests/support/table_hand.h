// table_hand.h: a player's hand on a real table window: presses and drags
// as the framework's mouse events, and pieces carried to their places.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "play/wpuz.h"
#include "ui/event.h"
#include "ui/event_codes.h"

namespace cbst::testing {

class TableHand {
 public:
  explicit TableHand(WPuz& table) : table_(table) {}

  void Mouse(int subcode, int x, int y, std::uint8_t modifiers = 0) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, modifiers});
    table_.Dispatch(event);
  }
  // The middle of a piece's cell, with the piece on top of everything.
  std::pair<int, int> Grip(int index) {
    board().BringToFront(index, 0);
    const Rect16& cell = board().piece(index).board;
    return {cell.x + cell.width / 2, cell.y + cell.height / 2};
  }
  // Drags a piece by (dx, dy) in steps, as a hand does.
  void DragBy(int index, int dx, int dy) {
    const auto [x, y] = Grip(index);
    Mouse(kMouseLeftDown, x, y);
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step)
      Mouse(kMouseLeftDrag, x + dx * step / kSteps, y + dy * step / kSteps);
    Mouse(kMouseLeftUp, x + dx, y + dy);
  }
  // Drags a piece so that its board rectangle's corner goes to `place`.
  void DragTo(int index, std::pair<int, int> place, int off_x = 0) {
    const Rect16& at = board().piece(index).board;
    DragBy(index, place.first + off_x - at.x, place.second - at.y);
  }
  int Neighbour(int index, int direction) {
    return board()
        .piece(index)
        .neighbour[static_cast<std::size_t>(board().SideFacing(index, direction))];
  }
  // Puts a whole puzzle together the way the pieces are numbered: piece 0
  // into the assembly area's corner, each other piece beside its left or
  // upper neighbour, which then already lies in place.
  void DragFirstToCorner() {
    const Rect16 assembly = table_.AssemblyArea();
    DragTo(0, {assembly.x + 2, assembly.y + 2});
  }
  void DragBesidePlacedNeighbour(int index) {
    const int left = Neighbour(index, kLeft);
    const int anchor = left != kNoNeighbour && left < index ? left : Neighbour(index, kUp);
    ASSERT_NE(anchor, kNoNeighbour) << index;
    DragTo(index, board().ExactPlace(anchor, index));
  }

 private:
  Board& board() { return table_.board(); }

  WPuz& table_;
};

}  // namespace cbst::testing
