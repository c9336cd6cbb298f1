// The player's mouse on a window of pieces: carrying, dropping and turning,
// driven by the framework's mouse events.
#include <gtest/gtest.h>

#include <algorithm>

#include "play/wspuz.h"
#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/random.h"
#include "support/recording_host.h"
#include "ui/event_codes.h"

namespace cbst {
namespace {

class TableMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Random random;
    random.Seed(5);
    puz_.cut = CutPieces(CutRequest{640, 480, 4, 5}, random);
    puz_.picture = MakeBmpMem(640, 480);
    puz_.picture->Clear(0x60);
    ASSERT_TRUE(DrawPieceSheets(puz_, nullptr).ok());
    for (SPuz& piece : puz_.cut.pieces)
      UpdatePlacement(piece);
    ProgramRandom().Seed(8);
    ASSERT_TRUE(board_.Scatter(kTableWindow, false, false).done);
    top_ = puz_.cut.z_order.front();
    const Rect16 cell = board_.piece(top_).board;
    x_ = cell.x + cell.width / 2;
    y_ = cell.y + cell.height / 2;
    ASSERT_EQ(board_.HitTest(kTableWindow, x_, y_), top_);
  }

  void Mouse(int subcode, int x, int y, std::uint8_t modifiers = 0) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, modifiers});
    window_.Dispatch(event);
  }
  Rect16 Place() { return board_.piece(top_).board; }
  int Rotation() { return board_.piece(top_).rotation; }

  Puz puz_;
  testing::RecordingHost host_;
  Board board_{puz_, host_};
  PlayState play_;
  WSPuz window_{board_, host_, kTableWindow, play_};
  int top_ = 0;
  int x_ = 0;
  int y_ = 0;
};

TEST_F(TableMouseTest, TheCarriedPieceFollowsTheMouseAndCountsOneMove) {
  const Rect16 start = Place();
  Mouse(kMouseLeftDown, x_, y_);
  EXPECT_EQ(window_.dragged(), top_);
  Mouse(kMouseLeftDrag, x_ + 3, y_);
  Mouse(kMouseLeftDrag, x_ + 41, y_ + 29);
  EXPECT_EQ(Place().x, start.x + 41);
  EXPECT_EQ(Place().y, start.y + 29);
  Mouse(kMouseLeftUp, x_ + 41, y_ + 29);
  EXPECT_EQ(window_.dragged(), kNoPiece);
  EXPECT_EQ(host_.moves, 1) << "however long the drag";
  ASSERT_GE(host_.sounds.size(), 2u);
  EXPECT_EQ(host_.sounds.front(), BoardSound::kPickUp);
  EXPECT_EQ(host_.sounds.back(), BoardSound::kDrop);
}

TEST_F(TableMouseTest, AClickWithoutMovingCountsNoMove) {
  const Rect16 start = Place();
  Mouse(kMouseLeftDown, x_, y_);
  Mouse(kMouseLeftDrag, x_, y_);
  Mouse(kMouseLeftUp, x_, y_);
  EXPECT_EQ(host_.moves, 0);
  EXPECT_EQ(Place(), start);
}

TEST_F(TableMouseTest, CtrlWithAClickTurnsThePieceAboutThePoint) {
  const int before = Rotation();
  Mouse(kMouseLeftDown, x_, y_, kModControl);
  Mouse(kMouseLeftUp, x_, y_, kModControl);
  EXPECT_EQ(Rotation(), (before + 3) % 4) << "the left button turns anticlockwise";
  EXPECT_EQ(window_.dragged(), kNoPiece) << "a turn carries nothing";
  EXPECT_EQ(board_.HitTest(kTableWindow, x_, y_), top_) << "the point stays on the piece";
  Mouse(kMouseRightDown, x_, y_, kModControl);
  EXPECT_EQ(Rotation(), before);
  EXPECT_EQ(host_.moves, 2);

  puz_.option_flags |= kOptionNoRotable;
  Mouse(kMouseRightDown, x_, y_, kModControl);
  EXPECT_EQ(Rotation(), before);
  EXPECT_EQ(host_.moves, 2) << "a piece that may not turn counts nothing";
}

TEST_F(TableMouseTest, TheRightButtonTurnsTheCarriedPieceAndTheDragGoesOn) {
  const int before = Rotation();
  Mouse(kMouseLeftDown, x_, y_);
  Mouse(kMouseLeftDrag, x_ + 20, y_ + 10);
  Mouse(kMouseRightDown, x_ + 20, y_ + 10);
  EXPECT_EQ(Rotation(), (before + 1) % 4);
  EXPECT_EQ(window_.dragged(), top_);
  EXPECT_EQ(host_.sounds.back(), BoardSound::kTurn);
  Mouse(kMouseMiddleDown, x_ + 20, y_ + 10);
  EXPECT_EQ(Rotation(), before);
  const Rect16 turned = Place();
  Mouse(kMouseLeftDrag, x_ + 30, y_ + 10);
  EXPECT_EQ(Place().x, turned.x + 10) << "carried on from where it was turned";
  Mouse(kMouseLeftUp, x_ + 30, y_ + 10);
  EXPECT_EQ(window_.dragged(), kNoPiece);
}

}  // namespace
}  // namespace cbst
