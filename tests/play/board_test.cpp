// board_test.cpp: groups, the 5-pixel join, re-placement, z-order, the
// completion test and hits, on real cuts with a recording host.
#include "play/board.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "support/gui_environment.h"
#include "support/recording_host.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

using testing::RecordingHost;

class BoardTest : public ::testing::Test {
 protected:
  // A rows x columns cut of a 600 x 450 picture, unturned unless `turned`,
  // every piece a long way from its neighbours.
  void Cut(int rows, int columns, bool sheets = false, bool turned = false) {
    CutRequest request{600, 450, rows, columns};
    request.no_rotation = !turned;
    Random random;
    random.Seed(turned ? 5 : 3);
    puz_.cut = CutPieces(request, random);
    if (!turned) puz_.option_flags |= kOptionNoRotable;
    if (sheets) {
      puz_.picture = MakeBmpMem(600, 450);
      puz_.picture->Clear(0x80);
      ASSERT_TRUE(DrawPieceSheets(puz_, nullptr).ok());
    }
    for (SPuz& piece : puz_.cut.pieces) {
      piece.board.x = static_cast<std::int16_t>(piece.home_x * 3);
      piece.board.y = static_cast<std::int16_t>(piece.home_y * 3);
      UpdatePlacement(piece);
    }
  }
  // Puts `piece` at its place next to `anchor`, off by (dx, dy).
  void PlaceNear(int anchor, int piece, int dx, int dy) {
    const SPuz& a = board_.piece(anchor);
    const SPuz& p = board_.piece(piece);
    board_.MovePiece(piece, 0, a.board.x + p.home_x - a.home_x + dx,
                     a.board.y + p.home_y - a.home_y + dy);
  }

  Puz puz_;
  RecordingHost host_;
  Board board_{puz_, host_};
};

TEST_F(BoardTest, NeighboursWithinFivePixelsJoin) {
  Cut(3, 3);
  PlaceNear(0, 1, 5, -5);
  PlaceNear(0, 3, 6, 0);
  EXPECT_EQ(board_.TryJoin(0, true), 1);  // probing changes nothing
  EXPECT_EQ(board_.piece(0).joined_sides, 0);
  EXPECT_EQ(board_.TryJoin(0), 1);
  EXPECT_EQ(board_.piece(0).joined_sides, 1u << kSideRight);
  EXPECT_EQ(board_.piece(1).joined_sides, 1u << kSideLeft);
  EXPECT_EQ(host_.joined_sides, 2);
  EXPECT_TRUE(puz_.state & kGameJoinedOrHelped);
  PlaceNear(0, 3, 0, 6);
  EXPECT_EQ(board_.TryJoin(0), kNoPiece);

  // Turned differently, or in another window: no join.
  PlaceNear(1, 2, 0, 0);
  board_.piece(2).rotation = 1;
  EXPECT_EQ(board_.TryJoin(1), kNoPiece);
  board_.piece(2).rotation = 0;
  board_.piece(2).box = 0;
  EXPECT_EQ(board_.TryJoin(1), kNoPiece);
  board_.piece(2).box = kTableWindow;
  puz_.state |= kGameNoJoining;
  EXPECT_EQ(board_.TryJoin(1), kNoPiece);
  puz_.state &= ~kGameNoJoining;
  EXPECT_EQ(board_.TryJoin(1), 2);
}

TEST_F(BoardTest, ClosingABlockJoinsEveryInnerSide) {
  Cut(3, 3);
  PlaceNear(0, 1, 0, 0);
  PlaceNear(0, 3, 0, 0);
  board_.TryJoin(0);
  EXPECT_EQ(host_.joined_sides, 4);
  // Piece 4 joins 1 (or 3), and the loop through the other closes too.
  PlaceNear(0, 4, 2, 1);
  EXPECT_NE(board_.TryJoin(4), kNoPiece);
  EXPECT_EQ(host_.joined_sides, 8);
  EXPECT_EQ(board_.piece(4).joined_sides, (1u << kSideLeft) | (1u << kSideTop));
  EXPECT_EQ(board_.piece(0).joined_sides, (1u << kSideRight) | (1u << kSideBottom));
  // Breadth first, looking left, up, right, down.
  EXPECT_EQ(board_.GroupOf(4), (std::vector<int>{4, 3, 1, 0}));
  EXPECT_EQ(board_.GroupOf(0), (std::vector<int>{0, 1, 3, 4}));
}

TEST_F(BoardTest, JoiningAPinnedPiecePinsTheGroup) {
  Cut(2, 3);
  board_.piece(1).flags |= kPiecePinned | kPieceThumbtack;
  PlaceNear(1, 0, 0, 0);
  PlaceNear(0, 3, 0, 0);
  board_.TryJoin(3);  // 3 joins 0, which is still loose
  EXPECT_FALSE(board_.piece(3).flags & kPiecePinned);
  board_.TryJoin(0);  // 0 joins the pinned 1
  for (int member : {0, 1, 3})
    EXPECT_TRUE(board_.piece(member).flags & kPiecePinned) << member;
  EXPECT_TRUE(board_.piece(1).flags & kPieceThumbtack);
  EXPECT_FALSE(board_.piece(0).flags & kPieceThumbtack);
}

TEST_F(BoardTest, ReplacePutsTheGroupAtItsExactPlaces) {
  Cut(3, 3);
  for (int piece : {1, 3, 4})
    PlaceNear(0, piece, 3, -2);
  board_.TryJoin(0);
  board_.TryJoin(4);
  board_.MovePiece(0, 0, 700, 500);
  host_.progress.clear();
  board_.Replace(0, false);
  // Its progress, labelled, once for each piece put back.
  EXPECT_EQ(host_.progress, (std::vector<double>{-kReplacingMessage, 0, 25, 50, 75}));
  host_.progress.clear();
  board_.Replace(2, false);
  EXPECT_TRUE(host_.progress.empty()) << "a piece alone is no work to show";
  for (int piece : {1, 3, 4}) {
    EXPECT_EQ(board_.piece(piece).board.x - 700, board_.piece(piece).home_x) << piece;
    EXPECT_EQ(board_.piece(piece).board.y - 500, board_.piece(piece).home_y) << piece;
  }
  EXPECT_EQ(host_.locks, 0);
  // The window rectangle follows the board position.
  const SPuz& piece = board_.piece(4);
  EXPECT_EQ(piece.window.x - piece.board.x, piece.bound.x - piece.cell.x);
}

// Solved exactly at the last join is played out in the whole-game test.
TEST_F(BoardTest, AskingWhetherSolvedIsOnlyAskingAndTheCompletionIsShownOnce) {
  Cut(1, 1);
  EXPECT_TRUE(board_.IsSolved());  // one piece: every side a border
  EXPECT_FALSE(puz_.state & kGameSolved);
  EXPECT_EQ(host_.completion, 0);
  EXPECT_FALSE(host_.clock_stopped);
  const int redraws = host_.redraws;
  board_.Complete();
  board_.Complete();
  EXPECT_TRUE(puz_.state & kGameSolved);
  EXPECT_EQ(host_.completion, kCompletionSparkles);
  EXPECT_TRUE(host_.clock_stopped);
  EXPECT_EQ(host_.redraws, redraws + 1);
}

TEST_F(BoardTest, HitsFollowTheMaskAndTheZOrder) {
  Cut(2, 2, true);
  board_.MovePiece(0, 0, 100, 100);
  board_.MovePiece(1, 0, 120, 110);  // over piece 0 in part, but below it
  const SPuz& first = board_.piece(0);
  EXPECT_EQ(board_.HitTest(kTableWindow, 101, 101), 0);
  EXPECT_EQ(board_.HitTest(kTableWindow, 100 + first.cell.width - 2, 110), 0);
  board_.BringToFront(1, 0);
  EXPECT_EQ(board_.HitTest(kTableWindow, 100 + first.cell.width - 2, 112), 1);
  EXPECT_EQ(board_.HitTest(0, 101, 101), kNoPiece);  // another window
  EXPECT_EQ(board_.HitTest(kTableWindow, 10, 10), kNoPiece);
}

TEST_F(BoardTest, DroppingNearItsPlaceJoinsAndSnaps) {
  Cut(3, 3);
  PlaceNear(0, 1, 0, 0);
  board_.TryJoin(0);
  // Piece 4 dropped 4 pixels off below piece 1.
  board_.PickUp(4);
  EXPECT_EQ(puz_.dragged, 4);
  EXPECT_EQ(puz_.cut.z_order.front(), 4);
  PlaceNear(1, 4, 4, -3);
  board_.piece(4).flags |= kPieceMovedInDrag;
  board_.Drop(4, 10, 10);
  EXPECT_EQ(puz_.dragged, kNoPiece);
  EXPECT_TRUE(puz_.state & kGameChanged);
  EXPECT_EQ(host_.sounds.back(), BoardSound::kJoin);
  EXPECT_EQ(board_.GroupOf(4).size(), 3u);
  // Snapped to its exact place.
  EXPECT_EQ(board_.piece(4).board.x - board_.piece(0).board.x, board_.piece(4).home_x);
  EXPECT_EQ(board_.piece(4).board.y - board_.piece(0).board.y, board_.piece(4).home_y);
  // Dropped far away: the drop sound, nothing joined.
  board_.PickUp(8);
  board_.Drop(8, 0, 0);
  EXPECT_EQ(host_.sounds.back(), BoardSound::kDrop);
}

TEST_F(BoardTest, ACarriedGroupMovesAsOnePictureUntilItIsDropped) {
  Cut(3, 3);
  host_.lift = true;
  PlaceNear(0, 1, 0, 0);
  board_.TryJoin(0);
  board_.PickUp(0);
  ASSERT_EQ(puz_.carried.size(), 2u);
  EXPECT_EQ(host_.lifted, 2);
  const Rect16 bounds = puz_.carried_bounds;
  const Rect16 other = board_.piece(1).board;
  board_.MovePiece(0, kMoveRedraw, board_.piece(0).board.x + 30, board_.piece(0).board.y - 20);
  EXPECT_EQ(puz_.carried_bounds.x, bounds.x + 30);
  EXPECT_EQ(puz_.carried_bounds.y, bounds.y - 20);
  EXPECT_EQ(board_.piece(1).board.x, other.x);  // follows only at the drop
  board_.Drop(0, 0, 0);
  EXPECT_EQ(host_.lifted, 0);
  EXPECT_TRUE(puz_.carried.empty());
  EXPECT_EQ(board_.piece(1).board.x, other.x + 30);
  EXPECT_EQ(board_.piece(1).board.y, other.y - 20);
}

class TurningTest : public BoardTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Cut(3, 3, true, true)); }
  // Turns `piece` to rotation 0.
  void Unturn(int piece) {
    while (board_.piece(piece).rotation != 0)
      TurnPiece(puz_, board_.piece(piece), 1);
  }
};

TEST_F(TurningTest, TurningIntoPlaceJoinsWithoutADrop) {
  Unturn(0);
  Unturn(1);
  PlaceNear(0, 1, 2, 2);
  TurnPiece(puz_, board_.piece(1), 3);  // one turn short of fitting
  EXPECT_EQ(board_.TryJoin(1), kNoPiece);
  ASSERT_TRUE(board_.Rotate(1, nullptr, 1));
  EXPECT_EQ(board_.piece(1).rotation, 0);
  EXPECT_EQ(board_.piece(1).joined_sides, 1u << kSideLeft);
  EXPECT_EQ(host_.sounds.back(), BoardSound::kJoin);
}

TEST_F(TurningTest, ATurnChangesTheSameGeometryWithOrWithoutSheets) {
  // The same cut without any pixels, turned by the board; the one with
  // sheets turned by the sheets themselves.
  Puz bare;
  bare.cut = puz_.cut;
  RecordingHost host;
  Board board(bare, host);
  for (int index = 0; index < board.piece_count(); ++index) {
    const int turns = 1 + index % 3;
    ASSERT_TRUE(board.Rotate(index, nullptr, turns, false));
    SPuz& drawn = board_.piece(index);
    TurnPiece(puz_, drawn, turns);
    const SPuz& turned = board.piece(index);
    EXPECT_EQ(turned.rotation, drawn.rotation) << index;
    EXPECT_EQ(turned.cell, drawn.cell) << index;
    EXPECT_EQ(turned.bound, drawn.bound) << index;
    for (int side = 0; side < kSideCount; ++side) {
      if (drawn.tab[side] == kNoTab) continue;
      const auto tab = static_cast<std::size_t>(drawn.tab[side]);
      EXPECT_EQ(bare.cut.tabs[tab], puz_.cut.tabs[tab]) << index << " " << side;
    }
  }
}

TEST_F(TurningTest, AGroupTurnsAsOneAndKeepsItsShape) {
  for (int piece : {0, 1, 3})
    Unturn(piece);
  board_.MovePiece(0, 0, 500, 400);  // room all round, so no scrolling back
  PlaceNear(0, 1, 0, 0);
  PlaceNear(0, 3, 0, 0);
  board_.TryJoin(0);
  const std::pair<int, int> pivot{board_.piece(0).window.x + 7, board_.piece(0).window.y + 5};
  ASSERT_TRUE(board_.Rotate(0, &pivot, 1));
  for (int piece : {0, 1, 3})
    EXPECT_EQ(board_.piece(piece).rotation, 1) << piece;
  // Turned clockwise: 1 (right of 0) is now below it, 3 (below) left of it.
  EXPECT_EQ(board_.piece(1).board.x, board_.piece(0).board.x);
  EXPECT_EQ(board_.piece(1).board.y, board_.piece(0).board.y + board_.piece(0).board.height);
  EXPECT_EQ(board_.piece(3).board.x + board_.piece(3).board.width, board_.piece(0).board.x);
  // The pivot stays over the same point of piece 0: its top left corner
  // 7 across and 5 down is now 5 in from the right and 7 down.
  const Rect16& window = board_.piece(0).window;
  EXPECT_EQ(pivot.first, window.x + window.width - 1 - 5);
  EXPECT_EQ(pivot.second, window.y + 7);
  // At the table's edge the turned group is scrolled back onto it.
  board_.MovePiece(0, kMoveReplaceGroup, 0, 0);
  ASSERT_TRUE(board_.Rotate(0, nullptr, 1));
  EXPECT_GE(board_.Bounds(board_.GroupOf(0)).x, 0);

  board_.piece(0).flags |= kPiecePinned;
  EXPECT_FALSE(board_.Rotate(0, nullptr, 1));
  board_.piece(0).flags &= ~kPiecePinned;
  puz_.option_flags |= kOptionNoRotable;
  EXPECT_FALSE(board_.Rotate(0, nullptr, 3));
}

TEST_F(BoardTest, HelpStartsInTheCornerThenJoinsOnePairEachTime) {
  Cut(3, 3);
  ASSERT_TRUE(board_.Help());
  EXPECT_EQ(board_.piece(0).board.x, 1102);
  EXPECT_EQ(board_.piece(0).board.y, 2);
  EXPECT_EQ(host_.help_costs, std::vector<int>{0});
  EXPECT_TRUE(puz_.state & kGameJoinedOrHelped);
  EXPECT_FALSE(puz_.state & kGameHelping);

  int helps = 0;
  while (board_.Help()) {
    ++helps;
    ASSERT_LE(helps, 20);
    EXPECT_GE(host_.help_costs.back(), 2);  // at least one pair joined
  }
  EXPECT_TRUE(board_.IsSolved());
  EXPECT_TRUE(puz_.state & kGameSolved);  // the last help completes the puzzle
  EXPECT_EQ(host_.completion, kCompletionSparkles);
  EXPECT_LE(helps, 12);  // 12 inner edges, some closed as loops
  // Solved: nothing left to help with.
  EXPECT_FALSE(board_.Help());
}

TEST_F(BoardTest, HelpFailsAndChangesNothingWhenEverythingIsHeldOrBoxed) {
  Cut(2, 2);
  puz_.state |= kGameJoinedOrHelped;
  board_.piece(0).flags |= kPiecePinned;
  board_.piece(1).flags |= kPiecePinned;
  board_.piece(2).box = 0;
  board_.piece(3).box = 1;
  std::vector<Rect16> before;
  for (const SPuz& piece : puz_.cut.pieces)
    before.push_back(piece.board);
  EXPECT_FALSE(board_.Help());
  for (std::size_t index = 0; index < before.size(); ++index) {
    EXPECT_EQ(puz_.cut.pieces[index].board, before[index]);
  }
  EXPECT_TRUE(host_.help_costs.empty());
  puz_.option_flags |= kOptionNoHelp;
  board_.piece(1).flags &= ~kPiecePinned;
  EXPECT_FALSE(board_.Help());
}

TEST_F(BoardTest, PinnedGroupsHoldWhenHelpAndTurnsJoinToThem) {
  Cut(1, 2);
  puz_.option_flags &= ~kOptionNoRotable;
  puz_.state |= kGameJoinedOrHelped;
  // Piece 0 lies turned; pinned 1 is too close to the left edge for 0 to
  // fit beside it: the help leaves the pair alone, 0 not even turned.
  TurnGeometry(puz_, board_.piece(0), 3);
  board_.MovePiece(1, 0, 50, 300);
  board_.Pin(1);
  const SPuz before = board_.piece(0);
  EXPECT_FALSE(board_.Help());
  EXPECT_EQ(board_.piece(0).rotation, 3);
  EXPECT_EQ(board_.piece(0).cell, before.cell);
  EXPECT_EQ(board_.piece(0).window, before.window);
  EXPECT_EQ(board_.piece(1).board.x, 50);
  // With room, 0 is turned and brought to the pinned 1, which stays.
  board_.MovePiece(1, 0, 700, 300);
  ASSERT_TRUE(board_.Help());
  EXPECT_EQ(board_.piece(1).board.x, 700);
  EXPECT_EQ(board_.piece(1).board.y, 300);
  EXPECT_EQ(board_.piece(0).joined_sides, 1u << kSideRight);
  EXPECT_TRUE(board_.pinned(0));

  // A turn that joins a piece to a pinned group brings the piece to it.
  board_.Unpin(1);
  board_.piece(0).joined_sides = board_.piece(1).joined_sides = 0;
  TurnGeometry(puz_, board_.piece(0), 3);
  PlaceNear(1, 0, 3, -2);
  board_.Pin(1);
  ASSERT_TRUE(board_.Rotate(0, nullptr, 1));
  EXPECT_EQ(board_.piece(0).joined_sides, 1u << kSideRight);
  EXPECT_EQ(board_.piece(1).board.x, 700);
  EXPECT_EQ(board_.piece(1).board.y, 300);
  EXPECT_EQ(board_.ExactPlace(1, 0),
            std::make_pair(int{board_.piece(0).board.x}, int{board_.piece(0).board.y}));
}

TEST(BoardSides, AnImpossibleSideIsReported) {
  testing::RecordingSink sink;
  EXPECT_EQ(OppositeSideChecked(3), 1);
  EXPECT_EQ(OppositeSideChecked(7), 2);
  EXPECT_EQ(sink.texts(), std::vector<std::string>{kBadSideMessage});
}

}  // namespace
}  // namespace cbst
