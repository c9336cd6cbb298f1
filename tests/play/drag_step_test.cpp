// drag_step_test.cpp: one step of a drag (the move count, the edge of the
// window) and what a press means, without any window.
#include <gtest/gtest.h>

#include <algorithm>

#include "play/board.h"
#include "play/press.h"
#include "puzzle/cut.h"
#include "support/recording_host.h"

namespace cbst {
namespace {

using testing::RecordingHost;

class DragStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CutRequest request{600, 450, 3, 3};
    Random random;
    random.Seed(7);
    puz_.cut = CutPieces(request, random);
    for (SPuz& piece : puz_.cut.pieces) {
      piece.rotation = 0;
      piece.board.x = static_cast<std::int16_t>(200 + piece.home_x * 2);
      piece.board.y = static_cast<std::int16_t>(100 + piece.home_y * 2);
      UpdatePlacement(piece);
    }
  }
  // Drags `piece` through `steps` of (dx, dy) from where it lies, with the
  // mouse counted as moved from the first step, and drops it.
  void Drag(int piece, int steps, int dx, int dy) {
    board_.PickUp(piece);
    const int x = board_.piece(piece).board.x, y = board_.piece(piece).board.y;
    for (int step = 1; step <= steps; ++step)
      board_.DragStep(kTableWindow, piece, x + step * dx, y + step * dy, host_.surface,
                      dx != 0 || dy != 0);
    board_.Drop(piece, x, y);
  }
  int EdgeSounds() const {
    return static_cast<int>(
        std::count(host_.sounds.begin(), host_.sounds.end(), BoardSound::kEdge));
  }

  Puz puz_;
  RecordingHost host_;
  Board board_{puz_, host_};
};

TEST_F(DragStepTest, ADragThatMovedCountsOneMoveHoweverLongAndTurnsAddNone) {
  Drag(4, 5, 3, 1);
  EXPECT_EQ(host_.moves, 1);
  EXPECT_TRUE(puz_.state & kGameChanged);
  Drag(4, 3, 0, 0);  // picked up and put back: no move
  EXPECT_EQ(host_.moves, 1);

  // Turns with the other buttons while carrying: still one drag.
  board_.PickUp(2);
  const int x = board_.piece(2).board.x, y = board_.piece(2).board.y;
  board_.DragStep(kTableWindow, 2, x + 5, y, host_.surface, true);
  board_.TurnCarried(2, {x + 10, y + 10}, 1);
  EXPECT_EQ(board_.dragged(), 2);
  EXPECT_EQ(board_.piece(2).rotation, 1);
  board_.TurnCarried(2, {x + 10, y + 10}, 3);
  board_.DragStep(kTableWindow, 2, x + 9, y, host_.surface, true);
  board_.Drop(2, x, y);
  EXPECT_EQ(host_.moves, 2);

  // Once solved, drags are no longer counted.
  puz_.state |= kGameSolved;
  Drag(6, 2, 4, 4);
  EXPECT_EQ(host_.moves, 2);
}

TEST_F(DragStepTest, AClickTurnCountsAMoveAndAsksForASaveAMenuTurnDoesNot) {
  const std::pair<int, int> pivot{board_.piece(4).board.x + 20, board_.piece(4).board.y + 20};
  ASSERT_TRUE(board_.PlayerTurn(4, pivot, 1, TurnFrom::kMenu));
  EXPECT_EQ(board_.piece(4).rotation, 1);
  EXPECT_EQ(host_.moves, 0);
  EXPECT_EQ(host_.save_requests, 0);
  ASSERT_TRUE(board_.PlayerTurn(4, pivot, 3, TurnFrom::kClick));
  EXPECT_EQ(board_.piece(4).rotation, 0);
  EXPECT_EQ(host_.moves, 1);
  EXPECT_EQ(host_.save_requests, 1);
  EXPECT_EQ(std::count(host_.sounds.begin(), host_.sounds.end(), BoardSound::kTurn), 2);
  // A pinned piece neither turns nor counts; once solved, turns count none.
  board_.Pin(4);
  EXPECT_FALSE(board_.PlayerTurn(4, pivot, 1, TurnFrom::kClick));
  board_.Unpin(4);
  puz_.state |= kGameSolved;
  ASSERT_TRUE(board_.PlayerTurn(4, pivot, 1, TurnFrom::kClick));
  EXPECT_EQ(host_.moves, 1);
  EXPECT_EQ(std::count(host_.sounds.begin(), host_.sounds.end(), BoardSound::kTurn), 3);
}

TEST_F(DragStepTest, TheEdgeScrollsThePiecesAndSoundsOncePerPush) {
  board_.PickUp(0);
  const int start_x = board_.piece(0).board.x, y = board_.piece(0).board.y;
  const int other_x = board_.piece(8).board.x;
  // Pushed left past the table's edge: the table's pieces scroll right so
  // that the piece stays two pixels inside.
  int x = start_x;
  for (int step = 0; step < 4; ++step) {
    x = host_.surface.x - 10 - step * 5;
    const DragStepResult moved = board_.DragStep(kTableWindow, 0, x, y, host_.surface, true);
    EXPECT_GT(moved.scroll_x, 0);
    EXPECT_EQ(moved.scroll_y, 0);
    EXPECT_EQ(board_.piece(0).window.x, host_.surface.x + 2) << step;
  }
  EXPECT_GT(board_.piece(8).board.x, other_x);  // the others went along
  EXPECT_EQ(EdgeSounds(), 1);
  // Away from the edge and back again: a new push sounds again.
  EXPECT_EQ(board_.DragStep(kTableWindow, 0, 400, y, host_.surface, true).scroll_x, 0);
  board_.DragStep(kTableWindow, 0, -50, y, host_.surface, true);
  EXPECT_EQ(EdgeSounds(), 2);
  // A drop leaves no edge contact behind.
  board_.Drop(0, 0, 0);
  EXPECT_FALSE(board_.piece(0).flags & kPieceEdgeSounded);
}

TEST(PressMeaning, KeysAndPinsDecideWhatAPressDoes) {
  auto press = [](Button button, auto&&... set) {
    PressFacts facts;
    facts.button = button;
    facts.on_piece = true;
    (set(facts), ...);
    return ClassifyPress(facts);
  };
  const auto pinned = [](PressFacts& f) { f.pinned = true; };
  const auto alt = [](PressFacts& f) { f.alt = true; };
  const auto ctrl = [](PressFacts& f) { f.ctrl = f.turn_key = true; };
  const auto in_box = [](PressFacts& f) { f.in_box = true; };
  const auto carrying = [](PressFacts& f) {
    f.carrying_piece = true;
    f.on_piece = false;
  };

  EXPECT_EQ(press(Button::kLeft).action, PressAction::kDrag);
  EXPECT_EQ(press(Button::kRight).action, PressAction::kPieceMenu);
  EXPECT_EQ(press(Button::kMiddle).action, PressAction::kNone);
  // The turn keys turn: left anticlockwise, right clockwise, middle not.
  EXPECT_EQ(press(Button::kLeft, ctrl).quarter_turns, 3);
  EXPECT_EQ(press(Button::kRight, ctrl).quarter_turns, 1);
  EXPECT_EQ(press(Button::kMiddle, ctrl).action, PressAction::kNone);
  // A pinned group: the tack comes out on the table, the group is freed in
  // a box; it never turns or is dragged.
  EXPECT_EQ(press(Button::kLeft, pinned).action, PressAction::kTakeTack);
  EXPECT_EQ(press(Button::kRight, pinned, ctrl).action, PressAction::kTakeTack);
  EXPECT_EQ(press(Button::kLeft, pinned, in_box).action, PressAction::kUnpin);
  EXPECT_EQ(press(Button::kRight, pinned).action, PressAction::kPieceMenu);
  // Alt pins and unpins; with Ctrl it shows where a neighbour belongs.
  EXPECT_EQ(press(Button::kLeft, alt).action, PressAction::kPin);
  EXPECT_EQ(press(Button::kRight, alt).action, PressAction::kNone);
  EXPECT_EQ(press(Button::kRight, alt, pinned).action, PressAction::kUnpin);
  EXPECT_EQ(press(Button::kLeft, alt, ctrl, pinned).action, PressAction::kShowWhere);
  // While carrying, the left button does nothing and the others turn.
  EXPECT_EQ(press(Button::kLeft, carrying).action, PressAction::kNone);
  EXPECT_EQ(press(Button::kRight, carrying).action, PressAction::kTurnCarried);
  EXPECT_EQ(press(Button::kRight, carrying).quarter_turns, 1);
  EXPECT_EQ(press(Button::kMiddle, carrying).quarter_turns, 3);
  EXPECT_EQ(press(Button::kLeft, [](PressFacts& f) { f.on_piece = false; }).action,
            PressAction::kOnNothing);
}

}  // namespace
}  // namespace cbst
