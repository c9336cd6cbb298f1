// window_host.cpp: the toolkit's events as framework events.
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include <iterator>

#include "base/cp1252.h"
#include "gfx/dc.h"
#include "platform/clock.h"
#include "platform/key_state.h"
#include "platform/mouse_buttons.h"
#include "platform/platform_window_qt.h"
#include "ui/application.h"
#include "ui/device_pixels_qt.h"
#include "ui/virtual_keys_qt.h"
#include "ui/window.h"
#include "ui/window_host_qt.h"

namespace cbst {
namespace {

std::uint8_t ModifiersOf(Qt::KeyboardModifiers modifiers) {
  std::uint8_t bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= kModShift;
  if (modifiers & Qt::ControlModifier) bits |= kModControl;
  if (modifiers & Qt::AltModifier) bits |= kModAlt;
  return bits;
}

// 0 for left, 1 for right, 2 for middle; -1 for other buttons.
int ButtonIndex(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 0;
    case Qt::RightButton:
      return 1;
    case Qt::MiddleButton:
      return 2;
    default:
      return -1;
  }
}

constexpr MouseButton kButtons[] = {MouseButton::kLeft, MouseButton::kRight, MouseButton::kMiddle};
constexpr Qt::MouseButton kToolkitButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

// A release can be lost: the one that ends a double click whose window
// went away in between goes to no window. Every mouse event says which
// buttons are held, so a button still noted down is let go here.
void ForgetReleasedButtons(Qt::MouseButtons held) {
  for (int button = 0; button < static_cast<int>(std::size(kButtons)); ++button) {
    if (held & kToolkitButtons[button]) continue;
    if (MouseButtonDown(kButtons[button])) NoteMouseButton(kButtons[button], false);
    if (TheMouse().button == button) TheMouse().button = -1;
  }
}

// The control a widget belongs to (a spin box's edit belongs to the spin
// box): the nearest one with an id below the window's host.
QWidget* ControlOf(QObject* object) {
  for (auto* widget = qobject_cast<QWidget*>(object); widget && !dynamic_cast<WindowHost*>(widget);
       widget = widget->parentWidget()) {
    if (widget->property(kControlIdProperty).isValid()) return widget;
  }
  return nullptr;
}

// Where `widget` lies in the client area of `host`, one of its parents,
// which counts `ratio` pixels to a logical one.
Rect16 RectIn(const QWidget& widget, const QWidget& host, double ratio) {
  const QRect area = ToDevicePixels(QRect(widget.mapTo(&host, QPoint(0, 0)), widget.size()), ratio);
  return {static_cast<std::int16_t>(area.x()), static_cast<std::int16_t>(area.y()),
          static_cast<std::int16_t>(area.width()), static_cast<std::int16_t>(area.height())};
}

}  // namespace

void OfferHover(QObject* target, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseMove && type != QEvent::Leave) return;
  QWidget* control = ControlOf(target);
  if (!control) return;
  Window* window = FrameworkWindowOf(control);
  Application* application = Application::Instance();
  if (!window || !application || !application->Holds(window)) return;
  const QWidget* host = WidgetOf(window->platform_window());
  if (!host) return;
  // The window counts in its own pixels.
  const auto* counted = dynamic_cast<const WindowHost*>(host);
  const double ratio = counted ? counted->pixel_ratio() : 1.0;
  HoverPayload hover;
  hover.window = window;
  if (type == QEvent::MouseMove) {
    const auto* move = static_cast<QMouseEvent*>(event);
    // No tips while a button is held: that is a drag, or a press under way.
    if (move->buttons() != Qt::NoButton) return;
    const QPoint at = ToDevicePixels(host->mapFromGlobal(move->globalPosition()), ratio);
    hover.control_id = control->property(kControlIdProperty).toInt();
    hover.control = RectIn(*control, *host, ratio);
    hover.x = at.x();
    hover.y = at.y();
    hover.tip = Utf8ToCp1252(control->property(kControlTipProperty).toString().toStdString());
  } else {
    // Leaving an inner widget of the control for the control itself is no
    // leaving.
    const QPoint at = QCursor::pos();
    if (target != control && control->rect().contains(control->mapFromGlobal(at))) return;
    const QPoint inside = ToDevicePixels(host->mapFromGlobal(QPointF(at)), ratio);
    hover.x = inside.x();
    hover.y = inside.y();
  }
  Event hovered = MakeEvent(kEventHover, std::move(hover));
  window->Dispatch(hovered);
}

Window* FrameworkWindowOf(QObject* object) {
  for (auto* widget = qobject_cast<QWidget*>(object); widget; widget = widget->parentWidget()) {
    if (auto* host = dynamic_cast<WindowHost*>(widget)) return &host->window();
  }
  return nullptr;
}

MouseRecord& TheMouse() {
  static MouseRecord mouse;
  return mouse;
}

void ForgetMousePress() {
  MouseRecord& mouse = TheMouse();
  if (mouse.button >= 0) NoteMouseButton(kButtons[mouse.button], false);
  mouse.button = -1;
  mouse.dragging = false;
}

WindowHost::WindowHost(Window& window, QWidget* parent) : QWidget(parent), window_(&window) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

WindowHost::~WindowHost() = default;

QSize WindowHost::DeviceSize() const {
  if (ratio_ == 1.0) return size();
  return {static_cast<int>(std::lround(width() * ratio_)),
          static_cast<int>(std::lround(height() * ratio_))};
}

void WindowHost::Send(Event& event) {
  window_->Dispatch(event);
}

void WindowHost::Release() {
  // What was drawn outside a paint request is shown as it is.
  present_only_ = true;
  repaint();
  present_only_ = false;
}

int WindowHost::StartTimer(int id, int milliseconds) {
  StopTimer(id);
  const int toolkit_id = startTimer(milliseconds);
  if (toolkit_id) timers_[toolkit_id] = id;
  return toolkit_id;
}

void WindowHost::StopTimer(int id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second == id) {
      killTimer(it->first);
      timers_.erase(it);
      return;
    }
  }
}

void WindowHost::paintEvent(QPaintEvent* event) {
  if (!present_only_) {
    painting_ = ToDevicePixels(event->region(), ratio_);
    DC dc(this, DC::kForPaint);
    const QRect box = ToDevicePixels(event->rect(), ratio_);
    Event erase = MakeEvent(kEventEraseBackground, PaintPayload{&dc, {}});
    Send(erase);
    Event paint = MakeEvent(kEventPaint, PaintPayload{&dc,
                                                      {static_cast<std::int16_t>(box.x()),
                                                       static_cast<std::int16_t>(box.y()),
                                                       static_cast<std::int16_t>(box.width()),
                                                       static_cast<std::int16_t>(box.height())}});
    Send(paint);
    dc.Flush();
  }
  QPainter painter(this);
  // A see-through window gives the window system its alpha as it is; a
  // see-through child is laid over what its parent shows.
  if (image_.hasAlphaChannel() && isWindow())
    painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (ratio_ == 1.0) {
    for (const QRect& part : event->region())
      painter.drawImage(part, image_, part);
    ++presented_;
    return;
  }
  // The image is in device pixels: each part goes onto the logical area
  // that holds exactly its pixels, so the toolkit does not scale it again.
  for (const QRect& part : event->region()) {
    const QRect pixels = ToDevicePixels(part, ratio_) & image_.rect();
    const QRectF target(pixels.x() / ratio_, pixels.y() / ratio_, pixels.width() / ratio_,
                        pixels.height() / ratio_);
    painter.drawImage(target, image_, QRectF(pixels));
  }
  ++presented_;
}

void WindowHost::resizeEvent(QResizeEvent*) {
  // A see-through window (a tip's balloon) keeps the alpha of its drawing.
  const bool see_through = testAttribute(Qt::WA_TranslucentBackground);
  const QImage::Format format =
      see_through ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  const QSize device = DeviceSize();
  if (image_.size() != device || image_.format() != format) {
    QImage grown(device.expandedTo(QSize(1, 1)), format);
    grown.fill(see_through ? Qt::transparent : Qt::white);
    QPainter copy(&grown);
    copy.drawImage(0, 0, image_);
    copy.end();
    image_ = std::move(grown);
  }
  Event event = MakeEvent(kEventSize, SizePayload{device.width(), device.height()});
  Send(event);
}

void WindowHost::moveEvent(QMoveEvent*) {
  const QPoint at = NearestDevice(geometry(), outer_ratio_).topLeft();
  Event event = MakeEvent(kEventMove, PointPayload{at.x(), at.y()});
  Send(event);
}

void WindowHost::showEvent(QShowEvent*) {
  Event event = MakeEvent(kEventShow, ShowPayload{true, 1});
  Send(event);
}

void WindowHost::hideEvent(QHideEvent*) {
  Event event = MakeEvent(kEventShow, ShowPayload{false, 0});
  Send(event);
}

void WindowHost::closeEvent(QCloseEvent* event) {
  // The window decides; by default the close command destroys it.
  event->ignore();
  Event command = MakeEvent(kEventCommand, CommandPayload{kCommandClose, 0});
  Send(command);
}

void WindowHost::timerEvent(QTimerEvent* event) {
  const auto found = timers_.find(event->timerId());
  if (found == timers_.end()) return;
  Event timer = MakeEvent(kEventTimer, TimerPayload{found->second, TickCount()});
  Send(timer);
}

void WindowHost::Key(QKeyEvent* event, bool down) {
  const VirtualKey key = VirtualKeyOf(*event);
  if (key.code && !event->isAutoRepeat()) NoteKey(key.code, down);
  KeyPayload payload;
  payload.kind = down ? KeyKind::kDown : KeyKind::kUp;
  payload.virtual_key = key.code;
  payload.modifiers = ModifiersOf(event->modifiers());
  payload.extended = key.extended;
  payload.system = (event->modifiers() & Qt::AltModifier) != 0;
  payload.repeat = event->isAutoRepeat();
  if (Application* application = Application::Instance();
      application && application->TranslateAccelerator(payload))
    return;
  Event framework = MakeEvent(kEventKey, payload);
  Send(framework);
  // A key that types something also arrives as its character.
  const QString text = event->text();
  if (down && !text.isEmpty() && text.at(0).isPrint()) {
    payload.kind = KeyKind::kCharacter;
    payload.character = text.toUcs4().value(0);
    Event character = MakeEvent(kEventKey, payload);
    Send(character);
  }
}

bool WindowHost::focusNextPrevChild(bool next) {
  // A window with controls (a dialog) passes the focus on; a table or a
  // box takes Tab as its own key.
  for (const QWidget* child : findChildren<QWidget*>()) {
    if (child->property(kControlIdProperty).isValid() && child->focusPolicy() != Qt::NoFocus)
      return QWidget::focusNextPrevChild(next);
  }
  return false;
}

void WindowHost::keyPressEvent(QKeyEvent* event) {
  Key(event, true);
}

void WindowHost::keyReleaseEvent(QKeyEvent* event) {
  Key(event, false);
}

void WindowHost::Mouse(QMouseEvent* event, int subcode) {
  const QPoint at = ToDevicePixels(event->position(), ratio_);
  MousePayload payload{subcode, at.x(), at.y(), ModifiersOf(event->modifiers())};
  Event framework = MakeEvent(kEventMouse, payload);
  Send(framework);
}

void WindowHost::mousePressEvent(QMouseEvent* event) {
  ForgetReleasedButtons(event->buttons());
  const int button = ButtonIndex(event->button());
  if (button < 0) return;
  NoteMouseButton(kButtons[button], true);
  TheMouse() = {event->globalPosition().toPoint(), button, false};
  Mouse(event, kMouseLeftDown + button);
}

void WindowHost::mouseDoubleClickEvent(QMouseEvent* event) {
  ForgetReleasedButtons(event->buttons());
  const int button = ButtonIndex(event->button());
  if (button < 0) return;
  NoteMouseButton(kButtons[button], true);
  TheMouse() = {event->globalPosition().toPoint(), button, false};
  Mouse(event, kMouseLeftDouble + button);
}

void WindowHost::mouseReleaseEvent(QMouseEvent* event) {
  const int button = ButtonIndex(event->button());
  if (button < 0) return;
  NoteMouseButton(kButtons[button], false);
  if (TheMouse().button == button) TheMouse().button = -1;
  Mouse(event, kMouseLeftUp + button);
}

void WindowHost::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = ToDevicePixels(event->position(), ratio_);
  Event cursor = MakeEvent(kEventCursor, PointPayload{at.x(), at.y()});
  Send(cursor);
  ForgetReleasedButtons(event->buttons());
  MouseRecord& mouse = TheMouse();
  const int button = mouse.button;
  if (button >= 0 && !mouse.dragging) {
    const QPoint moved = event->globalPosition().toPoint() - mouse.press;
    mouse.dragging = std::abs(moved.x()) >= kDragThreshold || std::abs(moved.y()) >= kDragThreshold;
  }
  Mouse(event, button >= 0 && mouse.dragging ? kMouseLeftDrag + button : kMouseMove);
}

void WindowHost::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void WindowHost::dropEvent(QDropEvent* event) {
  FilesPayload files;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) files.files.push_back(url.toLocalFile().toStdString());
  }
  if (files.files.empty()) return;
  event->acceptProposedAction();
  Event dropped = MakeEvent(kEventFilesDropped, std::move(files));
  Send(dropped);
}

}  // namespace cbst
