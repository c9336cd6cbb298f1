// carried_layer_test.cpp: a carried group composed over the layer saved
// under it shows, after any drag, exactly the pixels a repaint of the
// whole table shows, in every display format and with every kind of shadow.
#include <gtest/gtest.h>

#include <random>
#include <unordered_set>

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
  bool bit_fields;
};

struct LayerCase {
  Display display;
  ShadowSettings shadows;
};

std::string NameOf(const LayerCase& layer_case) {
  const ShadowSettings& shadows = layer_case.shadows;
  return std::string(layer_case.display.name) + (shadows.no_shadow      ? "NoShadow"
                                                 : shadows.solid_shadow ? "SolidShadow"
                                                                        : "Shadow");
}
void PrintTo(const LayerCase& layer_case, std::ostream* out) {
  *out << NameOf(layer_case);
}

DisplayFormat FormatOf(const Display& display) {
  DisplayFormat format = display.bit_fields
                             ? DisplayFormat::FromMasks(display.bits, 0xF800, 0x07E0, 0x001F)
                             : DisplayFormat::Standard(display.bits);
  format.mode = display.mode;
  return format;
}

constexpr int kGroupRows = 3;
constexpr int kGroupColumns = 3;
constexpr int kDrags = 14;
constexpr int kMaxStep = 45;

class CarriedLayer : public testing::TableTest<CarriedLayer>,
                     public ::testing::WithParamInterface<LayerCase> {
 public:
  static testing::SuitePuzzle Puzzle() { return {"Quarry", {6}, {8}, 41, 0x306090}; }

 protected:
  void SetUp() override {
    saved_ = CurrentDisplayFormat();
    CurrentDisplayFormat() = FormatOf(GetParam().display);
    ASSERT_NO_FATAL_FAILURE(TableTest::SetUp());
    // Enter left down by an earlier test would turn every press into a
    // rubber band.
    NoteKey(kVkReturn, false);
    table_->set_shadows(GetParam().shadows);
    ASSERT_NO_FATAL_FAILURE(OpenPuzzle({}));
    JoinGroup();
    table_->Refresh();
  }
  void TearDown() override {
    TableTest::TearDown();
    CurrentDisplayFormat() = saved_;
  }

  // The block at the picture's top left joined into one group, solved in
  // place near the table's middle and on top.
  void JoinGroup() {
    const Cut& cut = puz_.cut;
    std::unordered_set<int> block;
    for (int row = 0; row < kGroupRows; ++row)
      for (int column = 0; column < kGroupColumns; ++column)
        block.insert(row * cut.columns + column);
    for (const int member : block) {
      SPuz& joined = piece(member);
      for (int side = 0; side < kSideCount; ++side)
        if (block.contains(joined.neighbour[side])) joined.joined_sides |= 1u << side;
    }
    board().MovePiece(0, 0, table_->width() / 3, table_->height() / 3);
    board().Replace(0, false);
    board().BringToFront(0, 0);
  }

  // The back buffer as the table shows it now, and as a repaint of the
  // whole table without the layer shows it.
  std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>> ShownAndRepainted() {
    std::vector<std::uint8_t> shown = Buffer();
    table_->set_carried_layer(false);
    table_->Refresh();
    std::vector<std::uint8_t> repainted = Buffer();
    table_->set_carried_layer(true);
    return {std::move(shown), std::move(repainted)};
  }

 private:
  DisplayFormat saved_;
};

int DifferingBytes(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size()) return -1;
  int count = 0;
  for (std::size_t at = 0; at < a.size(); ++at)
    count += a[at] != b[at] ? 1 : 0;
  return count;
}

TEST_P(CarriedLayer, RandomDragsShowWhatAWholeRepaintShows) {
  std::mt19937 random(97);
  std::uniform_int_distribution<int> step(-kMaxStep, kMaxStep);
  int compared = 0;
  for (int drag = 0; drag < kDrags; ++drag) {
    // Mostly the group, sometimes a loose piece lying elsewhere.
    const bool group = drag % 3 != 2;
    const int index =
        group ? 0 : kGroupColumns + static_cast<int>(random() % (puz_.cut.columns - kGroupColumns));
    board().BringToFront(index, 0);
    const Rect16& cell = piece(index).board;
    int x = cell.x + cell.width / 2, y = cell.y + cell.height / 2;
    Mouse(kMouseLeftDown, x, y);
    ASSERT_EQ(table_->dragged(), index);
    if (group) {
      ASSERT_EQ(board().carried_group().size(), std::size_t{kGroupRows * kGroupColumns});
    }
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
      if (at != look_at) continue;
      const auto [shown, repainted] = ShownAndRepainted();
      EXPECT_EQ(DifferingBytes(shown, repainted), 0) << "drag " << drag << ", step " << at;
      ++compared;
    }
    Mouse(kMouseLeftUp, x, y);
    const auto [shown, repainted] = ShownAndRepainted();
    EXPECT_EQ(DifferingBytes(shown, repainted), 0) << "after drag " << drag;
  }
  EXPECT_EQ(compared, kDrags);
}

const Display kDisplays[] = {{"Direct32", 32, kModeDirectPixels, false},
                             {"Raster32", 32, kModeRasterOps, false},
                             {"Direct24", 24, kModeDirectPixels, false},
                             {"Direct565", 16, kModeDirectPixels, true},
                             {"Raster555", 16, kModeRasterOps, false}};

std::vector<LayerCase> Cases() {
  std::vector<LayerCase> cases;
  for (const Display& display : kDisplays) {
    cases.push_back({display, {}});
    cases.push_back({display, {false, true}});
    cases.push_back({display, {true, false}});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Displays, CarriedLayer, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<LayerCase>& each) {
                           return NameOf(each.param);
                         });

}  // namespace
}  // namespace cbst
