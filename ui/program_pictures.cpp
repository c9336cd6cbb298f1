// program_pictures.cpp: drawing the icon, the table's small pictures and
// the drag cursor.
#include "ui/program_pictures.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "gfx/dc.h"
#include "platform/cursors.h"
#include "ui/program_picture_qt.h"

namespace cbst {
namespace {

constexpr QColor kOutline(60, 40, 20);
// Pixels of the program's pictures this opaque are drawn.
constexpr std::uint32_t kHalfOpaque = 0x80000000;

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

// A canvas for a drawing of `width` x `height` made `scale` times larger,
// and a painter on it that draws at that scale.
QImage ScaledCanvas(int width, int height, double scale) {
  return Canvas(static_cast<int>(std::lround(width * scale)),
                static_cast<int>(std::lround(height * scale)));
}

// A jigsaw piece with knobs at the top and the right and a hole on the
// left, filled with a warm wood colour.
QImage DrawPiece(int size) {
  QImage image = Canvas(size, size);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal unit = size / 8.0;
  const QRectF body(unit * 1.5, unit * 2, unit * 4.5, unit * 4.5);
  const qreal knob = unit * 1.6;
  QPainterPath piece;
  piece.addRect(body);
  QPainterPath knobs;
  knobs.addEllipse(QPointF(body.center().x(), body.top()), knob / 2 + unit * 0.3,
                   knob / 2 + unit * 0.3);
  knobs.addEllipse(QPointF(body.right(), body.center().y()), knob / 2 + unit * 0.3,
                   knob / 2 + unit * 0.3);
  QPainterPath hole;
  hole.addEllipse(QPointF(body.left(), body.center().y()), knob / 2, knob / 2);
  piece = piece.united(knobs).subtracted(hole);
  QLinearGradient wood(0, 0, size, size);
  wood.setColorAt(0, QColor(250, 190, 90));
  wood.setColorAt(1, QColor(200, 110, 40));
  painter.setPen(QPen(kOutline, qMax(1.0, size / 32.0)));
  painter.setBrush(wood);
  painter.drawPath(piece);
  return image;
}

QImage DrawLoupe(double scale) {
  QImage image = ScaledCanvas(24, 24, scale);
  QPainter painter(&image);
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(90, 60, 30), 4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(15, 15), QPointF(21.5, 21.5));
  painter.setPen(QPen(QColor(40, 40, 40), 2));
  painter.setBrush(QColor(200, 230, 255, 200));
  painter.drawEllipse(QPointF(9.5, 9.5), 7, 7);
  painter.setPen(QPen(Qt::white, 1.5));
  painter.drawArc(QRectF(5, 5, 9, 9), 100 * 16, 70 * 16);
  return image;
}

// A red drawing pin: round head, collar and the needle pointing down.
QImage DrawThumbtack(bool tilted, double scale) {
  QImage image = ScaledCanvas(16, 24, scale);
  QPainter painter(&image);
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::Antialiasing);
  if (tilted) {
    painter.translate(8, 24);
    painter.rotate(12);
    painter.translate(-8, -24);
  }
  painter.setPen(QPen(QColor(120, 120, 120), 1.5));
  painter.drawLine(QPointF(8, 13), QPointF(8, 23.5));
  painter.setPen(QPen(QColor(90, 0, 0), 1));
  QRadialGradient head(QPointF(6, 4), 8);
  head.setColorAt(0, QColor(255, 120, 110));
  head.setColorAt(1, QColor(190, 10, 10));
  painter.setBrush(head);
  painter.drawRoundedRect(QRectF(5, 8, 6, 6), 1.5, 1.5);
  painter.drawEllipse(QRectF(2, 1, 12, 9));
  return image;
}

// An open hand: palm and four fingers above it, the thumb to the left.
QImage DrawHand() {
  QImage image = Canvas(32, 32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(Qt::white);
  QPainterPath hand;
  hand.addRoundedRect(QRectF(9, 13, 15, 14), 5, 5);
  for (int finger = 0; finger < 4; ++finger)
    hand.addRoundedRect(QRectF(9 + finger * 3.8, 5 + (finger == 0 || finger == 3 ? 2 : 0), 3.6, 12),
                        1.8, 1.8);
  hand.addRoundedRect(QRectF(4, 15, 8, 3.6), 1.8, 1.8);
  painter.drawPath(hand.simplified());
  return image;
}

}  // namespace

ProgramPicture ToProgramPicture(const QImage& image) {
  ProgramPicture picture;
  picture.width = image.width();
  picture.height = image.height();
  picture.pixels.reserve(static_cast<std::size_t>(picture.width * picture.height));
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    picture.pixels.insert(picture.pixels.end(), row, row + image.width());
  }
  return picture;
}

ProgramPicture LoadProgramBitmap(int id, double scale) {
  switch (id) {
    case kBitmapLoupe:
      return ToProgramPicture(DrawLoupe(scale));
    case kBitmapThumbtack:
      return ToProgramPicture(DrawThumbtack(false, scale));
    case kBitmapCarriedTack:
      return ToProgramPicture(DrawThumbtack(true, scale));
    default:
      return {};
  }
}

ProgramPicture LoadProgramIcon(int size) {
  return ToProgramPicture(DrawPiece(size));
}

void InstallProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128})
    icon.addPixmap(QPixmap::fromImage(DrawPiece(size)));
  QApplication::setWindowIcon(icon);
}

int LoadProgramCursor(int id) {
  if (id != kCursorDrag) return kCursorArrow;
  const ProgramPicture hand = ToProgramPicture(DrawHand());
  return RegisterCursor(hand.width, hand.height, hand.pixels.data(), 16, 16);
}

void DrawProgramPicture(DC& dc, const ProgramPicture& picture, int x, int y, const Rect16& clip) {
  const Rect16 where{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                     static_cast<std::int16_t>(picture.width),
                     static_cast<std::int16_t>(picture.height)};
  if (picture.empty() || !where.Overlaps(clip)) return;
  for (int row = 0; row < picture.height; ++row) {
    for (int column = 0; column < picture.width; ++column) {
      const std::uint32_t argb =
          picture.pixels[static_cast<std::size_t>(row * picture.width + column)];
      if (argb < kHalfOpaque || !clip.ContainsPoint(x + column, y + row)) continue;
      // 0xAARRGGBB to the context's 0x00BBGGRR.
      const std::uint32_t colour = ((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF);
      dc.SetPixel(x + column, y + row, colour);
    }
  }
}

}  // namespace cbst
