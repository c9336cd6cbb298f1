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
