// The table on a screen that scales (a device pixel ratio above 1): it
// counts, draws and presents in device pixels, and the mouse maps onto
// them. The suite runs again with QT_SCALE_FACTOR=2; at a ratio of 1 these
// tests have nothing to prove and step aside.
#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include <cstring>

#include "gfx/dc.h"
#include "platform/platform_window_qt.h"
#include "play/wbox.h"
#include "play/wloupe.h"
#include "puzzle/piece_box.h"
#include "support/table_fixture.h"

namespace cbst::testing {
namespace {

class DevicePixelsTest : public TableTest<DevicePixelsTest> {
 public:
  static SuitePuzzle Puzzle() { return {"DevicePixels", {3}, {4}, 11, 0x404040}; }

 protected:
  void SetUp() override {
    ratio_ = QGuiApplication::primaryScreen()->devicePixelRatio();
    if (ratio_ == 1.0) GTEST_SKIP() << "the screen does not scale";
    TableTest::SetUp();
    logical_ = QGuiApplication::primaryScreen()->geometry().size();
  }

  void OpenUnturned() {
    OpenRequest request;
    request.options = kOpenNoTurning;
    OpenPuzzle(request);
  }
  double ratio_ = 1.0;
  QSize logical_;
};

TEST_F(DevicePixelsTest, TheTableAndThePictureHaveTheScreensDevicePixels) {
  // The picture (480 x 360) takes less than half of the screen's device
  // pixels but more than half of its logical ones: it keeps its full size.
  EXPECT_EQ(table_->width(), qRound(logical_.width() * ratio_));
  EXPECT_EQ(table_->height(), qRound(logical_.height() * ratio_));
  EXPECT_EQ(table_->back_buffer().width(), table_->width());
  EXPECT_EQ(table_->back_buffer().height(), table_->height());
  OpenUnturned();
  EXPECT_EQ(puz_.picture_rect.width, 480);
  EXPECT_EQ(puz_.picture_rect.height, 360);
  // A box's square is no picture: on the screen it keeps its size, and its
  // place counts in the table's pixels.
  const WBox* box = table_->boxes().window(0);
  ASSERT_TRUE(box && box->exists());
  const QWidget* square = WidgetOf(const_cast<WBox*>(box)->platform_window());
  EXPECT_EQ(square->width(), kClosedBoxSize);
  EXPECT_EQ(square->x() * ratio_, puz_.boxes[0].closed_x);
  EXPECT_EQ(box->ClientRect().width, qRound(kClosedBoxSize * ratio_));
  // Nor is the loupe's window: it keeps its size on the screen.
  ASSERT_TRUE(table_->OpenLoupe(kLoupeLeftButton, 300, 300));
  EXPECT_EQ(table_->loupe()->WindowRect().width,
            qRound((kLoupeDefaultSize + kLoupeFrameExtra) * ratio_));
}

TEST_F(DevicePixelsTest, APieceIsShownWithThePicturesOwnPixels) {
  OpenUnturned();
  // The top piece, all of it seen.
  const SPuz& lying = piece(puz_.cut.z_order.front());
  table_->back_buffer().dc().Flush();
  const PixelView buffer = table_->back_buffer().pixels();
  const PixelView image = puz_.sheets.image->pixels();
  DC& mask = puz_.sheets.mask->dc();
  // What the screen shows of the table, grabbed at the screen's pixels.
  const QImage shown =
      WidgetOf(table_->platform_window())->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.width(), table_->width());
  int checked = 0;
  for (int dy = 0; dy < lying.cell.height; ++dy) {
    for (int dx = 0; dx < lying.cell.width; ++dx) {
      // Where the mask lets the piece through, the table has the piece's
      // own pixels, one for one, and so has the screen.
      if (mask.GetPixel(lying.cell.x + dx, lying.cell.y + dy) != 0) continue;
      const std::uint8_t* own = buffer.At(lying.board.x + dx, lying.board.y + dy);
      ASSERT_EQ(std::memcmp(own, image.At(lying.cell.x + dx, lying.cell.y + dy), 3), 0)
          << dx << "," << dy;
      const QRgb on_screen = shown.pixel(lying.board.x + dx, lying.board.y + dy);
      ASSERT_EQ(qBlue(on_screen), own[0]) << dx << "," << dy;
      ASSERT_EQ(qGreen(on_screen), own[1]);
      ASSERT_EQ(qRed(on_screen), own[2]);
      ++checked;
    }
  }
  EXPECT_GT(checked, lying.cell.width * lying.cell.height / 2);
}

TEST_F(DevicePixelsTest, APressAtALogicalPositionPicksThePieceDrawnThere) {
  OpenPuzzle({});
  // A piece seen at an odd device pixel, which lies between two logical
  // ones: the press says where exactly.
  int top = kNoPiece, x = 0, y = 0;
  for (const int index : puz_.cut.z_order) {
    const Rect16& cell = piece(index).board;
    x = (cell.x + cell.width / 2) | 1;
    y = (cell.y + cell.height / 2) | 1;
    if (board().HitTest(kTableWindow, x, y) == index) {
      top = index;
      break;
    }
  }
  ASSERT_NE(top, kNoPiece);
  QWidget* host = WidgetOf(table_->platform_window());
  const QPointF at((x + 0.5) / ratio_, (y + 0.5) / ratio_);
  QMouseEvent press(QEvent::MouseButtonPress, at, host->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(host, &press);
  EXPECT_EQ(table_->dragged(), top);
  QMouseEvent release(QEvent::MouseButtonRelease, at, host->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(host, &release);
  EXPECT_EQ(table_->dragged(), kNoPiece);
}

}  // namespace
}  // namespace cbst::testing
