// scatter_test.cpp: spreading real cuts over a full-HD table, and a whole
// game played through the board's operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "play/board.h"
#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/random.h"
#include "support/recording_host.h"

namespace cbst {
namespace {

using testing::RecordingHost;

bool Overlap(const Rect16& a, const Rect16& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

struct TableCase {
  int pieces;
  int width;
  int height;
  int rows;
  int columns;
};

class ScatterTest : public ::testing::TestWithParam<TableCase> {
 protected:
  void CutUnturned(int width, int height, int rows, int columns) {
    CutRequest request{static_cast<std::int16_t>(width), static_cast<std::int16_t>(height), rows,
                       columns};
    request.no_rotation = true;
    Random random;
    random.Seed(11);
    puz_.cut = CutPieces(request, random);
    for (SPuz& piece : puz_.cut.pieces)
      UpdatePlacement(piece);
  }

  Puz puz_;
  RecordingHost host_;
  Board board_{puz_, host_};
};

// A picture reduced to about half the table, cut from 100 to 5000 pieces.
// The 100 pieces fit side by side; the larger cuts fill the table and are
// laid over it in layers.
INSTANTIATE_TEST_SUITE_P(FullHd, ScatterTest,
                         ::testing::Values(TableCase{100, 800, 450, 10, 10},
                                           TableCase{1000, 1350, 760, 25, 40},
                                           TableCase{5000, 1350, 760, 50, 100}),
                         [](const auto& test) { return std::to_string(test.param.pieces); });

TEST_P(ScatterTest, PiecesLieApartAndClearOfTheCoveredAreas) {
  const TableCase table = GetParam();
  CutUnturned(table.width, table.height, table.rows, table.columns);
  host_.covered = {{1120, 0, 800, 500}, {0, 1040, 300, 40}};
  // A pinned piece and a joined pair stay, and nothing lands on them.
  board_.MovePiece(0, 0, 700, 300);
  board_.piece(0).flags |= kPiecePinned;
  board_.MovePiece(1, 0, 900, 700);
  board_.MovePiece(2, 0, 900 + board_.piece(1).board.width, 700);
  ASSERT_EQ(board_.TryJoin(1), 2);
  const std::vector<Rect16> held = {board_.piece(0).window, board_.piece(1).window,
                                    board_.piece(2).window};

  int bottom_loose = puz_.cut.z_order.back();
  for (auto it = puz_.cut.z_order.rbegin(); *it <= 2; ++it)
    bottom_loose = *(it + 1);

  ProgramRandom().Seed(77);
  const ScatterResult result = board_.Scatter(kTableWindow, false, false);
  ASSERT_TRUE(result.done);
  EXPECT_EQ(result.cell, 32);  // 1920 * 1080 / 31 still reaches 65536
  EXPECT_EQ(board_.piece(0).window.x, held[0].x);
  EXPECT_EQ(board_.piece(1).window.y, held[1].y);
  // The bottom-most loose piece went to the top; the first piece laid, now
  // the bottom-most, starts the band in the top left corner.
  EXPECT_EQ(puz_.cut.z_order.front(), bottom_loose);
  int first_laid = puz_.cut.z_order.back();
  for (auto it = puz_.cut.z_order.rbegin(); *it <= 2; ++it)
    first_laid = *(it + 1);
  EXPECT_EQ(board_.piece(first_laid).window.x, 0);
  EXPECT_EQ(board_.piece(first_laid).window.y, 0);

  // Bottom-up through the z-order, a piece overlaps only pieces laid
  // before the last time the table filled up.
  const Rect16& surface = host_.surface;
  std::vector<Rect16> layer;
  int layers = 1;
  for (auto it = puz_.cut.z_order.rbegin(); it != puz_.cut.z_order.rend(); ++it) {
    const SPuz& piece = board_.piece(*it);
    if (*it <= 2) continue;
    const Rect16 kept = result.cell_mode ? piece.board : piece.window;
    EXPECT_TRUE(surface.Contains(kept)) << *it;
    for (const Rect16& area : host_.covered)
      ASSERT_FALSE(Overlap(kept, area)) << *it;
    for (const Rect16& rect : held)
      ASSERT_FALSE(Overlap(kept, rect)) << *it;
    if (std::any_of(layer.begin(), layer.end(),
                    [&](const Rect16& r) { return Overlap(r, kept); })) {
      layer.clear();
      ++layers;
    }
    layer.push_back(kept);
  }
  EXPECT_LE(layers, result.retries + 1);
  if (table.pieces == 100) {
    EXPECT_EQ(result.retries, 0);
    // Two draws for every search, band or not.
    Random expected;
    expected.Seed(77);
    for (int draw = 0; draw < 2 * (table.pieces - 3); ++draw)
      expected.Next();
    EXPECT_EQ(ProgramRandom().state(), expected.state());
    // The band goes on along the top row: the second piece laid lies in
    // the first free grid column right of the first.
    auto it = std::find(puz_.cut.z_order.rbegin(), puz_.cut.z_order.rend(), first_laid) + 1;
    while (*it <= 2)
      ++it;
    const Rect16& first = board_.piece(first_laid).window;
    const Rect16& second = board_.piece(*it).window;
    EXPECT_EQ(second.y, 0);
    EXPECT_EQ(second.x, (first.width + result.cell - 1) / result.cell * result.cell);
  }
  if (table.pieces == 5000) {
    EXPECT_TRUE(result.cell_mode);
  }
}

TEST_F(ScatterTest, TooSmallATableKeepsOnlyCellsApartThenGivesUp) {
  CutUnturned(200, 200, 2, 2);
  Rect16 largest{};
  for (const SPuz& piece : puz_.cut.pieces) {
    largest.width = std::max(largest.width, piece.cell.width);
    largest.height = std::max(largest.height, piece.cell.height);
  }
  ScatterResult result = board_.Scatter(kTableWindow, true, false);
  EXPECT_EQ(result.retries, 0);
  // Room for one cell at a time, not for a piece with its tabs.
  host_.surface = {0, 0, largest.width, largest.height};
  result = board_.Scatter(kTableWindow, true, false);
  EXPECT_TRUE(result.done);
  EXPECT_TRUE(result.cell_mode);
  EXPECT_GE(result.retries, 2);
  EXPECT_EQ(result.cell, 32);  // kept from an earlier, larger table
  for (const SPuz& piece : puz_.cut.pieces)
    EXPECT_TRUE(host_.surface.Contains(piece.board));

  // No room even for a cell: the pieces stay where they are.
  for (SPuz& piece : puz_.cut.pieces) {
    piece.board.x = 500;
    piece.board.y = 600;
    UpdatePlacement(piece);
  }
  host_.surface.width = static_cast<std::int16_t>(largest.width / 2);
  result = board_.Scatter(kTableWindow, true, false);
  EXPECT_FALSE(result.done);
  for (const SPuz& piece : puz_.cut.pieces)
    EXPECT_EQ(piece.board.x, 500);
}

}  // namespace
}  // namespace cbst
