// table_animation_test.cpp: the table's animations seen frame by frame: a
// clock of the test's own lets time pass only as the table waits for its
// next frame, and the test looks at the back buffer at each wait.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <functional>

#include "gfx/pixel_access.h"
#include "platform/mouse_buttons.h"
#include "platform/platform_window_qt.h"
#include "play/game_flags.h"
#include "play/game_handler.h"
#include "play/wbox.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/puzzle_codes.h"
#include "support/recording_game.h"
#include "support/table_fixture.h"
#include "ui/application.h"
#include "ui/event_codes.h"

namespace cbst {
namespace {

// Counts the paints the toolkit delivers to any widget: frames shown.
class PaintCounter final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
  int paints = 0;
};

using Pixels = std::vector<std::uint8_t>;

class TableAnimation : public testing::TableTest<TableAnimation> {
 public:
  static testing::SuitePuzzle Puzzle() { return {"Orchard", {6}, {7}, 31, 0x203040}; }

 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TableTest::SetUp());
    table_->set_effects(&effects_);
    table_->set_game(&game_);
    OpenRequest request;
    request.game_flags = kGameNoPreview;
    ASSERT_NO_FATAL_FAILURE(OpenPuzzle(request));
  }

  // The share of the pixels of `index`'s shape that the back buffer shows
  // with the piece's window rectangle at (x, y).
  double ShownAt(int index, int x, int y) {
    table_->back_buffer().dc().Flush();
    const SPuz& shown = piece(index);
    const PixelView table = table_->back_buffer().pixels();
    const PixelView image = puz_.sheets.image->pixels();
    const PixelView mask = puz_.sheets.mask->pixels();
    int shape = 0, matching = 0;
    for (int v = 0; v < shown.bound.height; ++v) {
      for (int u = 0; u < shown.bound.width; ++u) {
        if (x + u < 0 || y + v < 0 || x + u >= table.width || y + v >= table.height) continue;
        if ((LoadPixel(mask.At(shown.bound.x + u, shown.bound.y + v), mask.bytes) & 0xFFFFFF) != 0)
          continue;
        ++shape;
        const std::uint32_t want =
            LoadPixel(image.At(shown.bound.x + u, shown.bound.y + v), image.bytes) & 0xFFFFFF;
        matching += (LoadPixel(table.At(x + u, y + v), table.bytes) & 0xFFFFFF) == want ? 1 : 0;
      }
    }
    return shape ? static_cast<double>(matching) / shape : 0;
  }
  // Pixels of the back buffer inside `area` that differ between two grabs.
  int Differing(const Pixels& a, const Pixels& b, const Rect16& area) {
    const PixelView pixels = table_->back_buffer().pixels();
    int count = 0;
    for (int y = std::max<int>(area.y, 0); y < std::min(area.y + area.height, pixels.height); ++y)
      for (int x = std::max<int>(area.x, 0); x < std::min(area.x + area.width, pixels.width); ++x)
        for (int byte = 0; byte < 3; ++byte) {
          const std::size_t at = (static_cast<std::size_t>(y) * pixels.width + x) * pixels.bytes;
          if (a[at + byte] != b[at + byte]) {
            ++count;
            break;
          }
        }
    return count;
  }
  // Lays `index` alone in the middle of the empty assembly area, on top.
  void LayInAssemblyArea(int index) {
    const Rect16 area = table_->AssemblyArea();
    board().MovePiece(index, kMoveRedraw, area.x + area.width / 2 - piece(index).board.width / 2,
                      area.y + area.height / 2 - piece(index).board.height / 2);
    board().BringToFront(index, 0);
    table_->Refresh();
  }

  testing::RecordingEffects effects_;
  testing::RecordingGame game_;
};

TEST_F(TableAnimation, AHelpFlightShowsThePieceAndItsGroupOnTheWay) {
  // Piece 0 and its right neighbour are joined, away from the corner,
  // before any help has been given: the first help flies the pair.
  const int right = piece(0).neighbour[kRight];
  ASSERT_NE(right, kNoNeighbour);
  while (piece(right).rotation != piece(0).rotation)
    board().Rotate(right, nullptr, 1, false);
  board().MovePiece(0, kMoveRedraw, 60, 200);
  const auto [rx, ry] = board().ExactPlace(0, right);
  board().MovePiece(right, kMoveRedraw, rx, ry);
  ASSERT_NE(board().TryJoin(0), kNoPiece);
  puz_.state &= ~kGameJoinedOrHelped;
  board().BringToFront(0, 0);
  table_->Refresh();
  const int from_x = piece(0).board.x;
  const Rect16 corner = table_->AssemblyArea();
  const int to_x = corner.x + 2, to_y = corner.y + 2;

  int mid_frames = 0;
  clock_.on_wait = [&](std::int64_t) {
    const SPuz& flown = piece(0);
    if (flown.board.x <= from_x || flown.board.x >= to_x) return;
    ++mid_frames;
    // On the way the back buffer shows both pieces where they are now,
    // still side by side.
    const auto [nx, ny] = board().ExactPlace(0, right);
    EXPECT_EQ(piece(right).board.x, nx);
    EXPECT_EQ(piece(right).board.y, ny);
    EXPECT_GT(ShownAt(0, flown.window.x, flown.window.y), 0.9);
    EXPECT_GT(ShownAt(right, piece(right).window.x, piece(right).window.y), 0.9);
  };
  ASSERT_TRUE(board().Help());
  clock_.on_wait = nullptr;
  EXPECT_GT(mid_frames, 10) << "a flight of a second shows many frames";
  EXPECT_GE(clock_.NowMicroseconds(), 1'000'000);
  EXPECT_EQ(piece(0).board.x, to_x);
  EXPECT_EQ(piece(0).board.y, to_y);
  EXPECT_GT(ShownAt(0, piece(0).window.x, piece(0).window.y), 0.9);
}

TEST_F(TableAnimation, ATurnShowsThePieceTurningAndEndsTurnedAboutThePivot) {
  LayInAssemblyArea(5);
  const Rect16 before = piece(5).window;
  const int rotation = piece(5).rotation;
  const int px = piece(5).board.x + piece(5).board.width / 2;
  const int py = piece(5).board.y + piece(5).board.height / 3;
  const Pixels start = Buffer();
  const Rect16 swept = before.Grown(before.width + before.height);

  Pixels halfway;
  clock_.on_wait = [&](std::int64_t now) {
    if (halfway.empty() && now >= 90'000) {
      halfway = Buffer();
      EXPECT_TRUE(table_->play().gesture_running) << "presses wait for the turn";
    }
  };
  Mouse(kMouseRightDown, px, py, kModControl);
  clock_.on_wait = nullptr;
  ASSERT_EQ(piece(5).rotation, (rotation + 1) % 4);
  ASSERT_FALSE(halfway.empty()) << "the turn took its time";
  EXPECT_GE(clock_.NowMicroseconds(), 200'000);
  const Pixels end = Buffer();
  // Half way the piece lies neither as it was nor as it ends, and it is
  // drawn whole: as many pixels differ from the empty area as before.
  EXPECT_GT(Differing(start, halfway, swept), before.width * before.height / 8);
  EXPECT_GT(Differing(end, halfway, swept), before.width * before.height / 8);
  table_->board().piece(5).flags |= kPieceCarried;
  table_->Refresh();
  const Pixels empty = Buffer();
  piece(5).flags &= ~kPieceCarried;
  table_->Refresh();
  const int lying = Differing(empty, start, swept);
  const int turning = Differing(empty, halfway, swept);
  EXPECT_GT(turning, lying * 7 / 10);
  EXPECT_LT(turning, lying * 13 / 10);
  // The turn ends with the piece drawn turned, the pivot kept.
  EXPECT_GT(ShownAt(5, piece(5).window.x, piece(5).window.y), 0.9);
  EXPECT_TRUE(piece(5).window.ContainsPoint(px, py));
}

TEST_F(TableAnimation, ATurnInsideAnOpenBoxIsShownInTheBox) {
  BoxWindows& boxes = table_->boxes();
  const int box = 1;
  puz_.boxes[box].open = {20, 20, 600, 500};
  boxes.Toggle(box);
  boxes.TakeGroup(5, box);
  ASSERT_EQ(piece(5).box, box);
  board().MovePiece(5, kMoveRedraw, 200, 150);
  WBox& window = *boxes.window(box);
  window.Repaint();
  const auto grab = [&] {
    window.back_buffer()->dc().Flush();
    const PixelView pixels = window.back_buffer()->pixels();
    Pixels bytes;
    for (int y = 0; y < pixels.height; ++y)
      bytes.insert(bytes.end(), pixels.At(0, y), pixels.At(0, y) + pixels.width * pixels.bytes);
    return bytes;
  };
  const Pixels table_before = Buffer();
  const Pixels start = grab();
  const std::pair<int, int> pivot{piece(5).board.x + piece(5).board.width / 2,
                                  piece(5).board.y + piece(5).board.height / 2};
  Pixels halfway;
  clock_.on_wait = [&](std::int64_t now) {
    if (halfway.empty() && now >= 90'000) halfway = grab();
  };
  ASSERT_TRUE(board().Rotate(5, &pivot, 1));
  clock_.on_wait = nullptr;
  ASSERT_FALSE(halfway.empty()) << "the turn in the box took its time";
  const Pixels end = grab();
  // Half way the box shows the piece as it neither was nor ends; the table
  // under the box is not drawn on.
  EXPECT_NE(halfway, start);
  EXPECT_NE(halfway, end);
  EXPECT_EQ(Buffer(), table_before);
}

TEST_F(TableAnimation, ATackFlightIsShownFrameByFrame) {
  QWidget* widget = table_->platform_window()->widget.data();
  ASSERT_NE(widget, nullptr);
  widget->show();
  QCoreApplication::processEvents();
  PaintCounter counter;
  qApp->installEventFilter(&counter);
  LayInAssemblyArea(2);
  QCoreApplication::processEvents();

  const Rect16 home = table_->tack_home();
  int flying = 0, shown_meanwhile = 0, paints_at_start = -1;
  clock_.on_wait = [&](std::int64_t) {
    const Rect16 tack = table_->play().tack.loose();
    if (!table_->play().tack.away() || tack.x == home.x) return;
    ++flying;
    if (paints_at_start < 0) paints_at_start = counter.paints;
    shown_meanwhile = counter.paints - paints_at_start;
  };
  const Rect16 cell = piece(2).board;
  Mouse(kMouseLeftDown, cell.x + cell.width / 2, cell.y + cell.height / 2, kModAlt);
  clock_.on_wait = nullptr;
  qApp->removeEventFilter(&counter);
  EXPECT_TRUE(board().pinned(2));
  EXPECT_GT(flying, 10) << "the tack is seen between its home and the piece";
  EXPECT_GT(shown_meanwhile, 5) << "each frame reaches the screen while the tack flies";
}

TEST_F(TableAnimation, ASpreadShowsItsPiecesLandingOneAfterAnother) {
  std::vector<std::pair<int, int>> was;
  for (int index = 0; index < board().piece_count(); ++index)
    was.emplace_back(piece(index).board.x, piece(index).board.y);
  const Pixels start = Buffer();
  std::vector<int> landed_seen;
  Pixels partway;
  clock_.on_wait = [&](std::int64_t) {
    int moved = 0;
    for (int index = 0; index < board().piece_count(); ++index)
      moved += std::pair<int, int>(piece(index).board.x, piece(index).board.y) != was[index];
    landed_seen.push_back(moved);
    if (partway.empty() && moved * 2 >= board().piece_count()) partway = Buffer();
  };
  ASSERT_TRUE(board().Scatter(kTableWindow, true, true).done);
  clock_.on_wait = nullptr;
  ASSERT_FALSE(partway.empty());
  EXPECT_GT(landed_seen.size(), static_cast<std::size_t>(board().piece_count() / 2))
      << "a frame for every piece";
  EXPECT_TRUE(std::is_sorted(landed_seen.begin(), landed_seen.end()));
  const Pixels end = Buffer();
  const Rect16 whole{0, 0, static_cast<std::int16_t>(table_->width()),
                     static_cast<std::int16_t>(table_->height())};
  EXPECT_GT(Differing(start, partway, whole), 0);
  EXPECT_GT(Differing(end, partway, whole), 0) << "part way is not yet the end";
}

TEST_F(TableAnimation, WithoutAnimationEffectsShowWhereDrawsNoRectanglesButPiecesStillFly) {
  table_->play().rect_animations = false;
  const int below = piece(0).neighbour[kDown];
  ASSERT_NE(below, kNoNeighbour);
  board().BringToFront(0, 0);
  const Rect16 cell = piece(0).board;
  const int sparkles = table_->sparkles().started();
  Mouse(kMouseLeftDown, cell.x + cell.width / 2, cell.y + cell.height - 2, kModControl | kModAlt);
  EXPECT_EQ(effects_.helps, 1);
  EXPECT_EQ(clock_.waits, 0) << "no rectangle travels to the neighbour";
  EXPECT_EQ(table_->sparkles().started(), sparkles + 1) << "the neighbour still sparkles";

  // Flights are not effects of that kind: the first help still flies.
  ASSERT_TRUE(board().Help());
  EXPECT_GE(clock_.NowMicroseconds(), 1'000'000);
}

TEST_F(TableAnimation, AClickEndsTheShowOfWhereAPieceGoesAndDoesNothingElse) {
  QWidget* widget = table_->platform_window()->widget.data();
  ASSERT_NE(widget, nullptr);
  const int below = piece(0).neighbour[kDown];
  ASSERT_NE(below, kNoNeighbour);
  board().BringToFront(0, 0);
  const Rect16 cell = piece(0).board;
  const int sparkles = table_->sparkles().started();
  bool clicked = false;
  clock_.on_wait = [&](std::int64_t) {
    if (clicked) return;
    clicked = true;
    // The player clicks on the table while the rectangle travels.
    const QPointF at(cell.x + cell.width / 2, cell.y + cell.height / 2);
    QCoreApplication::postEvent(
        widget, new QMouseEvent(QEvent::MouseButtonPress, at, widget->mapToGlobal(at),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  };
  Mouse(kMouseLeftDown, cell.x + cell.width / 2, cell.y + cell.height - 2, kModControl | kModAlt);
  clock_.on_wait = nullptr;
  ASSERT_TRUE(clicked);
  EXPECT_EQ(effects_.helps, 1);
  EXPECT_LT(clock_.NowMicroseconds(), 1'000'000) << "the show stops short of its end";
  EXPECT_EQ(table_->sparkles().started(), sparkles) << "an ended show does not sparkle";
  application_.ProcessPending();
  EXPECT_EQ(board().dragged(), kNoPiece) << "the click that ended it picks nothing up";
}

TEST_F(TableAnimation, AKeyEndsTheShowButLettingGoOfTheGesturesKeysDoesNot) {
  QWidget* widget = table_->platform_window()->widget.data();
  ASSERT_NE(widget, nullptr);
  board().BringToFront(0, 0);
  const Rect16 cell = piece(0).board;
  const int sparkles = table_->sparkles().started();
  std::int64_t key_at = -1;
  bool let_go = false;
  clock_.on_wait = [&](std::int64_t now) {
    if (!let_go) {
      // The player lets go of Ctrl and Alt as the show begins ...
      let_go = true;
      QCoreApplication::postEvent(
          widget, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Control, Qt::AltModifier));
      QCoreApplication::postEvent(widget,
                                  new QKeyEvent(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier));
    } else if (key_at < 0 && now >= 400'000) {
      // ... and later presses a key.
      key_at = now;
      QCoreApplication::postEvent(widget,
                                  new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier));
    }
  };
  Mouse(kMouseLeftDown, cell.x + cell.width / 2, cell.y + cell.height - 2, kModControl | kModAlt);
  clock_.on_wait = nullptr;
  ASSERT_GE(key_at, 0) << "letting go of the gesture's keys did not end the show";
  EXPECT_LT(clock_.NowMicroseconds(), 1'000'000) << "the key ended the show short of its end";
  EXPECT_EQ(table_->sparkles().started(), sparkles);
}

TEST_F(TableAnimation, APressDuringAFlightWaitsForItsEnd) {
  int presses_seen_during = -1;
  board().BringToFront(3, 0);
  const Rect16 target = piece(3).board;
  clock_.on_wait = [&](std::int64_t now) {
    if (now != 0) return;
    Mouse(kMouseLeftDown, target.x + target.width / 2, target.y + target.height / 2);
    presses_seen_during = board().dragged();
  };
  ASSERT_TRUE(board().Help());
  clock_.on_wait = nullptr;
  EXPECT_EQ(presses_seen_during, kNoPiece) << "no drag starts under the flight";
  EXPECT_EQ(board().dragged(), kNoPiece);
  // Afterwards the table hears it.
  application_.ProcessPending();
  EXPECT_EQ(board().dragged(), 3) << "the press is handled once the flight is over";
}

// A paint of the whole table lets the toolkit's messages through as it
// goes (the windows stay alive) and shows the wait cursor once it lasts;
// the paint of a drag step does neither.
TEST_F(TableAnimation, AWholeTablePaintLetsMessagesThroughAndASmallOneDoesNot) {
  class Listener final : public QObject {
   public:
    explicit Listener(testing::TestClock& clock) : clock_(clock) {}
    bool event(QEvent* event) override {
      if (event->type() != QEvent::User) return QObject::event(event);
      if (++heard == 1) {
        // The paint has lasted long by the time the next message comes.
        clock_.Sleep(2'000'000);
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
      } else {
        waited = QGuiApplication::overrideCursor() != nullptr;
      }
      return true;
    }
    testing::TestClock& clock_;
    int heard = 0;
    bool waited = false;
  } listener(clock_);
  QCoreApplication::postEvent(&listener, new QEvent(QEvent::User));
  table_->Redraw(kTableWindow, piece(0).window);
  EXPECT_EQ(listener.heard, 0);
  ASSERT_GE(board().piece_count(), 2 * kPiecesBetweenMessages);
  table_->Refresh();
  EXPECT_EQ(listener.heard, 2);
  EXPECT_TRUE(listener.waited) << "the wait cursor shows once the paint lasts";
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "and goes with its end";

  // An open box holding many pieces paints itself whole the same way.
  BoxWindows& boxes = table_->boxes();
  puz_.boxes[1].open = {20, 20, 700, 600};
  boxes.Toggle(1);
  for (int index = 0; index < 2 * kPiecesBetweenMessages; ++index)
    boxes.TakeGroup(index, 1);
  listener.heard = 0;
  listener.waited = false;
  QCoreApplication::postEvent(&listener, new QEvent(QEvent::User));
  boxes.window(1)->Repaint();
  EXPECT_EQ(listener.heard, 2);
  EXPECT_TRUE(listener.waited);
}

}  // namespace
}  // namespace cbst
