// cut_test.cpp: the generator and the properties every cut must have.
#include "puzzle/cut.h"

#include <gtest/gtest.h>

#include <tuple>

#include "puzzle/make_piezas.h"

namespace cbst {
namespace {

TEST(Random, PublishedFirstNumbers) {
  Random random;
  random.Seed(1);
  EXPECT_EQ(random.Next(), 5540);
  EXPECT_EQ(random.Next(), 221838220);
  EXPECT_EQ(random.Next(), 695693412);
  EXPECT_EQ(random.Next(), 1410949376);
  random.Seed(12345);
  EXPECT_EQ(random.Next(), 68391300);
  EXPECT_EQ(random.Next(), 482790092);
  EXPECT_EQ(random.Next(), 218732710);
}

TEST(Random, RandAndCoinDrawExactlyWhatTheySay) {
  Random counted;
  Random reference;
  counted.Seed(99);
  reference.Seed(99);
  EXPECT_EQ(counted.rand(0), 0);  // draws nothing
  EXPECT_EQ(counted.rand(-7), reference.Next() % 7);
  const bool heads = counted.coin();
  for (int discard = 0; discard < 7; ++discard)
    reference.Next();
  EXPECT_EQ(heads, reference.Next() % 1000 < 500);
  EXPECT_EQ(counted.state(), reference.state());
}

Cut CutWith(CutRequest request, std::uint32_t seed) {
  Random random;
  random.Seed(seed);
  return CutPieces(request, random);
}

// (width, height, rows, columns, seed, cutting rules)
using CutCase = std::tuple<int, int, int, int, std::uint32_t, int>;

class CutProperties : public ::testing::TestWithParam<CutCase> {
 protected:
  CutRequest Request() const {
    const auto [width, height, rows, columns, seed, rules] = GetParam();
    return {static_cast<std::int16_t>(width), static_cast<std::int16_t>(height), rows, columns,
            static_cast<std::int16_t>(rules)};
  }
  std::uint32_t Seed() const { return std::get<4>(GetParam()); }
};

TEST_P(CutProperties, CellsTileThePictureRowByRowAndColumnByColumn) {
  const CutRequest request = Request();
  const Cut cut = CutWith(request, Seed());
  ASSERT_EQ(cut.pieces.size(), static_cast<std::size_t>(request.rows * request.columns));
  const float cell_width = static_cast<float>(request.picture_width) / request.columns;
  for (int row = 0; row < request.rows; ++row) {
    for (int column = 0; column < request.columns; ++column) {
      const SPuz& piece = cut.pieces[static_cast<std::size_t>(row * request.columns + column)];
      EXPECT_EQ(piece.id, row * request.columns + column);
      EXPECT_GT(piece.cell.width, 0);
      EXPECT_GT(piece.cell.height, 0);
      if (column == 0) {
        EXPECT_EQ(piece.cell.x, 0);
      }
      if (row == 0) {
        EXPECT_EQ(piece.cell.y, 0);
      }
      if (column + 1 < request.columns) {
        EXPECT_EQ(cut.pieces[piece.id + 1u].cell.x, piece.cell.LastColumn() + 1);
        EXPECT_EQ(cut.pieces[piece.id + 1u].cell.y, piece.cell.y);
      } else {
        const int end = static_cast<int>(request.columns * static_cast<long double>(cell_width));
        EXPECT_EQ(piece.cell.LastColumn() + 1, end);
        EXPECT_GE(end, request.picture_width - 1);
      }
      if (row + 1 < request.rows) {
        EXPECT_EQ(cut.pieces[piece.id + static_cast<unsigned>(request.columns)].cell.y,
                  piece.cell.LastRow() + 1);
      }
      EXPECT_EQ(piece.home_x, piece.cell.x);
      EXPECT_EQ(piece.home_y, piece.cell.y);
    }
  }
}

TEST_P(CutProperties, EveryTabIsOddAndSharedByTwoNeighboursWithOppositeDirections) {
  const Cut cut = CutWith(Request(), Seed());
  std::vector<int> uses(cut.tabs.size(), 0);
  for (const SPuz& piece : cut.pieces) {
    for (int side = 0; side < kSideCount; ++side) {
      if (piece.tab[side] == kNoTab) {
        EXPECT_EQ(piece.tab_direction[side], 0);
        continue;
      }
      ++uses[static_cast<std::size_t>(piece.tab[side])];
      const Rect16& knob = cut.tabs[static_cast<std::size_t>(piece.tab[side])];
      EXPECT_EQ(knob.width % 2, 1);
      EXPECT_EQ(knob.height % 2, 1);
      ASSERT_NE(piece.neighbour[side], kNoNeighbour);
      const SPuz& other = cut.pieces[static_cast<std::size_t>(piece.neighbour[side])];
      const int opposite = OppositeSide(side);
      ASSERT_NE(other.tab[opposite], kNoTab);
      EXPECT_EQ(other.tab_direction[opposite], -piece.tab_direction[side]);
      EXPECT_EQ(cut.tabs[static_cast<std::size_t>(other.tab[opposite])], knob);
      EXPECT_NE(other.tab[opposite], piece.tab[side]);
    }
  }
  for (int count : uses)
    EXPECT_EQ(count, 1);
}

TEST_P(CutProperties, HolesOfOnePieceNeverTouchAndBoundsHoldTheKnobs) {
  const Cut cut = CutWith(Request(), Seed());
  for (const SPuz& piece : cut.pieces) {
    EXPECT_TRUE(piece.bound.Contains(piece.cell));
    bool has_knob = false;
    for (int side = 0; side < kSideCount; ++side) {
      if (piece.tab[side] == kNoTab) continue;
      const Rect16& tab = cut.tabs[static_cast<std::size_t>(piece.tab[side])];
      if (piece.tab_direction[side] == kKnobOut) {
        has_knob = true;
        EXPECT_TRUE(piece.bound.Contains(tab)) << "piece " << piece.id << " side " << side;
        continue;
      }
      for (int other = side + 1; other < kSideCount; ++other) {
        if (piece.tab_direction[other] != kKnobIn) continue;
        EXPECT_FALSE(tab.Grown(1).Overlaps(cut.tabs[static_cast<std::size_t>(piece.tab[other])]))
            << "piece " << piece.id;
      }
    }
    if (has_knob) {
      EXPECT_EQ(piece.bound.width % 2, 0);
      EXPECT_EQ(piece.bound.height % 2, 0);
    } else {
      EXPECT_EQ(piece.bound, piece.cell);
    }
  }
}

TEST_P(CutProperties, TheSameInputsGiveTheSameCut) {
  const Cut first = CutWith(Request(), Seed());
  const Cut second = CutWith(Request(), Seed());
  EXPECT_EQ(first.tabs, second.tabs);
  ASSERT_EQ(first.pieces.size(), second.pieces.size());
  for (std::size_t index = 0; index < first.pieces.size(); ++index) {
    EXPECT_EQ(first.pieces[index].rotation, second.pieces[index].rotation);
    EXPECT_EQ(first.pieces[index].bound, second.pieces[index].bound);
    EXPECT_EQ(first.pieces[index].tab_direction, second.pieces[index].tab_direction);
  }
}

TEST_P(CutProperties, ResumingDrawsTheRotationsWithoutUsingThem) {
  CutRequest resumed = Request();
  resumed.resume = true;
  const Cut fresh = CutWith(Request(), Seed());
  const Cut again = CutWith(resumed, Seed());
  EXPECT_EQ(again.tabs, fresh.tabs);
  for (const SPuz& piece : again.pieces)
    EXPECT_EQ(piece.rotation, 0);
}

TEST_P(CutProperties, NoDeformGivesPlainRectangles) {
  CutRequest request = Request();
  request.no_tabs = true;
  const Cut cut = CutWith(request, Seed());
  EXPECT_TRUE(cut.tabs.empty());
  for (const SPuz& piece : cut.pieces) {
    EXPECT_EQ(piece.bound, piece.cell);
    EXPECT_EQ(piece.tab, (std::array<std::int16_t, 4>{-1, -1, -1, -1}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    SizesGridsAndSeeds, CutProperties,
    ::testing::Values(CutCase{640, 480, 3, 4, 1, 230}, CutCase{640, 480, 3, 4, 1, 200},
                      CutCase{1600, 900, 18, 24, 12345, 230}, CutCase{1600, 900, 18, 24, 7, 219},
                      CutCase{1917, 1063, 25, 40, 424242, 230}, CutCase{1917, 1063, 25, 40, 5, 100},
                      CutCase{333, 777, 7, 3, 99, 230}, CutCase{100, 100, 10, 10, 3, 230},
                      CutCase{1920, 1080, 50, 100, 2026, 230}, CutCase{61, 47, 1, 1, 8, 230},
                      CutCase{1001, 999, 1, 13, 17, 230}, CutCase{1001, 999, 13, 1, 17, 200}));

TEST(Cut, NoRotableDrawsNothingForTheTurns) {
  CutRequest request{800, 600, 6, 8};
  request.no_rotation = true;
  const Cut fixed = CutWith(request, 31);
  for (const SPuz& piece : fixed.pieces)
    EXPECT_EQ(piece.rotation, 0);
  request.no_rotation = false;
  const Cut turned = CutWith(request, 31);
  EXPECT_NE(fixed.tabs, turned.tabs);

  // Without the turns, the tab search starts right at the seed.
  CutRequest no_turns_no_tabs = request;
  no_turns_no_tabs.no_rotation = true;
  no_turns_no_tabs.no_tabs = true;
  Random random;
  random.Seed(31);
  CutPieces(no_turns_no_tabs, random);
  EXPECT_EQ(random.state(), 31u);
}

TEST(Cut, LargePuzzlesLeaveAboutThreeInTenPiecesUnturned) {
  const auto unturned_share = [](int rows, int columns) {
    int unturned = 0;
    int pieces = 0;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      const Cut cut = CutWith({1600, 1000, rows, columns}, seed);
      for (const SPuz& piece : cut.pieces)
        unturned += piece.rotation == 0;
      pieces += static_cast<int>(cut.pieces.size());
    }
    return static_cast<double>(unturned) / pieces;
  };
  // Small: a quarter come out at rotation 0; large: 0.3 + 0.7 / 4.
  EXPECT_NEAR(unturned_share(12, 14), 0.25, 0.03);
  EXPECT_NEAR(unturned_share(15, 12), 0.475, 0.03);
}

TEST(MakePiezas, ARestoredGameFindsTheSamePiecesWithItsOwnRules) {
  Puz game;
  game.level = 1;
  game.level_rows = {2, 6, 0, 0, 0, 0};
  game.level_columns = {3, 8, 0, 0, 0, 0};
  game.game_seed = 4711;
  game.cutting_rules = 100;
  Random random;
  random.Seed(game.game_seed);
  ASSERT_EQ(MakePiezas(game, 800, 600, random).code(), 0);
  EXPECT_EQ(game.cutting_rules, kCuttingRulesCurrent);
  EXPECT_EQ(game.cut.pieces.size(), 48u);

  Puz restored;
  restored.level = game.level;
  restored.level_rows = game.level_rows;
  restored.level_columns = game.level_columns;
  restored.game_seed = game.game_seed;
  restored.cutting_rules = game.cutting_rules;
  restored.state = game.state | kStateRestoring;
  random.Seed(1);  // restoring seeds the generator itself
  ASSERT_EQ(MakePiezas(restored, 800, 600, random).code(), 0);
  EXPECT_EQ(restored.cut.tabs, game.cut.tabs);

  restored.cutting_rules = 200;
  ASSERT_EQ(MakePiezas(restored, 800, 600, random).code(), 0);
  EXPECT_EQ(restored.cutting_rules, 200);
  EXPECT_NE(restored.cut.tabs, game.cut.tabs);
}

}  // namespace
}  // namespace cbst
