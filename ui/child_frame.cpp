// child_frame.cpp: drawing the frame, and moving and sizing by it.
#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "ui/application.h"
#include "ui/child_frame_qt.h"
#include "ui/window.h"

namespace cbst {
namespace {

constexpr int kButtonSize = kCaptionHeight - 4;
constexpr int kMinimumClient = 16;

}  // namespace

Rect16 FramedClientRect(int width, int height, double ratio) {
  // The frame's border and caption keep their size on the screen.
  const auto device = [ratio](int logical) {
    return static_cast<int>(std::lround(logical * ratio));
  };
  return {
      0, 0, static_cast<std::int16_t>(std::max(0, width - device(2 * kFrameBorder))),
      static_cast<std::int16_t>(std::max(0, height - device(2 * kFrameBorder + kCaptionHeight)))};
}

ChildFrame::ChildFrame(Window& window, QWidget* parent, std::uint32_t style)
    : QWidget(parent), window_(&window), style_(style) {
  setMouseTracking(true);
}

bool ChildFrame::sizable() const {
  return (style_ & kStyleSizable) != 0;
}

QRect ChildFrame::ClientArea() const {
  // Maximised, the window covers the table without caption or border.
  if (maximised()) return rect();
  return rect().adjusted(kFrameBorder, kFrameBorder + kCaptionHeight, -kFrameBorder, -kFrameBorder);
}

void ChildFrame::SetClient(QWidget* client) {
  client_ = client;
  client_->setGeometry(ClientArea());
}

QRect ChildFrame::ButtonRect(int hit) const {
  const int top = kFrameBorder + 2;
  int right = width() - kFrameBorder - 2;
  for (const auto& [part, wanted] :
       {std::pair{kHitClose, kStyleCloseBox}, std::pair{kHitMaximise, kStyleMaximiseBox},
        std::pair{kHitMinimise, kStyleMinimiseBox}}) {
    if (!(style_ & wanted)) continue;
    const QRect button(right - kButtonSize, top, kButtonSize, kButtonSize);
    if (part == hit) return button;
    right -= kButtonSize + 2;
  }
  if (hit == kHitSystemMenu && (style_ & kStyleSystemMenu))
    return {kFrameBorder + 2, top, kButtonSize, kButtonSize};
  return {};
}

int ChildFrame::HitTest(const QPoint& point) const {
  if (maximised() || ClientArea().contains(point)) return 0;
  for (int part : {kHitClose, kHitMaximise, kHitMinimise, kHitSystemMenu}) {
    if (ButtonRect(part).contains(point)) return part;
  }
  if (sizable()) {
    const bool left = point.x() < kFrameBorder, right = point.x() >= width() - kFrameBorder;
    const bool top = point.y() < kFrameBorder, bottom = point.y() >= height() - kFrameBorder;
    if (top && left) return kHitTopLeft;
    if (top && right) return kHitTopRight;
    if (bottom && left) return kHitBottomLeft;
    if (bottom && right) return kHitBottomRight;
    if (left) return kHitLeft;
    if (right) return kHitRight;
    if (top) return kHitTop;
    if (bottom) return kHitBottom;
  }
  return kHitCaption;
}

void ChildFrame::ToggleMaximised() {
  // The state changes before the geometry, so that the client is laid out
  // for the new one (with or without its caption) as the frame resizes.
  if (maximised()) {
    const QRect normal = normal_;
    normal_ = {};
    setGeometry(normal);
  } else if (parentWidget()) {
    normal_ = geometry();
    setGeometry(parentWidget()->rect());
  } else {
    return;
  }
  if (client_) client_->setGeometry(ClientArea());
  update();
}

void ChildFrame::paintEvent(QPaintEvent*) {
  if (maximised()) return;  // the client covers it all
  QPainter painter(this);
  const QPalette colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Button));
  painter.setPen(colours.color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const QRect caption(kFrameBorder, kFrameBorder, width() - 2 * kFrameBorder, kCaptionHeight);
  const bool active = window_->state_flags & kWindowActive;
  painter.fillRect(caption, colours.color(active ? QPalette::Highlight : QPalette::Mid));
  painter.setPen(colours.color(QPalette::HighlightedText));
  QRect text = caption.adjusted(4, 0, -4, 0);
  if (style_ & kStyleSystemMenu) text.setLeft(ButtonRect(kHitSystemMenu).right() + 4);
  painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
  for (int part : {kHitSystemMenu, kHitMinimise, kHitMaximise, kHitClose}) {
    const QRect button = ButtonRect(part);
    if (button.isEmpty()) continue;
    painter.fillRect(button, colours.color(QPalette::Button));
    painter.setPen(colours.color(QPalette::ButtonText));
    painter.drawRect(button.adjusted(0, 0, -1, -1));
    const QRect mark = button.adjusted(4, 4, -4, -4);
    if (part == kHitClose) {
      painter.drawLine(mark.topLeft(), mark.bottomRight());
      painter.drawLine(mark.topRight(), mark.bottomLeft());
    } else if (part == kHitMaximise) {
      painter.drawRect(mark);
    } else if (part == kHitMinimise) {
      painter.drawLine(mark.bottomLeft(), mark.bottomRight());
    } else {
      painter.drawLine(mark.left(), mark.center().y(), mark.right(), mark.center().y());
    }
  }
}

void ChildFrame::resizeEvent(QResizeEvent*) {
  if (client_) client_->setGeometry(ClientArea());
}

void ChildFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  raise();
  pressed_ = HitTest(event->position().toPoint());
  press_ = mapToParent(event->position().toPoint());
  start_ = geometry();
}

void ChildFrame::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
    static const std::pair<int, Qt::CursorShape> kShapes[] = {
        {kHitLeft, Qt::SizeHorCursor},       {kHitRight, Qt::SizeHorCursor},
        {kHitTop, Qt::SizeVerCursor},        {kHitBottom, Qt::SizeVerCursor},
        {kHitTopLeft, Qt::SizeFDiagCursor},  {kHitBottomRight, Qt::SizeFDiagCursor},
        {kHitTopRight, Qt::SizeBDiagCursor}, {kHitBottomLeft, Qt::SizeBDiagCursor}};
    Qt::CursorShape shape = Qt::ArrowCursor;
    const int hit = HitTest(event->position().toPoint());
    for (const auto& [part, cursor] : kShapes) {
      if (part == hit) shape = cursor;
    }
    setCursor(shape);
    return;
  }
  const QPoint moved = mapToParent(event->position().toPoint()) - press_;
  QRect next = start_;
  const int smallest = 2 * kFrameBorder + kMinimumClient;
  switch (pressed_) {
    case kHitCaption:
      next.translate(moved);
      break;
    case kHitLeft:
    case kHitTopLeft:
    case kHitBottomLeft:
      next.setLeft(std::min(start_.left() + moved.x(), start_.right() - smallest));
      break;
    case kHitRight:
    case kHitTopRight:
    case kHitBottomRight:
      next.setRight(std::max(start_.right() + moved.x(), start_.left() + smallest));
      break;
    default:
      break;
  }
  if (pressed_ == kHitTop || pressed_ == kHitTopLeft || pressed_ == kHitTopRight)
    next.setTop(std::min(start_.top() + moved.y(), start_.bottom() - smallest - kCaptionHeight));
  if (pressed_ == kHitBottom || pressed_ == kHitBottomLeft || pressed_ == kHitBottomRight)
    next.setBottom(std::max(start_.bottom() + moved.y(), start_.top() + smallest + kCaptionHeight));
  if (pressed_ == kHitCaption || (pressed_ >= kHitLeft && pressed_ <= kHitBottomRight))
    setGeometry(next);
}

void ChildFrame::mouseReleaseEvent(QMouseEvent* event) {
  const int pressed = pressed_;
  pressed_ = 0;
  if (event->button() != Qt::LeftButton) return;
  const int hit = HitTest(event->position().toPoint());
  if (hit != pressed ||
      (hit != kHitClose && hit != kHitMinimise && hit != kHitMaximise && hit != kHitSystemMenu))
    return;
  // The window hears of its button; by default close closes it.
  Event button =
      MakeEvent(kEventNonClientButton, CommandPayload{static_cast<std::uint32_t>(hit), 0});
  window_->Dispatch(button);
}

void ChildFrame::mouseDoubleClickEvent(QMouseEvent* event) {
  if (HitTest(event->position().toPoint()) != kHitCaption || !(style_ & kStyleMaximiseBox)) return;
  Event button = MakeEvent(kEventNonClientButton, CommandPayload{kHitMaximise, 0});
  window_->Dispatch(button);
}

}  // namespace cbst
