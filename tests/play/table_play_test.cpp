// table_play_test.cpp: a real table window with an opened puzzle, played
// with the framework's mouse and key events: joining, the thumbtack, the
// rubber band, edge scrolling, show-where, the piece menu, the piece boxes
// and a whole game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "gfx/drawing_surface_qt.h"

#include "platform/mouse_buttons.h"
#include "platform/platform_window_qt.h"
#include "play/box_windows.h"
#include "play/game_flags.h"
#include "play/game_handler.h"
#include "play/wbox.h"
#include "play/wnamebox.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/piece_box.h"
#include "puzzle/puzzle_codes.h"
#include "support/control_of.h"
#include "support/recording_game.h"
#include "support/table_fixture.h"
#include "support/table_hand.h"
#include "text/text_codes.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/pop_menu.h"
#include "ui/virtual_keys.h"
#include "ui/win_dlg.h"

namespace cbst {
namespace {

class TablePlay : public testing::TableTest<TablePlay> {
 public:
  static testing::SuitePuzzle Puzzle() { return {"Meadow", {3, 4}, {4, 5}, 77, 0x203040}; }

 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(TableTest::SetUp());
    table_->set_effects(&effects_);
    table_->set_game(&game_);
  }

  void Open(std::uint32_t options = kOpenNoTurning, int level = 0) {
    OpenRequest request;
    request.level = level;
    request.options = options;
    request.game_flags = kGameNoPreview;
    ASSERT_NO_FATAL_FAILURE(OpenPuzzle(request));
  }

  testing::TableHand hand() { return testing::TableHand(*table_); }
  void Key(int virtual_key, std::uint8_t modifiers = 0) {
    KeyPayload key;
    key.virtual_key = virtual_key;
    key.modifiers = modifiers;
    Event event = MakeEvent(kEventKey, key);
    table_->Dispatch(event);
  }
  void Command(std::uint32_t id) {
    Event event = MakeEvent(kEventCommand, CommandPayload{id, 0});
    table_->Dispatch(event);
  }
  std::pair<int, int> Grip(int index) { return hand().Grip(index); }
  void DragTo(int index, std::pair<int, int> place, int off_x = 0) {
    hand().DragTo(index, place, off_x);
  }
  int Neighbour(int index, int direction) { return hand().Neighbour(index, direction); }
  void Tick(int timer) {
    Event event = MakeEvent(kEventTimer, TimerPayload{timer, 0});
    table_->Dispatch(event);
  }
  // Lets every sparkle run to its end.
  void SparklesEnd() {
    clock_.Sleep(kSparkleMicroseconds);
    Tick(kSparkleTimer);
  }
  // The mouse at (x, y) of the table, told to the window that has it: the
  // one carrying a piece, else the open box or closed square under it.
  void MouseOnScreen(int subcode, int x, int y, std::uint8_t modifiers = 0) {
    Window* target = table_;
    ClientPoint at{x, y};
    const int carried = board().dragged();
    BoxWindows& boxes = table_->boxes();
    for (int box = 0; box < boxes.count(); ++box) {
      WBox* window = boxes.window(box);
      const Rect16 client = window->ClientOnTable();
      const bool here = carried != kNoPiece
                            ? piece(carried).box == box
                            : at.x >= client.x && at.y >= client.y &&
                                  at.x < client.x + client.width && at.y < client.y + client.height;
      if (here) {
        target = window;
        at = {x - client.x, y - client.y};
      }
    }
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, at.x, at.y, modifiers});
    target->Dispatch(event);
  }
  // Carries a piece of the table so that its middle goes to (x, y) of the
  // table, whatever window it crosses.
  void CarryTo(int index, int x, int y, bool release = true) {
    const auto [from_x, from_y] = Grip(index);
    MouseOnScreen(kMouseLeftDown, from_x, from_y);
    constexpr int kSteps = 8;
    for (int step = 1; step <= kSteps; ++step)
      MouseOnScreen(kMouseLeftDrag, from_x + (x - from_x) * step / kSteps,
                    from_y + (y - from_y) * step / kSteps);
    if (release) MouseOnScreen(kMouseLeftUp, x, y);
  }
  // Turns `index` a quarter clockwise with Ctrl and the right button so
  // that it comes to lie at its place beside `anchor`. Where such a turn
  // takes a piece is learnt first from the same turn away from its place.
  void TurnIntoPlace(int index, int anchor) {
    constexpr int kAwayX = 40, kAwayY = 200;
    const int wanted = piece(anchor).rotation;
    while (piece(index).rotation != (wanted + 3) % 4)
      board().Rotate(index, nullptr, 1, false);
    board().MovePiece(index, kMoveRedraw, kAwayX, kAwayY);
    const auto [x, y] = Grip(index);
    Mouse(kMouseRightDown, x, y, kModControl);
    ASSERT_EQ(piece(index).rotation, wanted);
    ASSERT_EQ(piece(index).joined_sides, 0) << "nothing to join away from its place";
    const int dx = piece(index).board.x - kAwayX, dy = piece(index).board.y - kAwayY;
    const auto [to_x, to_y] = board().ExactPlace(anchor, index);
    board().Rotate(index, nullptr, 3, false);
    board().MovePiece(index, kMoveRedraw, to_x - dx, to_y - dy);
    effects_.sounds.clear();
    const auto [gx, gy] = Grip(index);
    Mouse(kMouseRightDown, gx, gy, kModControl);
  }
  // A back buffer's pixels, one value each, and the rectangle where two
  // such pictures of `buffer`'s size differ (empty when they do not).
  static std::vector<std::uint32_t> Pixels(BmpMem& buffer) {
    buffer.dc().Flush();
    const PixelView pixels = buffer.pixels();
    std::vector<std::uint32_t> all;
    for (int y = 0; y < pixels.height; ++y)
      for (int x = 0; x < pixels.width; ++x) {
        std::uint32_t value = 0;
        for (int at = 0; at < std::min(pixels.bytes, 4); ++at)
          value |= std::uint32_t{pixels.At(x, y)[at]} << (8 * at);
        all.push_back(value);
      }
    return all;
  }
  static Rect16 Differing(const std::vector<std::uint32_t>& one,
                          const std::vector<std::uint32_t>& other, int width) {
    Rect16 area{};
    for (std::size_t at = 0; at < one.size() && at < other.size(); ++at) {
      if (one[at] == other[at]) continue;
      const Rect16 pixel{static_cast<std::int16_t>(static_cast<int>(at) % width),
                         static_cast<std::int16_t>(static_cast<int>(at) / width), 1, 1};
      area = area.Empty() ? pixel : area.United(pixel);
    }
    return area;
  }
  // Where the sparkles show at their height on the table and in box `box`:
  // what differs from the same windows once the sparkles have gone.
  std::pair<Rect16, Rect16> SparklesShown(int box) {
    BmpMem& in_box = *table_->boxes().window(box)->back_buffer();
    clock_.Sleep(kSparkleMicroseconds / 2);
    Tick(kSparkleTimer);
    const std::vector<std::uint32_t> table_lit = Pixels(table_->back_buffer());
    const std::vector<std::uint32_t> box_lit = Pixels(in_box);
    SparklesEnd();
    return {Differing(table_lit, Pixels(table_->back_buffer()), table_->width()),
            Differing(box_lit, Pixels(in_box), in_box.width())};
  }
  // The table on the screen, painted as it will be seen.
  void ShowTable() {
    Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
    table_->Dispatch(show);
    QApplication::processEvents();
    table_->Update();
  }
  // What the table's window shows at the middle of `rect`.
  QRgb OnScreen(const Rect16& rect) {
    QApplication::processEvents();
    return table_->surface()->Image()->pixel(rect.x + rect.width / 2, rect.y + rect.height / 2);
  }
  // Draws a rubber band with Ctrl from the empty assembly area over the
  // pieces at the table's left; returns the pieces it holds.
  std::vector<int> DrawBandOverPieces() {
    const Rect16 area = table_->AssemblyArea();
    const int x = area.x + 2, y = area.y + area.height - 2;
    NoteMouseButton(MouseButton::kLeft, true);
    Mouse(kMouseLeftDown, x, y, kModControl);
    Mouse(kMouseLeftDrag, x - 40, y + 40, kModControl);
    Mouse(kMouseLeftDrag, 0, table_->height() - 1, kModControl);
    NoteMouseButton(MouseButton::kLeft, false);
    Mouse(kMouseLeftUp, 0, table_->height() - 1, kModControl);
    std::vector<int> held;
    for (int index = 0; index < board().piece_count(); ++index)
      if (piece(index).flags & kPieceSelected) held.push_back(index);
    return held;
  }
  // A point on the table that no piece and no furniture covers.
  std::pair<int, int> EmptyPoint() {
    const Rect16 area = board().puz().cut.pieces.empty() ? Rect16{} : table_->AssemblyArea();
    return {area.x + area.width / 2, area.y + area.height / 2};
  }

  testing::RecordingEffects effects_;
  testing::RecordingGame game_;
};

TEST_F(TablePlay, ANeighbourDroppedNearItsPlaceJoinsSoundsAndSparkles) {
  Open();
  const int right = Neighbour(0, kRight);
  ASSERT_NE(right, kNoNeighbour);
  DragTo(right, board().ExactPlace(0, right), 5);
  EXPECT_NE(piece(right).joined_sides, 0);
  EXPECT_EQ(effects_.sounds.back(), BoardSound::kJoin);
  EXPECT_EQ(table_->sparkles().started(), 1);
  EXPECT_EQ(board().piece(0).board.x + board().piece(0).board.width, piece(right).board.x)
      << "joined pieces sit exactly";
  EXPECT_EQ(effects_.moves, 1);
}

TEST_F(TablePlay, TheOtherButtonsTurnACarriedPieceAndTheDragGoesOnAsOneMove) {
  Open(0);
  const int carried = 2;
  const int rotation = piece(carried).rotation;
  const auto [x, y] = Grip(carried);
  Mouse(kMouseLeftDown, x, y);
  Mouse(kMouseLeftDrag, x + 30, y + 20);
  Mouse(kMouseRightDown, x + 30, y + 20);
  EXPECT_EQ(piece(carried).rotation, (rotation + 1) % 4) << "the right button turns clockwise";
  EXPECT_EQ(table_->dragged(), carried) << "and the piece stays in the hand";
  EXPECT_EQ(effects_.Count(BoardSound::kTurn), 1);
  EXPECT_EQ(effects_.Count(BoardSound::kPickUp), 1) << "no second pick-up";
  Mouse(kMouseLeftDrag, x + 60, y + 40);
  Mouse(kMouseMiddleDown, x + 60, y + 40);
  EXPECT_EQ(piece(carried).rotation, rotation) << "the middle button turns anticlockwise";
  EXPECT_EQ(table_->dragged(), carried);
  Mouse(kMouseLeftDrag, x + 90, y + 60);
  Mouse(kMouseLeftUp, x + 90, y + 60);
  EXPECT_EQ(table_->dragged(), kNoPiece);
  EXPECT_EQ(effects_.moves, 1) << "one move for the whole drag, turns and all";
}

TEST_F(TablePlay, CtrlAndAClickOnAPinnedPieceUnpinsItWithoutTurning) {
  Open(0);
  const int target = 3;
  board().Pin(target);
  const int rotation = piece(target).rotation;
  const auto [x, y] = Grip(target);
  Mouse(kMouseLeftDown, x, y, kModControl);
  EXPECT_FALSE(board().pinned(target));
  EXPECT_EQ(piece(target).rotation, rotation);
  EXPECT_TRUE(table_->carrying_tack()) << "the tack comes out into the hand";
  Mouse(kMouseLeftUp, x, y, kModControl);
  EXPECT_TRUE(board().pinned(target)) << "released over the piece, the tack goes back in";

  Mouse(kMouseLeftDown, x, y, kModAlt);  // Alt and the left button on a pinned piece: no change
  Mouse(kMouseRightDown, x, y, kModAlt);
  EXPECT_FALSE(board().pinned(target));
  Mouse(kMouseRightDown, x, y, kModControl);
  EXPECT_EQ(piece(target).rotation, (rotation + 1) % 4) << "free again, it turns";
}

TEST_F(TablePlay, TheThumbtackIsTakenFromItsHomeAndFliesHomeWhenDroppedBesidePieces) {
  Open();
  const Rect16 home = table_->tack_home();
  const auto home_pixels = [&] {
    DC& dc = table_->back_buffer().dc();
    dc.Flush();
    int drawn = 0;
    for (int y = home.y; y < home.y + home.height; ++y)
      for (int x = home.x; x < home.x + home.width; ++x)
        drawn += dc.GetPixel(x, y) != dc.GetPixel(home.x - 1, home.y - 1) ? 1 : 0;
    return drawn;
  };
  ASSERT_GT(home_pixels(), 0) << "the tack lies in its home";

  const int cx = home.x + home.width / 2;
  const int cy = home.y + home.height / 2;
  Mouse(kMouseLeftDown, cx, cy);
  ASSERT_TRUE(table_->carrying_tack());
  const auto [x, y] = Grip(5);
  Mouse(kMouseLeftDrag, x, y);
  EXPECT_EQ(home_pixels(), 0) << "the home is empty while the tack is carried";
  Mouse(kMouseLeftUp, x, y);
  EXPECT_TRUE(board().pinned(5));
  EXPECT_TRUE(piece(5).flags & kPieceThumbtack);
  for (int member : board().GroupOf(5))
    EXPECT_TRUE(board().pinned(member));

  // Taken out of the piece and dropped on the empty table, it goes home.
  Mouse(kMouseLeftDown, x, y);
  EXPECT_FALSE(board().pinned(5));
  const auto [ex, ey] = EmptyPoint();
  Mouse(kMouseLeftDrag, ex, ey);
  Mouse(kMouseLeftUp, ex, ey);
  EXPECT_FALSE(table_->carrying_tack());
  EXPECT_FALSE(table_->play().tack.away());
  EXPECT_GT(home_pixels(), 0);
  for (int index = 0; index < board().piece_count(); ++index)
    EXPECT_FALSE(board().pinned(index)) << index;
}

TEST_F(TablePlay, TheRubberBandStartsBeyondSixteenPixelsAndHoldsWhatItCovers) {
  Open();
  const auto [x, y] = EmptyPoint();
  NoteMouseButton(MouseButton::kLeft, true);
  Mouse(kMouseLeftDown, x, y, kModControl);
  EXPECT_EQ(game_.hints, 0) << "a press with Ctrl begins a rubber band, without the hint";
  Mouse(kMouseLeftDrag, x - 10, y + 6, kModControl);
  EXPECT_FALSE(table_->play().selection) << "|dx| + |dy| = 16 is not yet a rubber band";
  Mouse(kMouseLeftDrag, x - 10, y + 7, kModControl);
  EXPECT_TRUE(table_->play().selection);
  Mouse(kMouseLeftDrag, 0, table_->height() - 1, kModControl);
  NoteMouseButton(MouseButton::kLeft, false);
  Mouse(kMouseLeftUp, 0, table_->height() - 1, kModControl);
  ASSERT_TRUE(table_->play().selection);
  const MultiSPuzs& selection = *table_->play().selection;
  const Rect16 band = selection.rect();
  int inside = 0;
  for (int index = 0; index < board().piece_count(); ++index) {
    const bool in = band.Contains(piece(index).board);
    inside += in ? 1 : 0;
    EXPECT_EQ((piece(index).flags & kPieceSelected) != 0, in) << index;
  }
  EXPECT_GT(inside, 0);
  EXPECT_EQ(selection.selected(), inside);

  // Its menu pins and unpins what it holds.
  XPopMenu menu;
  WSPuz::BuildSelectionMenu(selection, menu);
  EXPECT_TRUE(menu.Has(kCommandPinSelection));
  EXPECT_FALSE(menu.Has(kCommandUnpinSelection));
  Command(kCommandPinSelection);
  EXPECT_EQ(selection.pinned(), selection.selected());
  for (int index = 0; index < board().piece_count(); ++index)
    EXPECT_EQ(board().pinned(index), (piece(index).flags & kPieceSelected) != 0) << index;
  Command(kCommandUnpinSelection);
  EXPECT_EQ(selection.pinned(), 0);

  // Esc ends the band and its selection.
  Key(kVkEscape);
  EXPECT_FALSE(table_->play().selection);
  for (int index = 0; index < board().piece_count(); ++index)
    EXPECT_FALSE(piece(index).flags & kPieceSelected) << index;
}

TEST_F(TablePlay, CtrlRSpreadsWhatTheRubberBandHoldsAndTheTableShowsIt) {
  Open();
  ShowTable();
  const std::vector<int> held = DrawBandOverPieces();
  ASSERT_FALSE(held.empty());
  const MultiSPuzs& selection = *table_->play().selection;
  XPopMenu menu;
  WSPuz::BuildSelectionMenu(selection, menu);
  EXPECT_TRUE(menu.Has(kCommandPinSelection)) << "the band holds free pieces";

  std::vector<Rect16> was;
  std::vector<QRgb> shown_before;
  for (int index : held) {
    was.push_back(piece(index).board);
    shown_before.push_back(OnScreen(piece(index).board));
  }
  Key('R', kModControl);
  QApplication::processEvents();
  EXPECT_FALSE(table_->play().selection) << "the band goes with the spread";
  for (std::size_t at = 0; at < held.size(); ++at) {
    EXPECT_FALSE(piece(held[at]).board == was[at]) << "piece " << held[at] << " stayed";
    EXPECT_NE(OnScreen(was[at]), shown_before[at]) << "the screen still shows " << held[at];
  }

  // Where the screen now shows a spread piece, Ctrl+Alt and a click near
  // its right side show where its neighbour there goes.
  const int spread = held.front();
  ASSERT_NE(Neighbour(spread, kRight), kNoNeighbour);
  const Rect16 cell = piece(spread).board;
  board().BringToFront(spread, 0);
  Mouse(kMouseLeftDown, cell.x + cell.width - 3, cell.y + cell.height / 2, kModControl | kModAlt);
  EXPECT_EQ(effects_.helps, 1);
  EXPECT_EQ(board().puz().cut.z_order.front(), Neighbour(spread, kRight));
}

TEST_F(TablePlay, PushingAPieceIntoAnEdgeScrollsTheTableWithIt) {
  Open();
  const int pushed = 0;
  const int other = 1;
  const auto [x, y] = Grip(pushed);
  const int to_edge = table_->width() - 2 - (piece(pushed).window.x + piece(pushed).window.width);
  const int other_x = piece(other).board.x;
  Mouse(kMouseLeftDown, x, y);
  Mouse(kMouseLeftDrag, x + to_edge, y);
  EXPECT_EQ(effects_.Count(BoardSound::kEdge), 0) << "touching is not pushing";
  for (int step = 1; step <= 3; ++step)
    Mouse(kMouseLeftDrag, x + to_edge + 10 * step, y);
  EXPECT_EQ(effects_.Count(BoardSound::kEdge), 1);
  EXPECT_EQ(piece(other).board.x, other_x - 30) << "the table scrolled by what stuck out";
  EXPECT_EQ(piece(pushed).window.x + piece(pushed).window.width, table_->width() - 2);
  Mouse(kMouseLeftUp, x + to_edge + 30, y);
}

TEST_F(TablePlay, ShowWhereCountsAHelpOnlyForAnOpenSideWithANeighbour) {
  Open();
  // Piece 0 is the top-left corner: its left and top sides are borders.
  const Rect16 cell = piece(0).board;
  const int cx = cell.x + cell.width / 2;
  const int cy = cell.y + cell.height / 2;
  Grip(0);
  Mouse(kMouseLeftDown, cell.x + 2, cy, kModControl | kModAlt);
  Mouse(kMouseLeftDown, cx, cell.y + 2, kModControl | kModAlt);
  EXPECT_EQ(effects_.helps, 0);

  const int right = Neighbour(0, kRight);
  DragTo(right, board().ExactPlace(0, right));
  ASSERT_NE(piece(0).joined_sides, 0);
  const int sparkles = table_->sparkles().started();
  const Rect16 joined = piece(0).board;
  Mouse(kMouseLeftDown, joined.x + joined.width - 2, joined.y + joined.height / 2,
        kModControl | kModAlt);
  EXPECT_EQ(effects_.helps, 0) << "the joined side";

  Mouse(kMouseLeftDown, joined.x + joined.width / 2, joined.y + joined.height - 2,
        kModControl | kModAlt);
  EXPECT_EQ(effects_.helps, 1) << "the bottom side has its neighbour still loose";
  EXPECT_EQ(table_->sparkles().started(), sparkles + 1) << "the neighbour sparkles at the end";
  EXPECT_EQ(board().puz().cut.z_order.front(), Neighbour(0, kDown));
}

TEST_F(TablePlay, ThePieceMenuOffersWhatThePieceAllows) {
  Open(0);
  const Rect16 cell = piece(0).board;
  XPopMenu free_piece;
  table_->BuildPieceMenu(0, cell.x + cell.width - 2, cell.y + cell.height / 2, free_piece);
  for (std::uint32_t command : {kCommandTurnClockwise, kCommandTurnAnticlockwise, kCommandPin,
                                kCommandShowWhere, kCommandHelp})
    EXPECT_TRUE(free_piece.Has(command)) << command;
  EXPECT_FALSE(free_piece.Has(kCommandUnpin));

  XPopMenu towards_border;
  table_->BuildPieceMenu(0, cell.x + 1, cell.y + cell.height / 2, towards_border);
  const bool left_is_border = Neighbour(0, kLeft) == kNoNeighbour;
  EXPECT_EQ(towards_border.Has(kCommandShowWhere), !left_is_border);

  board().Pin(0);
  XPopMenu pinned;
  table_->BuildPieceMenu(0, cell.x + cell.width / 2, cell.y + cell.height / 2, pinned);
  EXPECT_TRUE(pinned.Has(kCommandUnpin));
  EXPECT_FALSE(pinned.Has(kCommandTurnClockwise)) << "a pinned piece does not turn";

  // The menu's turn, chosen in the menu the right button opens, acts about
  // the centre of the piece's cell.
  board().Unpin(0);
  const int rotation = piece(0).rotation;
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions())
      if (action->data().toULongLong() == kCommandTurnClockwise) menu->setActiveAction(action);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
  });
  const auto [mx, my] = Grip(0);
  Mouse(kMouseRightDown, mx, my);
  EXPECT_EQ(piece(0).rotation, (rotation + 1) % 4);
  EXPECT_EQ(effects_.sounds.back(), BoardSound::kTurn);
  EXPECT_EQ(effects_.moves, 0) << "turns from the menu count no move";
}

TEST_F(TablePlay, TheEmptyTableHintsAndItsDoubleClickAsksForThePreview) {
  Open();
  const auto [x, y] = EmptyPoint();
  Mouse(kMouseLeftDown, x, y);
  Mouse(kMouseLeftUp, x, y);
  EXPECT_EQ(game_.hints, 1);
  Mouse(kMouseLeftDouble, x, y);
  EXPECT_EQ(game_.command_ids(), std::vector<std::uint32_t>{kCommandPreview});
}

TEST_F(TablePlay, LosingTheActivationDropsACarriedPieceAtOnce) {
  Open();
  const auto [x, y] = Grip(2);
  Mouse(kMouseLeftDown, x, y);
  Mouse(kMouseLeftDrag, x + 30, y + 20);
  ASSERT_EQ(table_->dragged(), 2);
  Event inactive = MakeEvent(kEventOther, ActivationPayload{false});
  table_->Dispatch(inactive);
  EXPECT_EQ(table_->dragged(), kNoPiece);
  EXPECT_EQ(effects_.sounds.back(), BoardSound::kDrop);
}

TEST_F(TablePlay, APieceWhoseReleaseAMenuTookIsPutDownAtTheNextMove) {
  Open();
  // The toolkit's events, as the window system gives them to the table.
  QWidget* widget = WidgetOf(table_->platform_window());
  const auto send = [widget](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                             int x, int y) {
    const QPointF at(x, y);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
  };
  const auto [x, y] = Grip(2);
  send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, x, y);
  send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, x + 2, y + 1);
  send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, x + 40, y + 30);
  ASSERT_EQ(table_->dragged(), 2);
  const Rect16 carried = piece(2).board;
  // A menu opened by a key took the release; the mouse comes back with no
  // button held.
  send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, x + 200, y + 150);
  EXPECT_EQ(table_->dragged(), kNoPiece);
  EXPECT_EQ(effects_.sounds.back(), BoardSound::kDrop);
  EXPECT_EQ(piece(2).board, carried) << "put down where it was last seen";
  send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, x + 300, y + 200);
  EXPECT_EQ(piece(2).board, carried) << "it follows the mouse no more";
}

TEST_F(TablePlay, ASmallPuzzleSolvedWithDragsEndsSolved) {
  Open();
  hand().DragFirstToCorner();
  const int count = board().piece_count();
  for (int index = 1; index < count; ++index)
    hand().DragBesidePlacedNeighbour(index);
  EXPECT_TRUE(board().solved());
  EXPECT_EQ(effects_.sounds.back(), BoardSound::kSolved);
  EXPECT_EQ(effects_.moves, count);

  // The finished picture has its white frame, a little away from it, and
  // the completion effect sparkles over it.
  const Rect16 finished = piece(0).window.United(piece(count - 1).window);
  SparklesEnd();
  DC& dc = table_->back_buffer().dc();
  dc.Flush();
  EXPECT_EQ(dc.GetPixel(finished.x - 10, finished.y + finished.height / 2), 0xFFFFFFu);
  EXPECT_NE(dc.GetPixel(finished.x - 4, finished.y + finished.height / 2), 0xFFFFFFu);
  EXPECT_TRUE(table_->completion_running());
}

TEST_F(TablePlay, AJoinOrTheFinishMadeByATurnIsHeardAfterTheTurnAndSparklesThere) {
  Open(0);
  const int count = board().piece_count();
  for (int index = 0; index < count; ++index) {
    while (piece(index).rotation != 0)
      board().Rotate(index, nullptr, 1, false);
  }
  const Rect16 assembly = table_->AssemblyArea();
  DragTo(0, {assembly.x + 2, assembly.y + 2});
  // Each piece goes next to its left or upper neighbour, which already lies
  // in place: the first and the last by a turn, the others by drags.
  const auto anchor_of = [&](int index) {
    const int left = Neighbour(index, kLeft);
    return left != kNoNeighbour && left < index ? left : Neighbour(index, kUp);
  };
  TurnIntoPlace(1, anchor_of(1));
  ASSERT_NE(piece(1).joined_sides, 0);
  EXPECT_EQ(effects_.sounds, (std::vector{BoardSound::kTurn, BoardSound::kJoin}))
      << "the join is the sound heard last";
  // The join sparkles on the turned piece.
  EXPECT_EQ(table_->sparkles().started(), 1);
  const auto [on_table, in_box] = SparklesShown(0);
  ASSERT_FALSE(on_table.Empty());
  const Rect16 turned = piece(1).board;
  EXPECT_NEAR(on_table.x + on_table.width / 2, turned.x + turned.width / 2, 2);
  EXPECT_NEAR(on_table.y + on_table.height / 2, turned.y + turned.height / 2, 2);
  for (int index = 2; index < count - 1; ++index)
    DragTo(index, board().ExactPlace(anchor_of(index), index));
  ASSERT_FALSE(board().solved());
  TurnIntoPlace(count - 1, anchor_of(count - 1));
  EXPECT_TRUE(board().solved());
  EXPECT_EQ(effects_.sounds, (std::vector{BoardSound::kTurn, BoardSound::kSolved}))
      << "the finish is not cut off by the turn";
}

TEST_F(TablePlay, SparklesAndTheCompletionEffectLeaveTheTableAsItWas) {
  Open();
  const std::vector<std::uint8_t> before = Buffer();
  const auto [x, y] = EmptyPoint();
  table_->Sparkle(kTableWindow, x, y);
  clock_.Sleep(kSparkleMicroseconds / 2);
  Tick(kSparkleTimer);
  EXPECT_NE(Buffer(), before) << "the sparkle shows at its height";
  SparklesEnd();
  EXPECT_TRUE(table_->sparkles().empty());
  EXPECT_EQ(Buffer(), before);

  table_->StartCompletionEffect(kCompletionSparkles);
  for (int tick = 0; tick < kCompletionSparkles + 5; ++tick) {
    Tick(kTableTickTimer);
    clock_.Sleep(kSparkleMicroseconds / 3);
    Tick(kSparkleTimer);
  }
  SparklesEnd();
  EXPECT_EQ(table_->sparkles().started(), 1 + kCompletionSparkles) << "twenty, then no more";
  EXPECT_FALSE(table_->completion_running());
  EXPECT_EQ(Buffer(), before);

  table_->set_no_sparkle(true);
  table_->Sparkle(kTableWindow, x, y);
  EXPECT_EQ(table_->sparkles().started(), 1 + kCompletionSparkles);
}

TEST_F(TablePlay, SparklesShowInTheWindowOfTheJoinAtItsPlace) {
  Open();
  BoxWindows& boxes = table_->boxes();
  // A join by a drop inside an open box sparkles at the mouse, in the box.
  const int box = 2;
  puz_.boxes[box].open = {10, 10, static_cast<std::int16_t>(table_->width() - 80),
                          static_cast<std::int16_t>(table_->height() - 80)};
  boxes.Toggle(box);
  const int right = Neighbour(0, kRight);
  boxes.TakeGroup(0, box);
  boxes.TakeGroup(right, box);
  const auto [ex, ey] = board().ExactPlace(0, right);
  board().MovePiece(right, kMoveRedraw, ex + 20, ey);
  const Rect16 client = boxes.window(box)->ClientOnTable();
  const auto [gx, gy] = Grip(right);
  MouseOnScreen(kMouseLeftDown, client.x + gx, client.y + gy);
  MouseOnScreen(kMouseLeftDrag, client.x + gx - 10, client.y + gy);
  MouseOnScreen(kMouseLeftDrag, client.x + gx - 20, client.y + gy);
  MouseOnScreen(kMouseLeftUp, client.x + gx - 20, client.y + gy);
  ASSERT_NE(piece(right).joined_sides, 0);
  ASSERT_EQ(piece(right).box, box);
  EXPECT_EQ(table_->sparkles().started(), 1);
  const auto [on_table, in_box] = SparklesShown(box);
  EXPECT_TRUE(on_table.Empty()) << "the table does not sparkle";
  ASSERT_FALSE(in_box.Empty()) << "the box sparkles";
  EXPECT_NEAR(in_box.x + in_box.width / 2, gx - 20, 2);
  EXPECT_NEAR(in_box.y + in_box.height / 2, gy, 2);
}

TEST_F(TablePlay, ShowWhereIntoAClosedBoxOpensItAndPointsAtTheNeighbourThere) {
  Open();
  BoxWindows& boxes = table_->boxes();
  const int box = 3;
  const int below = Neighbour(0, kDown);
  ASSERT_NE(below, kNoNeighbour);
  boxes.TakeGroup(below, box);
  ASSERT_TRUE(puz_.boxes[box].closed());
  Grip(0);
  const Rect16 cell = piece(0).board;
  Mouse(kMouseLeftDown, cell.x + cell.width / 2, cell.y + cell.height - 2, kModControl | kModAlt);
  ASSERT_FALSE(puz_.boxes[box].closed()) << "the box opens to show the neighbour";
  EXPECT_EQ(effects_.helps, 1);
  EXPECT_EQ(board().puz().cut.z_order.front(), below);
  // The show ends on the neighbour where the box shows it.
  const Rect16 client = boxes.window(box)->ClientOnTable();
  const Rect16 inside = piece(below).window;
  EXPECT_EQ(table_->PieceOnTable(below),
            (Rect16{static_cast<std::int16_t>(client.x + inside.x),
                    static_cast<std::int16_t>(client.y + inside.y), inside.width, inside.height}));
  const auto [on_table, in_box] = SparklesShown(box);
  EXPECT_TRUE(on_table.Empty()) << "the table does not sparkle";
  ASSERT_FALSE(in_box.Empty()) << "the neighbour sparkles in its box";
  EXPECT_NEAR(in_box.x + in_box.width / 2, inside.x + inside.width / 2, 2);
  EXPECT_NEAR(in_box.y + in_box.height / 2, inside.y + inside.height / 2, 2);
}

TEST_F(TablePlay, ABoxAskedForWhileTheBoxesArePutAwayComesBackInSight) {
  Open();
  BoxWindows& boxes = table_->boxes();
  QWidget* table = WidgetOf(table_->platform_window());
  const auto shown = [&boxes, table](int box) {
    return WidgetOf(boxes.window(box)->platform_window())->isVisibleTo(table);
  };
  boxes.Toggle(4);
  // The boxes put away, as the game's settings do it.
  puz_.game_flags |= kGameHideBoxes;
  boxes.HideAll();
  ASSERT_FALSE(shown(0));
  ASSERT_FALSE(shown(4));

  // A closed box asked for opens where the player sees it, and takes pieces.
  boxes.Toggle(1);
  ASSERT_FALSE(puz_.boxes[1].closed());
  EXPECT_TRUE(shown(1));
  EXPECT_TRUE(shown(0)) << "the other boxes come back too";
  EXPECT_FALSE(puz_.game_flags & kGameHideBoxes);
  const Rect16 client = boxes.window(1)->ClientOnTable();
  EXPECT_EQ(table_->BoxUnder(kTableWindow, {client.x, client.y, 20, 20}), 1);

  // An open box asked for while put away is shown again, not closed unseen.
  puz_.game_flags |= kGameHideBoxes;
  boxes.HideAll();
  boxes.Toggle(4);
  EXPECT_FALSE(puz_.boxes[4].closed());
  EXPECT_TRUE(shown(4));
}

TEST_F(TablePlay, ABoxOpensTakesAPieceByItsMiddleAndGivesItBack) {
  Open();
  BoxWindows& boxes = table_->boxes();
  ASSERT_EQ(boxes.count(), 6);
  WBox* closed = boxes.window(0);
  ASSERT_NE(closed, nullptr);
  EXPECT_EQ(closed->WindowRect(), puz_.boxes[0].ClosedRect()) << "parked along the bottom";
  const Rect16 square = closed->WindowRect();
  MouseOnScreen(kMouseLeftDouble, square.x + 5, square.y + 5);
  ASSERT_FALSE(puz_.boxes[0].closed());
  EXPECT_EQ(effects_.sounds.back(), BoardSound::kEffect);
  WBox* open = boxes.window(0);
  const Rect16 client = open->ClientOnTable();
  EXPECT_EQ(open->Title(), "1 (0 " + std::string(Text(kTextPieces, kContextPlural)) + ")");

  // Its middle just outside the box, the piece stays on the table; just
  // inside, the box takes it and the drag goes on there.
  const int carried = 5;
  const Rect16 cell = piece(carried).board;
  EXPECT_EQ(
      table_->BoxUnder(kTableWindow, {static_cast<std::int16_t>(client.x - cell.width / 2 - 1),
                                      client.y, cell.width, cell.height}),
      kTableWindow);
  EXPECT_EQ(
      table_->BoxUnder(kTableWindow, {static_cast<std::int16_t>(client.x - cell.width / 2 + 1),
                                      client.y, cell.width, cell.height}),
      0);
  CarryTo(carried, client.x + client.width / 2, client.y + client.height / 2);
  EXPECT_EQ(piece(carried).box, 0);
  EXPECT_EQ(puz_.boxes[0].pieces, 1);
  EXPECT_NE(open->Title().find("(1 "), std::string::npos);
  EXPECT_EQ(board().dragged(), kNoPiece);

  // Carried out again, it is the table's.
  const int x = client.x + client.width / 2, y = client.y + client.height / 2;
  MouseOnScreen(kMouseLeftDown, x, y);
  ASSERT_EQ(board().dragged(), carried);
  for (int step = 1; step <= 8; ++step)
    MouseOnScreen(kMouseLeftDrag, x + step * 60, y + step * 40);
  MouseOnScreen(kMouseLeftUp, x + 480, y + 320);
  EXPECT_EQ(piece(carried).box, kTableWindow);
  EXPECT_EQ(puz_.boxes[0].pieces, 0);
}

TEST_F(TablePlay, ABoxOpenedByADoubleClickTakesARightPressOnItsFloorAtOnce) {
  Open();
  BoxWindows& boxes = table_->boxes();
  // The toolkit's events, as the window system gives them: the release
  // that ends the double click is lost, as its window goes meanwhile.
  const auto send = [](Window* window, QEvent::Type type, Qt::MouseButton button,
                       Qt::MouseButtons held, QPoint at) {
    QWidget* widget = WidgetOf(window->platform_window());
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
  };
  const QPoint corner(5, 5);
  send(boxes.window(0), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, corner);
  send(boxes.window(0), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, corner);
  send(boxes.window(0), QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, corner);
  ASSERT_FALSE(puz_.boxes[0].closed());
  QApplication::processEvents();

  std::vector<std::uint32_t> offered;
  QTimer::singleShot(0, [&offered] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions())
      offered.push_back(static_cast<std::uint32_t>(action->data().toULongLong()));
    menu->close();
  });
  const Rect16 floor = boxes.window(0)->ClientRect();
  send(boxes.window(0), QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton,
       QPoint(floor.width / 2, floor.height / 2));
  for (std::uint32_t command : {kCommandBoxMaximise, kCommandBoxClose, kCommandBoxColour,
                                kCommandBoxRename, kCommandBoxSpread, kCommandHelp})
    EXPECT_TRUE(std::find(offered.begin(), offered.end(), command) != offered.end())
        << "the box's menu offers " << command;
}

TEST_F(TablePlay, TabReachesTheGameWhileBoxesLieOnTheTable) {
  Open();
  table_->boxes().Toggle(0);
  // The toolkit would take Tab to move the focus into the box.
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QCoreApplication::sendEvent(WidgetOf(table_->platform_window()), &tab);
  EXPECT_EQ(game_.keys, std::vector<int>{kVkTab});
}

TEST_F(TablePlay, AJoinedGroupCarriedIntoABoxLiesUnderTheMouse) {
  Open();
  const int right = Neighbour(0, kRight);
  DragTo(right, board().ExactPlace(0, right));
  ASSERT_NE(piece(right).joined_sides, 0);
  // Well inside the table, where carrying it scrolls nothing.
  board().MovePiece(0, kMoveReplaceGroup, 300, 350);
  BoxWindows& boxes = table_->boxes();
  boxes.Toggle(3);
  const Rect16 client = boxes.window(3)->ClientOnTable();
  const auto [x, y] = Grip(0);
  const int grip_x = x - piece(0).board.x, grip_y = y - piece(0).board.y;
  CarryTo(0, client.x + client.width / 2, client.y + client.height / 2, false);
  // Its floating picture went with it: carried on inside the box, it stays.
  const Rect16 floating = board().carried_bounds();
  MouseOnScreen(kMouseLeftDrag, client.x + client.width / 2 + 1, client.y + client.height / 2);
  EXPECT_EQ(board().carried_bounds().x, floating.x + 1);
  EXPECT_EQ(board().carried_bounds().y, floating.y);
  MouseOnScreen(kMouseLeftUp, client.x + client.width / 2 + 1, client.y + client.height / 2);
  EXPECT_EQ(piece(0).box, 3);
  EXPECT_EQ(piece(right).box, 3);
  EXPECT_EQ(piece(0).board.x + grip_x, client.width / 2 + 1) << "the grip stays under the mouse";
  EXPECT_EQ(piece(0).board.y + grip_y, client.height / 2);
  EXPECT_EQ(piece(right).board.x, piece(0).board.x + piece(0).board.width);
}

TEST_F(TablePlay, AltAndAClickPinAGroupInABoxWhereItLies) {
  Open();
  BoxWindows& boxes = table_->boxes();
  boxes.Toggle(2);
  boxes.TakeGroup(4, 2);
  WBox* box = boxes.window(2);
  const Rect16 client = box->ClientOnTable();
  const Rect16 cell = piece(4).board;
  const int x = client.x + cell.x + cell.width / 2, y = client.y + cell.y + cell.height / 2;
  const Rect16 tack =
      table_->play().tack.PictureAt(cell.x + cell.width / 2, cell.y + cell.height / 2);
  box->back_buffer()->dc().Flush();
  const std::uint32_t before =
      box->back_buffer()->dc().GetPixel(tack.x + tack.width / 2, tack.y + tack.height / 2);
  MouseOnScreen(kMouseLeftDown, x, y, kModAlt);
  MouseOnScreen(kMouseLeftUp, x, y, kModAlt);
  EXPECT_TRUE(board().pinned(4));
  EXPECT_FALSE(table_->play().tack.away()) << "the table's tack stays home";
  box->back_buffer()->dc().Flush();
  EXPECT_NE(box->back_buffer()->dc().GetPixel(tack.x + tack.width / 2, tack.y + tack.height / 2),
            before)
      << "the tack shows on the piece";
  // A press frees the group again, and nothing is carried.
  MouseOnScreen(kMouseLeftDown, x, y);
  EXPECT_FALSE(board().pinned(4));
  EXPECT_FALSE(table_->play().tack.carried());
  MouseOnScreen(kMouseLeftUp, x, y);
}

TEST_F(TablePlay, ClosingABoxHandsItsCarriedPieceToTheTable) {
  Open();
  BoxWindows& boxes = table_->boxes();
  boxes.Toggle(1);
  const Rect16 client = boxes.window(1)->ClientOnTable();
  const int carried = 2;
  CarryTo(carried, client.x + client.width / 2, client.y + client.height / 2, false);
  ASSERT_EQ(piece(carried).box, 1);
  boxes.Toggle(1);
  EXPECT_TRUE(puz_.boxes[1].closed());
  EXPECT_EQ(piece(carried).box, kTableWindow) << "no drag is left in a window that went";
  EXPECT_EQ(board().dragged(), carried);
  MouseOnScreen(kMouseLeftUp, client.x, client.y);
  EXPECT_EQ(board().dragged(), kNoPiece);
  EXPECT_EQ(piece(carried).box, kTableWindow);
}

TEST_F(TablePlay, EmptyingABoxKeepsItsPinnedGroupAndTheBoxOpen) {
  Open();
  BoxWindows& boxes = table_->boxes();
  boxes.Toggle(2);
  boxes.TakeGroup(0, 2);
  boxes.TakeGroup(7, 2);
  ASSERT_EQ(puz_.boxes[2].pieces, 2);
  board().Pin(7);
  boxes.Empty(2);
  EXPECT_EQ(piece(0).box, kTableWindow);
  EXPECT_EQ(piece(7).box, 2);
  EXPECT_FALSE(puz_.boxes[2].closed());
  EXPECT_EQ(puz_.boxes[2].pieces, 1);
  board().Unpin(7);
  boxes.Empty(2);
  EXPECT_EQ(piece(7).box, kTableWindow);
  EXPECT_TRUE(puz_.boxes[2].closed()) << "an emptied box closes";

  // Moved closed squares line up again.
  boxes.window(4)->Move({10, 10, kClosedBoxSize, kClosedBoxSize});
  EXPECT_FALSE(boxes.ClosedBoxesInLine());
  boxes.LineUpClosedBoxes();
  EXPECT_TRUE(boxes.ClosedBoxesInLine());
  EXPECT_EQ(boxes.window(4)->WindowRect(), puz_.boxes[4].ClosedRect());
}

TEST_F(TablePlay, ABoxThatTakesACarriedPieceComesAboveTheBoxOverIt) {
  Open();
  BoxWindows& boxes = table_->boxes();
  boxes.Toggle(0);
  boxes.Toggle(1);
  const Rect16 lower = boxes.window(0)->ClientOnTable();
  // Box 2 lies over the right of box 1, and above it.
  WBox* upper = boxes.window(1);
  Rect16 over = upper->WindowRect();
  over.x = static_cast<std::int16_t>(lower.x + lower.width * 3 / 4);
  over.y = lower.y;
  upper->Move(over);
  boxes.BringToTop(1);
  ASSERT_GT(upper->raised_at(), boxes.window(0)->raised_at());

  // Carried up into the free part of box 1, from below it.
  const int carried = 5;
  const int x = lower.x + lower.width / 3, y = lower.y + lower.height / 2;
  const Rect16 cell = piece(carried).board;
  board().MovePiece(carried, kMoveReplaceGroup, x - cell.width / 2, lower.y + lower.height + 40);
  CarryTo(carried, x, y);
  ASSERT_EQ(piece(carried).box, 0);
  EXPECT_GT(boxes.window(0)->raised_at(), upper->raised_at());
  const QObjectList stack = WidgetOf(table_->platform_window())->children();
  const auto frame = [](WBox* box) { return WidgetOf(box->platform_window())->parentWidget(); };
  EXPECT_GT(stack.indexOf(frame(boxes.window(0))), stack.indexOf(frame(upper)))
      << "the box that took the piece is drawn above the other";
}

TEST_F(TablePlay, AGroupSentIntoABoxLiesOnItsFloorAndLeavesNoGhostOnTheTable) {
  Open();
  const int right = Neighbour(0, kRight);
  DragTo(right, board().ExactPlace(0, right));
  ASSERT_NE(piece(right).joined_sides, 0);
  SparklesEnd();
  BoxWindows& boxes = table_->boxes();
  const auto inside = [&](int box, const std::vector<int>& group) {
    const Rect16 floor = boxes.window(box)->ClientRect();
    for (int member : group) {
      const Rect16 drawn = piece(member).window;
      EXPECT_EQ(piece(member).box, box);
      EXPECT_TRUE(drawn.x >= 0 && drawn.y >= 0 && drawn.x + drawn.width <= floor.width &&
                  drawn.y + drawn.height <= floor.height)
          << "piece " << member << " at " << drawn.x << "," << drawn.y << " " << drawn.width << "x"
          << drawn.height << " in " << floor.width << "x" << floor.height;
    }
  };

  // Into a closed box (Alt and a digit over the group): the table where
  // the group was is as a full repaint draws it.
  boxes.TakeGroup(0, 1);
  const std::vector<std::uint8_t> after = Buffer();
  table_->Refresh();
  EXPECT_TRUE(after == Buffer()) << "the group left a ghost on the table";
  boxes.Toggle(1);
  inside(1, {0, right});

  // Into an open box, over the others.
  boxes.Toggle(4);
  boxes.Toggle(2);
  boxes.TakeGroup(0, 4);
  inside(4, {0, right});
  EXPECT_GT(boxes.window(4)->raised_at(), boxes.window(2)->raised_at());
}

TEST_F(TablePlay, ARenamedBoxShowsItsNameAndCountsItsPiecesInWords) {
  Traductor dictionary;
  dictionary.set_directory(CBST_PROGRAM_DIR);
  dictionary.set_accepted_version(kDictionaryVersion);
  ASSERT_TRUE(dictionary.Load(kEnglishCode, kDictionaryTag, kEnglishCode).ok());
  Open();
  BoxWindows& boxes = table_->boxes();
  // What the naming dialog showed, and the clock's pauses while it was open.
  struct Seen {
    QString title, label, edit, typed;
    int pauses = 0;
  } seen;
  // Once the dialog is up: notes what it shows, types `typed` key by key
  // into the name, asks for help when told, and presses Enter.
  const auto answer = [&](const QString& typed, bool help) {
    QTimer::singleShot(0, [&, typed, help] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      const auto control = [dialog](int id) { return testing::ControlOf(dialog, id); };
      seen.title = dialog->windowTitle();
      seen.pauses = effects_.paused;
      if (auto* label = qobject_cast<QLabel*>(control(kNameBoxLabel))) seen.label = label->text();
      auto* edit = qobject_cast<QLineEdit*>(control(kNameBoxEdit));
      if (!edit) {
        ADD_FAILURE() << "no name to type";
        qobject_cast<QPushButton*>(control(kCommandCancel))->click();
        return;
      }
      EXPECT_EQ(dialog->focusWidget(), edit) << "typing goes to the name";
      seen.edit = edit->text();
      for (const QChar character : typed) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(edit, &press);
      }
      seen.typed = edit->text();
      if (help) qobject_cast<QPushButton*>(control(kCommandHelp))->click();
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(edit, &enter);
    });
  };
  answer("Clouds over the far hills", false);
  boxes.Rename(1);
  EXPECT_EQ(seen.title, "Box:1");
  EXPECT_EQ(seen.label, "Name");
  EXPECT_EQ(seen.pauses, 1) << "the clock stands still while the box is named";
  EXPECT_EQ(effects_.paused, 0);
  EXPECT_EQ(seen.typed, "Clouds over the far ") << "twenty characters and no more";
  EXPECT_EQ(puz_.boxes[1].name, "Clouds over the far ");

  // The name is shown to be typed over.
  answer("Sky", true);
  boxes.Rename(1);
  EXPECT_EQ(seen.edit, "Clouds over the far ");
  EXPECT_EQ(std::ranges::count(game_.command_ids(), kCommandHelp), 1)
      << "its help goes to the game";
  ASSERT_EQ(puz_.boxes[1].name, "Sky");
  EXPECT_NE(boxes.window(1)->Tip().find("Sky"), std::string::npos) << "the closed square's tip";

  boxes.Toggle(1);
  const auto caption = [&] {
    return WidgetOf(boxes.window(1)->platform_window())->parentWidget()->windowTitle();
  };
  EXPECT_EQ(caption(), "2 Sky  (0 pieces)");
  boxes.TakeGroup(5, 1);
  EXPECT_EQ(caption(), "2 Sky  (1 piece)");
  boxes.TakeGroup(6, 1);
  EXPECT_EQ(caption(), "2 Sky  (2 pieces)");
}

}  // namespace
}  // namespace cbst
