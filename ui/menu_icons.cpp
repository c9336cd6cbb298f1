// menu_icons.cpp: drawing the two strips of menu icons.
//
// Every icon is drawn in its own 16 x 16 square with one dark outline and
// a small shared palette, so that the menus look of a piece with the
// program's other pictures on a light menu background. Lines of one pixel
// lie on half-pixel coordinates to stay sharp.
#include "ui/menu_icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <span>

#include "ui/program_picture_qt.h"

namespace cbst {
namespace {

constexpr QColor kOutline(60, 40, 20);
constexpr QColor kPaper(252, 250, 242);
constexpr QColor kWoodLight(250, 190, 90);
constexpr QColor kWoodDark(200, 110, 40);
constexpr QColor kSkyLight(200, 230, 255);
constexpr QColor kSky(110, 170, 235);
constexpr QColor kGrass(80, 160, 60);
constexpr QColor kSun(255, 215, 60);
constexpr QColor kGoldLight(255, 230, 110);
constexpr QColor kGoldDark(215, 150, 20);
constexpr QColor kSteelLight(225, 230, 238);
constexpr QColor kSteelDark(125, 135, 150);
constexpr QColor kRed(215, 45, 40);
constexpr QColor kBlue(55, 105, 200);
constexpr QColor kTick(30, 150, 50);

constexpr int kProgramSlots = 10;
constexpr int kTableSlots = 18;

QPen Outline(qreal width = 1.0) {
  return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient Wood(const QRectF& area) {
  QLinearGradient wood(area.topLeft(), area.bottomRight());
  wood.setColorAt(0, kWoodLight);
  wood.setColorAt(1, kWoodDark);
  return wood;
}

// A sunny hill under a blue sky, filling `area`; the caller outlines it.
void DrawLandscape(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setClipRect(area);
  QLinearGradient sky(area.topLeft(), area.bottomLeft());
  sky.setColorAt(0, kSky);
  sky.setColorAt(1, kSkyLight);
  painter.fillRect(area, sky);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kSun);
  const qreal sun = area.height() * 0.2;
  painter.drawEllipse(QPointF(area.right() - sun * 1.6, area.top() + sun * 1.5), sun, sun);
  QPainterPath hill(area.bottomLeft());
  hill.lineTo(area.left(), area.bottom() - area.height() * 0.35);
  hill.quadTo(area.left() + area.width() * 0.35, area.top() + area.height() * 0.3,
              area.left() + area.width() * 0.75, area.bottom() - area.height() * 0.3);
  hill.quadTo(area.right() - area.width() * 0.1, area.bottom() - area.height() * 0.4, area.right(),
              area.bottom() - area.height() * 0.25);
  hill.lineTo(area.bottomRight());
  painter.setBrush(kGrass);
  painter.drawPath(hill);
  painter.restore();
}

// A picture in a wooden frame of two pixels.
void DrawFramedPicture(QPainter& painter, const QRectF& outer) {
  const QRectF inner = outer.adjusted(2, 2, -2, -2);
  QPainterPath frame;
  frame.addRect(outer);
  frame.addRect(inner);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Wood(outer));
  painter.drawPath(frame);
  DrawLandscape(painter, inner);
  painter.setPen(Outline());
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(outer);
  painter.drawRect(inner);
}

// 0: a sheet of settings, two boxes ticked.
void DrawGameSettings(QPainter& painter) {
  QPainterPath sheet(QPointF(2.5, 1.5));
  sheet.lineTo(10.5, 1.5);
  sheet.lineTo(13.5, 4.5);
  sheet.lineTo(13.5, 14.5);
  sheet.lineTo(2.5, 14.5);
  sheet.closeSubpath();
  painter.setPen(Outline());
  painter.setBrush(kPaper);
  painter.drawPath(sheet);
  painter.setBrush(QColor(215, 210, 195));
  painter.drawPolygon(QPolygonF({{10.5, 1.5}, {10.5, 4.5}, {13.5, 4.5}}));
  for (qreal top : {5.5, 10.5}) {
    painter.setPen(Outline());
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(4.5, top, 2, 2));
    painter.setPen(QPen(kSteelDark, 1));
    painter.drawLine(QPointF(8.5, top + 1), QPointF(11.5, top + 1));
    painter.setPen(QPen(kTick, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({{4.6, top}, {5.6, top + 1.4}, {8, top - 2.2}}));
  }
}

// 3: a life buoy, red and white.
void DrawHelp(QPainter& painter) {
  const QPointF centre(8, 8);
  QPainterPath ring;
  ring.addEllipse(centre, 6.8, 6.8);
  ring.addEllipse(centre, 3.2, 3.2);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawPath(ring);
  painter.save();
  painter.setClipPath(ring);
  painter.setBrush(kRed);
  for (int quarter = 0; quarter < 4; ++quarter)
    painter.drawPie(QRectF(0, 0, 16, 16), (quarter * 90 + 22) * 16, 46 * 16);
  painter.restore();
  painter.setPen(Outline());
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(ring);
}

// 4: a golden cup on a wooden foot.
void DrawCompetitionScore(QPainter& painter) {
  QPainterPath handles;
  handles.moveTo(4.6, 4);
  handles.cubicTo(1, 3.5, 1.5, 8.5, 5.5, 8);
  handles.moveTo(11.4, 4);
  handles.cubicTo(15, 3.5, 14.5, 8.5, 10.5, 8);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Outline(2.8));
  painter.drawPath(handles);
  painter.setPen(QPen(kGoldDark, 1.1, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(handles);
  QLinearGradient gold(3.5, 0, 12.5, 0);
  gold.setColorAt(0, kGoldLight);
  gold.setColorAt(1, kGoldDark);
  QPainterPath cup(QPointF(3.5, 1.5));
  cup.lineTo(12.5, 1.5);
  cup.cubicTo(12.5, 7.5, 10.5, 9.5, 9, 10);
  cup.lineTo(9, 12);
  cup.lineTo(7, 12);
  cup.lineTo(7, 10);
  cup.cubicTo(5.5, 9.5, 3.5, 7.5, 3.5, 1.5);
  cup.closeSubpath();
  painter.setPen(Outline());
  painter.setBrush(gold);
  painter.drawPath(cup);
  painter.setBrush(Wood(QRectF(3.5, 11.5, 9, 3)));
  painter.drawRoundedRect(QRectF(3.5, 11.5, 9, 3), 1, 1);
  painter.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(5.5, 3.5), QPointF(6, 6.5));
}

// 5: four pieces pushed out into the corners, arrows pointing outwards.
void DrawSpreadPieces(QPainter& painter) {
  constexpr qreal kSide = 5;
  for (qreal left : {0.5, 15.5 - kSide}) {
    for (qreal top : {0.5, 15.5 - kSide}) {
      const QRectF piece(left, top, kSide, kSide);
      painter.setPen(Outline());
      painter.setBrush(Wood(piece));
      painter.drawRect(piece);
    }
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBlue);
  for (int arrow = 0; arrow < 4; ++arrow) {
    painter.save();
    painter.translate(8, 8);
    painter.rotate(arrow * 90);
    painter.drawRect(QRectF(-1, -3.5, 2, 3.5));
    painter.drawPolygon(QPolygonF({{-2, -3}, {0, -6.5}, {2, -3}}));
    painter.restore();
  }
}

// A jigsaw piece shaped like the program's icon: its body at `body`, knobs
// at the top and the right and a hole on the left.
QPainterPath Piece(const QRectF& body) {
  const qreal knob = body.width() * 0.244;
  const qreal hole = body.width() * 0.178;
  QPainterPath piece;
  piece.addRect(body);
  QPainterPath knobs;
  knobs.addEllipse(QPointF(body.center().x(), body.top()), knob, knob);
  knobs.addEllipse(QPointF(body.right(), body.center().y()), knob, knob);
  QPainterPath cut;
  cut.addEllipse(QPointF(body.left(), body.center().y()), hole, hole);
  return piece.united(knobs).subtracted(cut);
}

// 8: a photograph with a jigsaw piece laid on its corner, set off from it
// by a white rim.
void DrawNewPuzzle(QPainter& painter) {
  const QRectF photo(0.5, 0.5, 12, 10);
  painter.setPen(Outline());
  painter.setBrush(Qt::white);
  painter.drawRect(photo);
  DrawLandscape(painter, photo.adjusted(1.5, 1.5, -1.5, -1.5));
  const QPainterPath piece = Piece(QRectF(7.5, 8.5, 6, 6));
  painter.strokePath(piece, QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Wood(QRectF(5, 5, 10, 10)));
  painter.drawPath(piece);
}

// 9: a steel gear of eight teeth, centred between pixels so that its rim
// and its upright teeth fall on whole pixels.
void DrawOptions(QPainter& painter) {
  const QPointF centre(7.5, 7.5);
  QPainterPath gear;
  gear.addEllipse(centre, 5, 5);
  for (int tooth = 0; tooth < 8; ++tooth) {
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(tooth * 45);
    QPainterPath block;
    block.addRect(QRectF(-1, -7, 2, 3.5));
    gear = gear.united(turn.map(block));
  }
  QPainterPath hole;
  hole.addEllipse(centre, 2, 2);
  QRadialGradient steel(QPointF(6, 6), 8);
  steel.setColorAt(0, kSteelLight);
  steel.setColorAt(1, kSteelDark);
  painter.setPen(Outline());
  painter.setBrush(steel);
  painter.drawPath(gear.subtracted(hole));
}

// A question mark of white strokes, about seven pixels high, centred on
// `centre`.
void DrawQuestionMark(QPainter& painter, QPointF centre) {
  QPainterPath hook;
  const QRectF bow(centre.x() - 1.7, centre.y() - 3.6, 3.4, 3.4);
  hook.arcMoveTo(bow, 160);
  hook.arcTo(bow, 160, -230);
  hook.lineTo(centre.x(), centre.y() + 1);
  painter.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(hook);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(centre.x(), centre.y() + 2.6), 0.9, 0.9);
}

// Table 8: the preview's picture with a blue question badge.
void DrawPreviewHelp(QPainter& painter) {
  DrawFramedPicture(painter, QRectF(0.5, 0.5, 12, 10));
  painter.setPen(QPen(Qt::white, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(11, 11), 5.4, 5.4);
  painter.setPen(Outline());
  painter.setBrush(kBlue);
  painter.drawEllipse(QPointF(11, 11), 4.4, 4.4);
  DrawQuestionMark(painter, QPointF(11, 11));
}

// Table 15: the preview's picture in its frame.
void DrawPreview(QPainter& painter) {
  DrawFramedPicture(painter, QRectF(0.5, 1.5, 15, 13));
}

// Table 17: a window with an arrow down to the bar it goes to.
void DrawMinimize(QPainter& painter) {
  const QRectF window(1.5, 1.5, 13, 13);
  painter.setPen(Outline());
  painter.setBrush(Qt::white);
  painter.drawRect(window);
  painter.fillRect(QRectF(2, 2, 12, 2.5), kBlue);
  painter.drawLine(QPointF(2, 4.5), QPointF(14, 4.5));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBlue);
  painter.drawRect(QRectF(7, 6, 2, 3));
  painter.drawPolygon(QPolygonF({{4.5, 8}, {8, 11.5}, {11.5, 8}}));
  painter.fillRect(QRectF(4, 12, 8, 2), kOutline);
}

struct SlotDrawing {
  int index;
  void (*draw)(QPainter&);
};

constexpr SlotDrawing kProgramDrawings[] = {
    {kIconGameSettings, DrawGameSettings},
    {kIconHelp, DrawHelp},
    {kIconCompetitionScore, DrawCompetitionScore},
    {kIconSpreadPieces, DrawSpreadPieces},
    {kIconNewPuzzle, DrawNewPuzzle},
    {kIconOptions, DrawOptions},
};

constexpr SlotDrawing kTableDrawings[] = {
    {kIconPreviewHelp, DrawPreviewHelp},
    {kIconPreview, DrawPreview},
    {kIconMinimize, DrawMinimize},
};

// Each icon is clipped to its own square, so that none spills into a
// neighbour's.
ProgramPicture DrawStrip(int slot_count, std::span<const SlotDrawing> drawings) {
  QImage image(slot_count * kMenuIconSize, kMenuIconSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const SlotDrawing& drawing : drawings) {
    painter.save();
    painter.translate(drawing.index * kMenuIconSize, 0);
    painter.setClipRect(0, 0, kMenuIconSize, kMenuIconSize);
    drawing.draw(painter);
    painter.restore();
  }
  painter.end();
  return ToProgramPicture(image);
}

// Drawing is the same every time, so each strip is drawn once and kept.
const ProgramPicture& Strip(IconStrip strip) {
  if (strip == IconStrip::kTable) {
    static const ProgramPicture table = DrawStrip(kTableSlots, kTableDrawings);
    return table;
  }
  static const ProgramPicture program = DrawStrip(kProgramSlots, kProgramDrawings);
  return program;
}

}  // namespace

ProgramPicture LoadIconStrip(IconStrip strip) {
  return Strip(strip);
}

ProgramPicture MenuIcon(IconStrip strip, int index) {
  const ProgramPicture& all = Strip(strip);
  if (index < 0 || index >= all.width / kMenuIconSize) return {};
  ProgramPicture icon;
  icon.width = kMenuIconSize;
  icon.height = kMenuIconSize;
  icon.pixels.reserve(kMenuIconSize * kMenuIconSize);
  for (int y = 0; y < kMenuIconSize; ++y) {
    const auto row = all.pixels.begin() + y * all.width + index * kMenuIconSize;
    icon.pixels.insert(icon.pixels.end(), row, row + kMenuIconSize);
  }
  return icon;
}

}  // namespace cbst
