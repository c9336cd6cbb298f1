// game_test.cpp: a whole game, from the scatter to the last join, played
// only through the board's operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "play/board.h"
#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/random.h"
#include "support/recording_host.h"

namespace cbst {
namespace {

TEST(WholeGame, EndsSolvedExactlyWhenTheLastSideJoins) {
  constexpr int kRows = 8, kColumns = 10;
  Puz puz;
  testing::RecordingHost host;
  Board board(puz, host);
  CutRequest request{640, 480, kRows, kColumns};
  Random random;
  random.Seed(21);
  puz.cut = CutPieces(request, random);  // turned at random, below 180 pieces all of them
  puz.picture = MakeBmpMem(640, 480);
  puz.picture->Clear(0x60);
  ASSERT_TRUE(DrawPieceSheets(puz, nullptr).ok());
  for (SPuz& piece : puz.cut.pieces)
    UpdatePlacement(piece);
  ProgramRandom().Seed(4);
  ASSERT_TRUE(board.Scatter(kTableWindow, false, false).done);

  const auto all_joined = [&] {
    return std::all_of(puz.cut.pieces.begin(), puz.cut.pieces.end(), [](const SPuz& piece) {
      for (int side = 0; side < kSideCount; ++side) {
        if (piece.neighbour[side] != kNoNeighbour && !(piece.joined_sides & (1u << side)))
          return false;
      }
      return true;
    });
  };

  // Each piece is turned upright either way round, picked up, carried to
  // its place in a picture at (200, 150) give or take 2 pixels, and dropped.
  std::mt19937 player(99);
  std::vector<int> order(static_cast<std::size_t>(board.piece_count()));
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), player);
  std::uniform_int_distribution<int> jitter(-2, 2);
  for (const int index : order) {
    ASSERT_FALSE(board.IsSolved());
    const bool clockwise = player() % 2 == 0;
    while (board.piece(index).rotation != 0)
      ASSERT_TRUE(board.Rotate(index, nullptr, clockwise ? 1 : 3));
    board.PickUp(index);
    const SPuz& piece = board.piece(index);
    const int x = 200 + piece.home_x + jitter(player);
    const int y = 150 + piece.home_y + jitter(player);
    board.MovePiece(index, kMoveRedraw, x, y);
    board.Drop(index, x, y);
    EXPECT_EQ(puz.dragged, kNoPiece);
    EXPECT_EQ(board.IsSolved(), all_joined()) << index;
  }
  EXPECT_TRUE(puz.state & kGameSolved);
  EXPECT_EQ(host.joined_sides, 2 * (kRows * (kColumns - 1) + (kRows - 1) * kColumns));
  EXPECT_EQ(std::count(host.sounds.begin(), host.sounds.end(), BoardSound::kSolved), 1);
  EXPECT_EQ(host.sounds.back(), BoardSound::kSolved);
  EXPECT_EQ(host.completion, kCompletionSparkles);
  EXPECT_TRUE(host.clock_stopped);
  EXPECT_GT(host.urgent_saves, 0);
  // Solved in one piece, every piece where the picture puts it.
  const SPuz& corner = board.piece(0);
  for (const SPuz& piece : puz.cut.pieces) {
    EXPECT_EQ(piece.board.x - corner.board.x, piece.home_x);
    EXPECT_EQ(piece.board.y - corner.board.y, piece.home_y);
  }
}

}  // namespace
}  // namespace cbst
