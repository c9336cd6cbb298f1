// carried_layer_test.cpp: a carried group composed over the layer saved
// under it shows, after any drag, exactly the pixels a repaint of the
// whole table shows, in every display format and with every kind of shadow.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <numeric>
#include <random>
#include <tuple>

#include "gfx/display_format.h"
#include "platform/key_state.h"
#include "support/table_fixture.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

struct Display {
  const char* name;
  int bits;
  int mode;
  bool bit_fields;  // 5-6-5 masks at 16 bits
};
const Display kDisplays[] = {{"Direct32", 32, kModeDirectPixels, false},
                             {"Raster32", 32, kModeRasterOps, false},
                             {"Direct24", 24, kModeDirectPixels, false},
                             {"Direct565", 16, kModeDirectPixels, true},
                             {"Raster555", 16, kModeRasterOps, false}};
const ShadowSettings kShadows[] = {{}, {false, true}, {true, false}};
const char* const kShadowNames[] = {"Shadow", "SolidShadow", "NoShadow"};

constexpr int kBlock = 3;  // the group: kBlock x kBlock pieces
constexpr int kDrags = 14;
constexpr int kMaxStep = 45;

class CarriedLayer : public testing::TableTest<CarriedLayer>,
                     public ::testing::WithParamInterface<std::tuple<int, int>> {
 public:
  static testing::SuitePuzzle Puzzle() { return {"Quarry", {6}, {8}, 41, 0x306090}; }

 protected:
  void SetUp() override {
    const auto [display, shadows] = GetParam();
    const Display& wanted = kDisplays[display];
    saved_ = CurrentDisplayFormat();
    CurrentDisplayFormat() = wanted.bit_fields
                                 ? DisplayFormat::FromMasks(wanted.bits, 0xF800, 0x07E0, 0x001F)
                                 : DisplayFormat::Standard(wanted.bits);
    CurrentDisplayFormat().mode = wanted.mode;
    ASSERT_NO_FATAL_FAILURE(TableTest::SetUp());
    // Enter left down by an earlier test would turn every press into a
    // rubber band.
    NoteKey(kVkReturn, false);
    table_->set_shadows(kShadows[shadows]);
    ASSERT_NO_FATAL_FAILURE(OpenPuzzle({}));
    // The block at the picture's top left joined into one group in place,
    // on top, a third of the way into the table.
    for (int member = 0; member < kBlock * puz_.cut.columns; ++member) {
      if (member % puz_.cut.columns >= kBlock) continue;
      for (int side = 0; side < kSideCount; ++side) {
        const int neighbour = piece(member).neighbour[side];
        if (neighbour >= 0 && neighbour < kBlock * puz_.cut.columns &&
            neighbour % puz_.cut.columns < kBlock)
          piece(member).joined_sides |= 1u << side;
      }
    }
    board().MovePiece(0, 0, table_->width() / 3, table_->height() / 3);
    board().Replace(0, false);
    table_->Refresh();
  }
  void TearDown() override {
    TableTest::TearDown();
    CurrentDisplayFormat() = saved_;
  }

  // Bytes of the back buffer as shown that differ from a repaint of the
  // whole table without the layer.
  int DifferingFromRepaint() {
    const std::vector<std::uint8_t> shown = Buffer();
    table_->set_carried_layer(false);
    table_->Refresh();
    const std::vector<std::uint8_t> repainted = Buffer();
    table_->set_carried_layer(true);
    return std::transform_reduce(shown.begin(), shown.end(), repainted.begin(), 0, std::plus<>(),
                                 std::not_equal_to<>());
  }

 private:
  DisplayFormat saved_;
};

TEST_P(CarriedLayer, RandomDragsShowWhatAWholeRepaintShows) {
  std::mt19937 random(97);
  std::uniform_int_distribution<int> step(-kMaxStep, kMaxStep);
  for (int drag = 0; drag < kDrags; ++drag) {
    // Mostly the group, sometimes a loose piece of the top row.
    const int index = drag % 3 != 2 ? 0 : kBlock + static_cast<int>(random() % 4);
    board().BringToFront(index, 0);
    const Rect16& cell = piece(index).board;
    int x = cell.x + cell.width / 2, y = cell.y + cell.height / 2;
    Mouse(kMouseLeftDown, x, y);
    ASSERT_EQ(table_->dragged(), index);
    ASSERT_EQ(board().carried_group().size(), index == 0 ? std::size_t{kBlock * kBlock} : 0u);
    const int steps = 3 + static_cast<int>(random() % 6);
    const int look_at = 2 + static_cast<int>(random() % (steps - 1));
    for (int at = 1; at <= steps; ++at) {
      // Far jumps now and then, so that the areas left and reached part.
      const int scale = at % 4 == 0 ? 5 : 1;
      x = std::clamp(x + step(random) * scale, 40, table_->width() - 40);
      y = std::clamp(y + step(random) * scale, 40, table_->height() - 40);
      Mouse(kMouseLeftDrag, x, y);
      // A turn while carrying makes the picture afresh, turned.
      if (at == 2 && drag % 2 == 0) Mouse(kMouseRightDown, x, y);
      if (at == look_at) {
        EXPECT_EQ(DifferingFromRepaint(), 0) << "drag " << drag << ", step " << at;
      }
    }
    Mouse(kMouseLeftUp, x, y);
    EXPECT_EQ(DifferingFromRepaint(), 0) << "after drag " << drag;
  }
}

// A drop, a turn or a help re-places a group and draws it once, only where
// something changed: what the table shows afterwards is what a repaint of
// the whole table shows.
TEST_P(CarriedLayer, TurnsHelpsAndJoiningDropsLeaveWhatAWholeRepaintShows) {
  // A join's sparkle goes on over time; the check is of the pieces.
  table_->set_no_sparkle(true);
  // The piece right of the block, carried and dropped at its place beside
  // it: it joins, and its group comes to lie under the block.
  const int beside = kBlock;
  while (piece(beside).rotation != piece(kBlock - 1).rotation)
    ASSERT_TRUE(board().Rotate(beside, nullptr, 1, false));
  board().BringToFront(beside, 0);
  table_->Refresh();
  const Rect16 cell = piece(beside).board;
  const int x = cell.x + cell.width / 2, y = cell.y + cell.height / 2;
  Mouse(kMouseLeftDown, x, y);
  ASSERT_EQ(table_->dragged(), beside);
  const auto [home_x, home_y] = board().ExactPlace(kBlock - 1, beside);
  Mouse(kMouseLeftDrag, x + home_x - cell.x, y + home_y - cell.y);
  Mouse(kMouseLeftUp, x + home_x - cell.x, y + home_y - cell.y);
  EXPECT_NE(piece(beside).joined_sides, 0u);
  EXPECT_EQ(DifferingFromRepaint(), 0) << "after the joining drop";

  std::mt19937 random(5);
  for (int round = 0; round < 4; ++round) {
    // A piece of the row below the block, turned about a point inside it.
    const int turned = kBlock * puz_.cut.columns + static_cast<int>(random() % kBlock);
    const Rect16& place = piece(turned).window;
    ASSERT_TRUE(board().PlayerTurn(turned, {place.x + place.width / 3, place.y + place.height / 2},
                                   round % 2 == 0 ? 1 : 3, TurnFrom::kClick));
    EXPECT_EQ(DifferingFromRepaint(), 0) << "after turn " << round;
    ASSERT_TRUE(board().Help());
    EXPECT_EQ(DifferingFromRepaint(), 0) << "after help " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Displays, CarriedLayer,
    ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kDisplays))),
                       ::testing::Range(0, static_cast<int>(std::size(kShadows)))),
    [](const ::testing::TestParamInfo<std::tuple<int, int>>& each) {
      return std::string(kDisplays[std::get<0>(each.param)].name) +
             kShadowNames[std::get<1>(each.param)];
    });

}  // namespace
}  // namespace cbst
