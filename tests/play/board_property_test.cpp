// board_property_test.cpp: random games on a board without any window.
//
// Each seed plays a few hundred random operations (drags with steps, turns
// while carrying and moves into boxes, drops, turns, helps, pins and
// unpins) and checks after each what must always hold: the z-order is a
// permutation whose positions are the pieces' depths, joined sides are
// joined from both ends at their exact places, a group holds every piece
// joined to it, no operation moves a pinned group (up to the scroll of its
// window) unless a join meets two of them, and the move count is the
// number of drags that moved.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>

#include "play/board.h"
#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "support/recording_host.h"

namespace cbst {
namespace {

using testing::RecordingHost;

constexpr int kOperations = 250;
constexpr std::uint8_t kBoxes[] = {0, 1};

class BoardProperties : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    random_.seed(static_cast<unsigned>(GetParam()));
    CutRequest request{600, 450, 4, 5};
    Random cut_random;
    cut_random.Seed(static_cast<std::uint32_t>(GetParam()));
    puz_.cut = CutPieces(request, cut_random);
    // Close to their places, so that drags and turns often join.
    for (SPuz& piece : puz_.cut.pieces) {
      // The cut only chooses the turns; the geometry turns as the sheets
      // are drawn.
      const int rotation = piece.rotation;
      piece.rotation = 0;
      TurnGeometry(puz_, piece, rotation);
      piece.board.x = static_cast<std::int16_t>(300 + piece.home_x + Uniform(-30, 30));
      piece.board.y = static_cast<std::int16_t>(200 + piece.home_y + Uniform(-30, 30));
      UpdatePlacement(piece);
    }
  }

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  int AnyPiece() { return Uniform(0, board_.piece_count() - 1); }
  int Turns() { return Uniform(0, 1) != 0 ? 1 : 3; }

  // A whole drag: picked up, a few steps (now and then a turn with another
  // button, or into a box), dropped. Counts the drags that moved.
  void Drag(int piece) {
    if (board_.pinned(piece)) return;
    board_.PickUp(piece);
    std::uint8_t window = board_.piece(piece).box;
    const int start_x = board_.piece(piece).board.x, start_y = board_.piece(piece).board.y;
    int x = start_x, y = start_y;
    bool mouse_moved = false;
    for (int step = Uniform(0, 4); step > 0; --step) {
      if (Uniform(0, 5) == 0) {
        board_.TurnCarried(piece, {x + 10, y + 10}, Turns());
        continue;
      }
      if (Uniform(0, 6) == 0) {
        const std::uint8_t to = window == kTableWindow ? kBoxes[Uniform(0, 1)] : kTableWindow;
        board_.MoveToWindow(piece, to, Uniform(0, 1500), Uniform(0, 800));
        window = to;
        x = board_.piece(piece).board.x;
        y = board_.piece(piece).board.y;
        continue;
      }
      const int dx = Uniform(0, 2) == 0 ? 0 : Uniform(-300, 300);
      const int dy = Uniform(0, 2) == 0 ? 0 : Uniform(-300, 300);
      mouse_moved = mouse_moved || dx != 0 || dy != 0;
      const bool solved = board_.solved();
      const DragStepResult scrolled =
          board_.DragStep(window, piece, x + dx, y + dy, host_.surface, mouse_moved);
      scrolls_[window].first += scrolled.scroll_x;
      scrolls_[window].second += scrolled.scroll_y;
      x = board_.piece(piece).board.x;
      y = board_.piece(piece).board.y;
      if (mouse_moved && !counted_ && !solved) ++moved_drags_;
      counted_ = counted_ || mouse_moved;
    }
    counted_ = false;
    board_.Drop(piece, x, y);
  }

  // One random operation; its name, for the failure messages.
  std::string Play() {
    const int piece = AnyPiece();
    switch (Uniform(0, 9)) {
      case 0:
      case 1:
      case 2:
      case 3:
        Drag(piece);
        return "drag " + std::to_string(piece);
      case 4:
      case 5:
        board_.Rotate(piece, Uniform(0, 1) ? nullptr : &pivot_, Turns());
        return "turn " + std::to_string(piece);
      case 6:
        board_.Help();
        return "help";
      case 7:
        if (board_.piece(piece).box == kTableWindow) board_.Pin(piece);
        return "pin " + std::to_string(piece);
      case 8:
        board_.Unpin(piece);
        return "unpin " + std::to_string(piece);
      default: {
        // A box moves: its pieces scroll with it.
        const std::uint8_t box = kBoxes[Uniform(0, 1)];
        const int dx = Uniform(-40, 40), dy = Uniform(-40, 40);
        board_.ScrollWindow(box, dx, dy);
        scrolls_[box].first += dx;
        scrolls_[box].second += dy;
        return "box " + std::to_string(box);
      }
    }
  }

  void CheckZOrder() const {
    const std::vector<std::int16_t>& order = puz_.cut.z_order;
    ASSERT_EQ(order.size(), puz_.cut.pieces.size());
    std::vector<bool> seen(order.size(), false);
    for (std::size_t position = 0; position < order.size(); ++position) {
      const auto index = static_cast<std::size_t>(order[position]);
      ASSERT_LT(index, order.size());
      EXPECT_FALSE(seen[index]) << "twice in the z-order: " << index;
      seen[index] = true;
      EXPECT_EQ(puz_.cut.pieces[index].depth, static_cast<int>(position)) << index;
    }
  }

  void CheckJoins() {
    for (int index = 0; index < board_.piece_count(); ++index) {
      const SPuz& piece = board_.piece(index);
      for (int side = 0; side < kSideCount; ++side) {
        if (!(piece.joined_sides & (1u << side))) continue;
        const int neighbour = piece.neighbour[side];
        ASSERT_NE(neighbour, kNoNeighbour) << index << " joined at a border";
        EXPECT_TRUE(board_.piece(neighbour).joined_sides & (1u << OppositeSideChecked(side)))
            << index << " joined to " << neighbour << " one way only";
        const auto [x, y] = board_.ExactPlace(index, neighbour);
        EXPECT_EQ(board_.piece(neighbour).board.x, x) << neighbour << " beside " << index;
        EXPECT_EQ(board_.piece(neighbour).board.y, y) << neighbour << " beside " << index;
      }
      // Every piece of a group finds the same group, and the group lies in
      // one window, turned one way, pinned or not as a whole.
      const std::vector<int> group = board_.GroupOf(index);
      const std::set<int> members(group.begin(), group.end());
      for (int member : group) {
        const SPuz& each = board_.piece(member);
        for (int side = 0; side < kSideCount; ++side) {
          if (each.joined_sides & (1u << side)) {
            EXPECT_TRUE(members.count(each.neighbour[side])) << member << " side " << side;
          }
        }
        EXPECT_EQ(each.box, piece.box) << member;
        EXPECT_EQ(each.rotation, piece.rotation) << member;
        EXPECT_EQ(board_.pinned(member), board_.pinned(index)) << member;
      }
      const std::vector<int> again = board_.GroupOf(group.back());
      EXPECT_EQ(std::set<int>(again.begin(), again.end()), members) << index;
    }
  }

  std::mt19937 random_;
  Puz puz_;
  RecordingHost host_;
  Board board_{puz_, host_};
  std::pair<int, int> pivot_{500, 400};
  std::map<std::uint8_t, std::pair<int, int>> scrolls_;
  int moved_drags_ = 0;
  bool counted_ = false;
};

TEST_P(BoardProperties, RandomPlayKeepsTheBoardWhole) {
  for (int operation = 0; operation < kOperations; ++operation) {
    // Where the pinned pieces lie before the operation, and which pinned
    // group each belongs to (its first piece).
    std::map<int, std::pair<int, int>> pinned;
    std::map<int, int> pinned_group;
    for (int index = 0; index < board_.piece_count(); ++index) {
      if (!board_.pinned(index)) continue;
      pinned[index] = {board_.piece(index).board.x, board_.piece(index).board.y};
      const std::vector<int> group = board_.GroupOf(index);
      pinned_group[index] = *std::min_element(group.begin(), group.end());
    }
    scrolls_.clear();
    const std::string played = Play();
    SCOPED_TRACE(std::to_string(operation) + ": " + played);
    CheckZOrder();
    CheckJoins();
    // Pinned groups stay where they were (up to their window's scroll);
    // only when a join brings two of them together must one give way.
    std::map<int, bool> group_stayed;
    for (const auto& [index, at] : pinned) {
      if (!board_.pinned(index)) continue;  // unpinned by this operation
      const SPuz& piece = board_.piece(index);
      const auto [dx, dy] = scrolls_[piece.box];
      const bool stayed = piece.board.x == at.first + dx && piece.board.y == at.second + dy;
      std::set<int> met;
      for (int member : board_.GroupOf(index)) {
        if (pinned_group.count(member)) met.insert(pinned_group[member]);
      }
      if (met.size() == 1) {
        EXPECT_TRUE(stayed) << "pinned " << index << " moved";
      }
      group_stayed[*met.begin()] = group_stayed[*met.begin()] || stayed;
    }
    for (const auto& [group, stayed] : group_stayed)
      EXPECT_TRUE(stayed) << "no pinned part of group " << group << " stayed";
    EXPECT_EQ(host_.moves, moved_drags_);
    EXPECT_EQ(board_.dragged(), kNoPiece);
    if (HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, BoardProperties, ::testing::Range(1, 21));

}  // namespace
}  // namespace cbst
