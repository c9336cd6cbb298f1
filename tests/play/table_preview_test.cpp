// table_preview_test.cpp: the preview window and the loupe on a real table
// with an opened puzzle, driven by the framework's mouse and key events;
// and the count of the pieces over the preview picture as they move.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "platform/key_state.h"
#include "platform/mouse_buttons.h"
#include "platform/platform_window_qt.h"
#include "play/game_flags.h"
#include "play/game_handler.h"
#include "play/wloupe.h"
#include "play/wmuestra.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "support/recording_game.h"
#include "support/table_fixture.h"
#include "ui/application.h"
#include "ui/event_codes.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

// A widget's picture as the screen would show it, and saved for a look
// when CBST_GRAB_DIR names a folder.
QImage Grab(Window& window, const char* name) {
  const QImage image = WidgetOf(window.platform_window())->grab().toImage();
  if (const char* folder = std::getenv("CBST_GRAB_DIR"))
    image.save(QString::fromStdString((fs::path(folder) / name).string()));
  return image;
}

// A pixel of a bitmap of the game as 0x00RRGGBB.
std::uint32_t PixelOf(BmpMem& bitmap, int x, int y) {
  bitmap.dc().Flush();
  const PixelView pixels = bitmap.pixels();
  std::uint32_t value = 0;
  for (int at = 0; at < std::min(pixels.bytes, 3); ++at)
    value |= std::uint32_t{pixels.At(x, y)[at]} << (8 * at);
  return value;
}

class TablePreview : public testing::TableTest<TablePreview> {
 public:
  static testing::SuitePuzzle Puzzle() { return {"Orchard", {3}, {4}, 19, 0x304050}; }

 protected:
  void SetUp() override {
    // No key or button an earlier test left down changes what a press means.
    for (int key : {kVirtualControl, kVirtualShift, kVirtualAlt, kVkReturn, kVkSeparator})
      NoteKey(key, false);
    for (MouseButton button : {MouseButton::kLeft, MouseButton::kRight, MouseButton::kMiddle})
      NoteMouseButton(button, false);
    ASSERT_NO_FATAL_FAILURE(TableTest::SetUp());
    table_->set_effects(&effects_);
    table_->set_game(&game_);
    Event show = MakeEvent(kRequestShow, ShowPayload{false, kShowNormal});
    table_->Dispatch(show);
    application_.ProcessPending();
  }
  void TearDown() override {
    NoteMouseButton(MouseButton::kRight, false);
    TableTest::TearDown();
  }
  void Open(std::uint32_t game_flags = 0) {
    OpenRequest request;
    request.options = kOpenNoTurning;
    request.game_flags = game_flags;
    ASSERT_NO_FATAL_FAILURE(OpenPuzzle(request));
    // The boxes stay out of the way of what is looked at.
    table_->boxes().Close();
    table_->Refresh();
  }
  void Mouse(Window& window, int subcode, int x, int y) {
    Event event = MakeEvent(kEventMouse, MousePayload{subcode, x, y, 0});
    window.Dispatch(event);
  }
  void Key(Window& window, int virtual_key) {
    KeyPayload key;
    key.virtual_key = virtual_key;
    Event event = MakeEvent(kEventKey, key);
    window.Dispatch(event);
  }
  WMuestra& Preview() {
    EXPECT_TRUE(table_->ShowPreviewWindow(0x1020));
    WMuestra* window = table_->preview_window();
    EXPECT_NE(window, nullptr);
    return *window;
  }
  // A piece lying free on the table, away from the preview picture.
  int FreePiece() {
    for (int index = 0; index < table_->board().piece_count(); ++index) {
      const Rect16& place = puz_.cut.pieces[static_cast<std::size_t>(index)].board;
      if (!place.Overlaps(table_->PreviewPicture()) && place.x > 200 && place.y > 200 &&
          place.y + place.height < table_->height() - 200)
        return index;
    }
    ADD_FAILURE() << "no piece lies free";
    return 0;
  }
  // Checks the loupe's view pixel by pixel against the table's back
  // buffer, magnified about the mouse.
  void ExpectMagnifiedTable(WLoupe& loupe, int x, int y) {
    BmpMem& view = *loupe.view();
    const double zoom = loupe.settings().zoom;
    const ClientPoint fixed = loupe.fixed_point();
    int compared = 0;
    for (int ty = 0; ty < view.height(); ty += 3) {
      for (int tx = 0; tx < view.width(); tx += 3) {
        const int sx = x + static_cast<int>(std::floor((tx - fixed.x) / zoom));
        const int sy = y + static_cast<int>(std::floor((ty - fixed.y) / zoom));
        if (sx < 0 || sy < 0 || sx >= table_->width() || sy >= table_->height()) continue;
        ASSERT_EQ(PixelOf(view, tx, ty), PixelOf(table_->back_buffer(), sx, sy))
            << "view " << tx << "," << ty << " table " << sx << "," << sy;
        ++compared;
      }
    }
    EXPECT_GT(compared, 1000);
  }

  testing::RecordingEffects effects_;
  testing::RecordingGame game_;
};

TEST_F(TablePreview, ThePreviewWindowShowsThePictureInADoubleFrameAndNeverLeavesTheTable) {
  Open();
  WMuestra& preview = Preview();
  BmpMem& picture = *puz_.preview_picture;
  EXPECT_TRUE(preview.visible());
  EXPECT_EQ(preview.key(), 0x1020);
  const Rect16 place = preview.WindowRect();
  EXPECT_EQ(place.width, picture.width() + 4);
  EXPECT_EQ(place.height, picture.height() + 4);

  const QImage shown = Grab(preview, "preview.png");
  ASSERT_EQ(shown.width(), place.width);
  EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, kPreviewOuterLine);
  EXPECT_EQ(shown.pixel(place.width - 1, 9) & 0xFFFFFF, kPreviewOuterLine);
  EXPECT_EQ(shown.pixel(1, 1) & 0xFFFFFF, kPreviewInnerLine);
  EXPECT_EQ(shown.pixel(9, place.height - 2) & 0xFFFFFF, kPreviewInnerLine);
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{57, 31}, std::pair{picture.width() - 1, picture.height() - 1}})
    EXPECT_EQ(shown.pixel(x + 2, y + 2) & 0xFFFFFF, PixelOf(picture, x, y)) << x << "," << y;

  // A left drag moves it, as far as the table's edges and no further.
  Mouse(preview, kMouseLeftDown, 10, 10);
  Mouse(preview, kMouseLeftDrag, 60, 45);
  EXPECT_EQ(preview.WindowRect().x, place.x + 50);
  EXPECT_EQ(preview.WindowRect().y, place.y + 35);
  Mouse(preview, kMouseLeftDrag, -3000, -3000);
  EXPECT_EQ(preview.WindowRect().x, 0);
  EXPECT_EQ(preview.WindowRect().y, 0);
  Mouse(preview, kMouseLeftDrag, 9000, 9000);
  EXPECT_EQ(preview.WindowRect().x + place.width, table_->width());
  EXPECT_EQ(preview.WindowRect().y + place.height, table_->height());
  Mouse(preview, kMouseLeftUp, 9000, 9000);
  EXPECT_TRUE(preview.shown()) << "a drag does not put it away";
}

TEST_F(TablePreview, ThePreviewWindowGoesWithTheRightButtonADoubleClickOrEscWithTheClockStill) {
  Open();
  const std::vector<std::function<void(WMuestra&)>> ways = {
      [&](WMuestra& window) { Mouse(window, kMouseRightDown, 20, 20); },
      [&](WMuestra& window) { Mouse(window, kMouseLeftDouble, 20, 20); },
      [&](WMuestra& window) { Key(window, kVkEscape); },
  };
  for (std::size_t way = 0; way < ways.size(); ++way) {
    WMuestra& preview = Preview();
    ASSERT_TRUE(table_->preview_window_shown());
    const int pauses = effects_.pauses;
    ways[way](preview);
    EXPECT_FALSE(table_->preview_window_shown()) << way;
    EXPECT_FALSE(preview.visible()) << way;
    EXPECT_EQ(effects_.pauses, pauses + 1) << "the clock stood still as it went";
    EXPECT_EQ(effects_.paused, 0) << "and runs again";
  }
  // Other keys go on to the table and its game.
  WMuestra& preview = Preview();
  Key(preview, 'Q');
  EXPECT_EQ(game_.keys, std::vector<int>{'Q'});
}

TEST_F(TablePreview, WithoutThePreviewThereIsNoPictureNoWindowAndNoDrag) {
  Open(kGameNoPreview);
  EXPECT_TRUE(table_->PreviewPlace().Empty());
  EXPECT_FALSE(table_->ShowPreviewWindow(0));
  EXPECT_EQ(table_->preview_window(), nullptr);
  // A press where the picture would lie starts no drag of it.
  Mouse(*table_, kMouseLeftDown, 5, 5);
  Mouse(*table_, kMouseLeftUp, 5, 5);
  EXPECT_FALSE(table_->preview_cover().dragged());

  // Taken off the table during its drag: the drag and the window go too.
  table_->AllowPreview(true);
  ASSERT_FALSE(table_->PreviewPlace().Empty());
  Preview();
  const Rect16 picture = table_->PreviewPicture();
  Mouse(*table_, kMouseLeftDown, picture.x + 5, picture.y + 5);
  Mouse(*table_, kMouseMove, picture.x + 40, picture.y + 30);
  ASSERT_TRUE(table_->preview_cover().dragged());
  table_->AllowPreview(false);
  EXPECT_FALSE(table_->preview_cover().dragged());
  EXPECT_FALSE(table_->preview_window_shown());
  EXPECT_FALSE(table_->ShowPreviewWindow(0));
}

TEST_F(TablePreview, PiecesDraggedOntoThePictureAndOffItAreCounted) {
  Open();
  table_->AllowPreview(true);
  const int piece = FreePiece();
  const Rect16 picture = table_->PreviewPicture();
  ASSERT_EQ(table_->preview_cover().pieces(), 0);
  SPuz& moved = puz_.cut.pieces[static_cast<std::size_t>(piece)];
  const int grip_x = moved.board.x + moved.board.width / 2;
  const int grip_y = moved.board.y + moved.board.height / 2;
  table_->board().BringToFront(piece, 0);
  Mouse(*table_, kMouseLeftDown, grip_x, grip_y);
  const int over_x = grip_x - (moved.board.x - picture.x) + 10;
  const int over_y = grip_y - (moved.board.y - picture.y) + 10;
  Mouse(*table_, kMouseLeftDrag, over_x, over_y);
  EXPECT_TRUE(moved.flags & kPieceOverPreview) << "counted while it is carried";
  EXPECT_EQ(table_->preview_cover().pieces(), 1);
  Mouse(*table_, kMouseLeftUp, over_x, over_y);
  EXPECT_EQ(table_->preview_cover().pieces(), 1);

  Mouse(*table_, kMouseLeftDown, over_x, over_y);
  Mouse(*table_, kMouseLeftDrag, grip_x, grip_y);
  Mouse(*table_, kMouseLeftUp, grip_x, grip_y);
  EXPECT_FALSE(moved.flags & kPieceOverPreview);
  EXPECT_EQ(table_->preview_cover().pieces(), 0);

  // After a scatter the count is every table piece over the picture.
  table_->board().Scatter(kTableWindow, true, false);
  int over = 0;
  for (const SPuz& each : puz_.cut.pieces)
    over += each.box == kTableWindow && each.board.Overlaps(picture);
  EXPECT_EQ(table_->preview_cover().pieces(), over);
}

TEST_F(TablePreview, TheLoupeShowsThePiecesUnderTheMouseMagnifiedAndFollowsTheMouse) {
  Open();
  const int piece = FreePiece();
  table_->board().BringToFront(piece, 0);
  table_->Refresh();
  const Rect16& place = puz_.cut.pieces[static_cast<std::size_t>(piece)].board;
  const int x = place.x + place.width / 2, y = place.y + place.height / 2;
  ASSERT_TRUE(table_->OpenLoupe(kLoupeLeftButton, x, y));
  WLoupe* loupe = table_->loupe();
  ASSERT_NE(loupe, nullptr);
  EXPECT_EQ(loupe->WindowRect(), LoupeWindowRect({150, 2.0}, x, y));
  ExpectMagnifiedTable(*loupe, x, y);
  Grab(*loupe, "loupe.png");
  // The mouse lets the loupe through: the table under it still plays.
  EXPECT_TRUE(WidgetOf(loupe->platform_window())->testAttribute(Qt::WA_TransparentForMouseEvents));

  // What moves under a still loupe shows in it at its next paint.
  table_->board().MovePiece(piece, kMoveRedraw, place.x + 9, place.y + 5);
  loupe->Update();
  ExpectMagnifiedTable(*loupe, x, y);

  // It follows the mouse, and at the table's edge what lies beyond is dark.
  Mouse(*table_, kMouseMove, 1, 1);
  EXPECT_EQ(loupe->WindowRect(), LoupeWindowRect({150, 2.0}, 1, 1));
  EXPECT_EQ(PixelOf(*loupe->view(), 0, 0), 0u);
  ExpectMagnifiedTable(*loupe, 1, 1);
}

TEST_F(TablePreview, LoupeKeysRemakeItWhereItIsTellTheChangeAndEscClosesIt) {
  Open();
  std::vector<LoupeSettings> kept;
  table_->set_loupe_settings({260, 4.0},
                             [&](const LoupeSettings& loupe) { kept.push_back(loupe); });
  ASSERT_TRUE(table_->OpenLoupe(kLoupeLeftButton, 500, 400));
  for (int key : {kVkUp, kVkUp, kVkAdd, kVkAdd})
    Key(*table_, key);
  EXPECT_EQ(table_->loupe()->WindowRect(), LoupeWindowRect({280, 5.0}, 500, 400))
      << "made again at the new size where it was";
  EXPECT_EQ(table_->loupe()->settings(), (LoupeSettings{280, 5.0}));
  EXPECT_EQ(kept, (std::vector<LoupeSettings>{{280, 4.0}, {280, 5.0}}))
      << "keys at a limit change nothing";
  EXPECT_TRUE(game_.keys.empty()) << "the loupe's keys are its own";
  Key(*table_, kVkEscape);
  EXPECT_EQ(table_->loupe(), nullptr);
  Key(*table_, kVkEscape);
  EXPECT_EQ(game_.keys, std::vector<int>{kVkEscape}) << "without a loupe Esc is the game's";
}

TEST_F(TablePreview, ASecondRequestClosesTheLoupeAndOtherGesturesKeepItShut) {
  Open();
  // Its icon opens it, and closes it again.
  const Rect16 icon = table_->loupe_icon();
  Mouse(*table_, kMouseLeftDown, icon.x + 2, icon.y + 2);
  Mouse(*table_, kMouseLeftUp, icon.x + 2, icon.y + 2);
  ASSERT_NE(table_->loupe(), nullptr);
  EXPECT_EQ(table_->loupe()->mode(), kLoupeLeftButton);
  Mouse(*table_, kMouseLeftDown, icon.x + 2, icon.y + 2);
  Mouse(*table_, kMouseLeftUp, icon.x + 2, icon.y + 2);
  EXPECT_EQ(table_->loupe(), nullptr);

  // A right press with the left button held, on a piece or beside one.
  const int piece = FreePiece();
  table_->board().BringToFront(piece, 0);
  const Rect16& place = puz_.cut.pieces[static_cast<std::size_t>(piece)].board;
  for (const auto& [x, y] : {std::pair{place.x + place.width / 2, place.y + place.height / 2},
                             std::pair{table_->width() / 2, table_->height() - 150}}) {
    NoteMouseButton(MouseButton::kLeft, true);
    NoteMouseButton(MouseButton::kRight, true);
    Mouse(*table_, kMouseRightDown, x, y);
    ASSERT_NE(table_->loupe(), nullptr) << x << "," << y;
    EXPECT_EQ(table_->loupe()->mode(), kLoupeBothButtons);
    EXPECT_FALSE(table_->OpenLoupe(kLoupeBothButtons, x, y)) << "the second request closes it";
    EXPECT_EQ(table_->loupe(), nullptr);
    NoteMouseButton(MouseButton::kRight, false);
    NoteMouseButton(MouseButton::kLeft, false);
  }
  // The icon's way does not allow the right button held.
  NoteMouseButton(MouseButton::kRight, true);
  EXPECT_FALSE(table_->OpenLoupe(kLoupeLeftButton, 300, 300));
  NoteMouseButton(MouseButton::kRight, false);
  // Nor while the thumbtack is in the player's hand.
  const Rect16 home = table_->tack_home();
  Mouse(*table_, kMouseLeftDown, home.x + 2, home.y + 2);
  ASSERT_TRUE(table_->carrying_tack());
  EXPECT_FALSE(table_->OpenLoupe(kLoupeLeftButton, 300, 300));
  Mouse(*table_, kMouseLeftUp, home.x + 2, home.y + 2);

  // The program going behind another one takes the loupe away.
  ASSERT_TRUE(table_->OpenLoupe(kLoupeLeftButton, 300, 300));
  Event inactive = MakeEvent(kEventOther, ActivationPayload{false});
  table_->Dispatch(inactive);
  EXPECT_EQ(table_->loupe(), nullptr);
}

}  // namespace
}  // namespace cbst
