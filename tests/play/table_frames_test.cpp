// table_frames_test.cpp: rectangle animations and the preview picture's
// outline are drawn in the table's own back buffer, seen on the table's
// screen while they run, and leave nothing behind — no window over the
// table, no pixel changed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <functional>

#include "gfx/drawing_surface_qt.h"
#include "platform/mouse_buttons.h"
#include "play/wbox.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "support/table_fixture.h"
#include "ui/application.h"
#include "ui/event_codes.h"

namespace cbst {
namespace {

class TableFrames : public testing::TableTest<TableFrames> {
 public:
  static testing::SuitePuzzle Puzzle() { return {"Harbour", {3}, {4}, 31, 0x405060}; }

 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TableTest::SetUp());
    Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
    table_->Dispatch(show);
    QApplication::processEvents();
    OpenRequest request;
    request.options = kOpenNoTurning;
    ASSERT_NO_FATAL_FAILURE(OpenPuzzle(request));
    table_->Update();
  }

  // The back buffer, pixel by pixel, as the display stores them (the
  // padding byte of 32-bit pixels left out).
  std::vector<std::uint32_t> Values() {
    table_->back_buffer().dc().Flush();
    const PixelView pixels = table_->back_buffer().pixels();
    const int bytes = std::min(pixels.bytes, 3);
    std::vector<std::uint32_t> all;
    for (int y = 0; y < pixels.height; ++y)
      for (int x = 0; x < pixels.width; ++x) {
        std::uint32_t value = 0;
        for (int at = 0; at < bytes; ++at)
          value |= std::uint32_t{pixels.At(x, y)[at]} << (8 * at);
        all.push_back(value);
      }
    return all;
  }
  // A pixel as the buffer keeps it, every bit inverted.
  std::uint32_t Inverted(std::uint32_t value) {
    const int bytes = std::min(table_->back_buffer().pixels().bytes, 3);
    return ~value & ((1u << (8 * bytes)) - 1);
  }
  // What the table's window shows on the screen.
  std::vector<QRgb> Screen() {
    const QImage& image = *table_->surface()->Image();
    std::vector<QRgb> all;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        all.push_back(image.pixel(x, y));
    return all;
  }
  // The windows of the program that show at the top level.
  std::vector<QWidget*> TopLevelShown() {
    std::vector<QWidget*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible()) shown.push_back(widget);
    return shown;
  }
  // A point in the middle of a piece that lies on top there.
  std::pair<int, int> OnAPiece() {
    for (const SPuz& each : puz_.cut.pieces) {
      const int x = each.board.x + each.board.width / 2;
      const int y = each.board.y + each.board.height / 2;
      if (table_->board().HitTest(kTableWindow, x, y) != kNoPiece &&
          !table_->PreviewPicture().ContainsPoint(x, y))
        return {x, y};
    }
    ADD_FAILURE() << "no piece lies free on the table";
    return {0, 0};
  }
};

TEST_F(TableFrames, ThePreviewPutDownLeavesNothingOverTheTableAndPiecesAreTakenAgain) {
  const Rect16 picture = table_->PreviewPlace();
  ASSERT_FALSE(picture.Empty()) << "the game shows its preview picture";
  const std::vector<std::uint32_t> before = Values();
  const std::vector<QRgb> screen = Screen();
  const std::vector<QWidget*> shown = TopLevelShown();
  ASSERT_EQ(shown.size(), 1u);
  // A point of the picture that no piece covers.
  int grip_x = -1, grip_y = -1;
  for (int y = picture.y; y < picture.y + picture.height && grip_x < 0; y += 4)
    for (int x = picture.x; x < picture.x + picture.width && grip_x < 0; x += 4)
      if (table_->board().HitTest(kTableWindow, x, y) == kNoPiece) grip_x = x, grip_y = y;
  ASSERT_GE(grip_x, 0);
  constexpr int kMoveX = 150, kMoveY = 90;

  Mouse(kMouseLeftDown, grip_x, grip_y);
  Mouse(kMouseLeftUp, grip_x, grip_y);
  Mouse(kMouseMove, grip_x + kMoveX, grip_y + kMoveY);
  // The outline follows the mouse in the back buffer and on the screen,
  // and nothing else opens for it.
  const Rect16 outline = table_->PreviewPicture();
  const int corner_x = outline.x + kMoveX, corner_y = outline.y + kMoveY;
  const std::size_t width = static_cast<std::size_t>(table_->width());
  const std::size_t corner =
      static_cast<std::size_t>(corner_y) * width + static_cast<std::size_t>(corner_x);
  EXPECT_EQ(Values()[corner], Inverted(before[corner]));
  EXPECT_NE(Screen()[corner], screen[corner]);
  EXPECT_EQ(TopLevelShown(), shown);
  // A repaint of the table under the outline keeps it whole.
  table_->Refresh();
  EXPECT_EQ(Values()[corner], Inverted(before[corner]));

  Mouse(kMouseLeftDown, grip_x + kMoveX, grip_y + kMoveY);
  Mouse(kMouseLeftUp, grip_x + kMoveX, grip_y + kMoveY);
  EXPECT_EQ(table_->PreviewPlace().x, picture.x + kMoveX);
  EXPECT_EQ(table_->PreviewPlace().y, picture.y + kMoveY);
  EXPECT_EQ(TopLevelShown(), shown) << "only the table shows";
  // No trace of the outline: the buffer is what a fresh paint makes.
  const std::vector<std::uint32_t> put_down = Values();
  table_->Refresh();
  EXPECT_EQ(Values(), put_down);

  // The table still takes the player's presses.
  const auto [x, y] = OnAPiece();
  const int piece = table_->board().HitTest(kTableWindow, x, y);
  Mouse(kMouseLeftDown, x, y);
  EXPECT_EQ(table_->board().dragged(), piece);
  Mouse(kMouseLeftUp, x, y);
}

TEST_F(TableFrames, ARectangleAnimationShowsItsFramesOnTheTableAndLeavesItAsItWas) {
  const std::vector<std::uint32_t> before = Values();
  const std::vector<QRgb> screen = Screen();
  RectAnimation animation;
  animation.from = {40, 40, 60, 50};
  animation.to = {300, 200, 200, 160};
  animation.thickness = 2;
  animation.duration_ms = 400;
  constexpr std::int64_t kHalfway = 200'000;

  int inverted_midway = 0, other_changes = 0, unseen = 0;
  bool repainted = false;
  clock_.on_wait = [&](std::int64_t now) {
    const std::vector<std::uint32_t> midway = Values();
    const std::vector<QRgb> shown = Screen();
    for (std::size_t at = 0; at < midway.size(); ++at) {
      // What changes in the buffer, the screen shows at once.
      if ((midway[at] != before[at]) != (shown[at] != screen[at])) ++unseen;
      if (midway[at] == before[at]) continue;
      if (midway[at] == Inverted(before[at])) {
        if (now >= kHalfway) ++inverted_midway;
      } else {
        ++other_changes;
      }
    }
    // Halfway, the table paints itself again under the frames.
    if (now >= kHalfway && !repainted) {
      repainted = true;
      table_->Refresh();
    }
  };
  table_->Animate(animation);
  clock_.on_wait = nullptr;

  EXPECT_TRUE(repainted);
  EXPECT_GT(inverted_midway, 0) << "frames show while the animation runs";
  EXPECT_EQ(other_changes, 0) << "frames only invert pixels";
  EXPECT_EQ(unseen, 0);
  EXPECT_TRUE(Values() == before) << "nothing of the animation is left";
  EXPECT_TRUE(Screen() == screen);
  EXPECT_EQ(TopLevelShown().size(), 1u);
}

TEST_F(TableFrames, FramesPassOverAnOpenBoxAndLeaveItAsItWas) {
  // A box lies across the animation's path.
  puz_.boxes[0].open = {150, 100, 300, 220};
  table_->boxes().Toggle(0);
  QApplication::processEvents();
  WBox& box = *table_->boxes().window(0);
  ASSERT_NE(box.surface(), nullptr);
  const auto box_screen = [&] { return box.surface()->Image()->copy(); };
  const QImage before = box_screen();
  RectAnimation animation;
  animation.from = {40, 40, 60, 50};
  animation.to = {300, 200, 200, 160};
  animation.thickness = 2;
  animation.duration_ms = 400;

  int frames_over_box = 0;
  clock_.on_wait = [&](std::int64_t) { frames_over_box += box_screen() != before; };
  table_->Animate(animation);
  clock_.on_wait = nullptr;
  QApplication::processEvents();

  EXPECT_GT(frames_over_box, 0) << "the frames are seen over the box";
  EXPECT_TRUE(box_screen() == before) << "and nothing of them stays";
}

}  // namespace
}  // namespace cbst
