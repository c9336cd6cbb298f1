// window.cpp: the defaults every window starts from.
#include "ui/window.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

#include "base/cp1252.h"
#include "base/report.h"
#include "gfx/dc.h"
#include "platform/display.h"
#include "platform/platform_window_qt.h"
#include "ui/application.h"
#include "ui/child_frame_qt.h"
#include "ui/device_pixels_qt.h"
#include "ui/mouse_capture_qt.h"
#include "ui/tips.h"
#include "ui/top_level_place_qt.h"
#include "ui/window_host_qt.h"

namespace cbst {

const ClassInfo kObjectClass = {nullptr, "Object"};
const ClassInfo Window::kClass = {&kObjectClass, "Window"};

namespace {

WindowHost* HostOf(const PlatformWindow& platform) {
  return static_cast<WindowHost*>(platform.widget.data());
}

// The frame the framework draws around a child, or none.
ChildFrame* FrameOf(const PlatformWindow& platform) {
  const WindowHost* host = HostOf(platform);
  return host ? dynamic_cast<ChildFrame*>(host->parentWidget()) : nullptr;
}

// What a window's place on its parent is counted in: the parent's pixels.
double OuterRatioOf(const PlatformWindow& platform) {
  const WindowHost* host = HostOf(platform);
  return host ? host->outer_ratio() : 1.0;
}

// What moves, shows and hides: the frame when there is one.
QWidget* OuterOf(const PlatformWindow& platform) {
  if (ChildFrame* frame = FrameOf(platform)) return frame;
  return HostOf(platform);
}

}  // namespace

Window::Window() : platform_(std::make_unique<PlatformWindow>()) {}

Window::~Window() {
  delete OuterOf(*platform_);
}

bool Window::IsA(const ClassInfo& info, bool exact) const {
  const ClassInfo* record = &Class();
  if (exact) return record == &info;
  for (; record; record = record->base) {
    if (record == &info) return true;
  }
  return false;
}

void Window::OnEvent(Event& event) {
  QWidget* host = OuterOf(*platform_);
  switch (event.code) {
    case kEventNonClientButton:
      if (const auto* button = event.as<CommandPayload>()) {
        event.set_handled();
        if (button->id == kHitClose) {
          Event close = MakeEvent(kEventCommand, CommandPayload{kCommandClose, 0});
          Dispatch(close);
        } else if (button->id == kHitMaximise) {
          if (ChildFrame* frame = FrameOf(*platform_)) frame->ToggleMaximised();
        } else if (button->id == kHitMinimise && host) {
          host->hide();
        }
        return;
      }
      break;
    case kRequestShow:
      if (host) {
        const auto* request = event.as<ShowPayload>();
        const int show = request ? request->command : kShowNormal;
        if (show == kShowHide) {
          host->hide();
        } else if (show == kShowMinimised) {
          host->showMinimized();
        } else if (show == kShowMaximised) {
          host->showMaximized();
        } else if (show == kShowFullScreen || show == kShowFullScreenInactive) {
          QWidget* outer = host->window();
          outer->setAttribute(Qt::WA_ShowWithoutActivating, show == kShowFullScreenInactive);
          outer->showFullScreen();
        } else {
          host->showNormal();
        }
      }
      event.set_handled();
      return;
    case kRequestMoveTo:
      if (auto* point = event.as<PointPayload>();
          point && host && (!host->isWindow() || ProgramPlacesWindows()))
        host->move(
            NearestLogical(QRect(point->x, point->y, 0, 0), OuterRatioOf(*platform_)).topLeft());
      event.set_handled();
      return;
    case kRequestResize:
      if (auto* size = event.as<SizePayload>(); size && host)
        host->resize(NearestLogical(QRect(0, 0, size->width, size->height), pixel_ratio()).size());
      event.set_handled();
      return;
    case kRequestRectangle:
      if (auto* rect = event.as<RectanglePayload>()) {
        rect->rect = WindowRect();
        event.flags |= kEventAnswered;
      }
      event.set_handled();
      return;
    case kEventHover:
      // A control of this window is under the mouse: its tip.
      if (auto* hover = event.as<HoverPayload>()) {
        if (Application* application = Application::Instance()) application->tips().Hover(*hover);
      }
      event.set_handled();
      return;
    case kEventPaint:
      if (auto* paint = event.as<PaintPayload>(); paint && paint->dc) Paint(*paint->dc);
      event.set_handled();
      return;
    case kEventCommand:
      if (auto* command = event.as<CommandPayload>();
          command && (command->id == kCommandEndSession || command->id == kCommandClose)) {
        event.set_handled();
        Destroy(0);
        return;
      }
      break;
    default:
      break;
  }
  if (Application* application = Application::Instance()) application->DefaultHandler(event);
}

void Window::Destroy(int code) {
  DestroyWindow(this, code);
}

void Window::Move(const Rect16& rect) {
  QWidget* outer = OuterOf(*platform_);
  if (!outer) return;
  const QRect place =
      NearestLogical(QRect(rect.x, rect.y, rect.width, rect.height), OuterRatioOf(*platform_));
  outer->isWindow() ? PlaceTopLevel(outer, place) : outer->setGeometry(place);
}

void Window::Paint(DC&) {}

void Window::FocusNext(int direction) {
  if (WindowHost* host = HostOf(*platform_)) {
    QWidget* focused = host->focusWidget() ? host->focusWidget() : host;
    QWidget* next = direction >= 0 ? focused->nextInFocusChain() : focused->previousInFocusChain();
    if (next) next->setFocus(direction >= 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  }
}

Window* Window::DefaultChild() {
  Application* application = Application::Instance();
  if (!application) return nullptr;
  for (const auto& window : application->windows()) {
    if (window->parent_ == this && (window->flags & kWindowDefaultChild)) return window.get();
  }
  return nullptr;
}

bool Window::Create(Window* parent, const Rect16& rect, std::string_view title,
                    std::uint32_t style) {
  if (!Application::Instance()) {
    ReportError(kNoApplication);
    return false;
  }
  parent_ = parent;
  QWidget* parent_widget = parent ? parent->platform_->widget.data() : nullptr;
  const bool child = (style & kStyleChild) && parent_widget;
  ChildFrame* frame =
      child && (style & kStyleFramed) ? new ChildFrame(*this, parent_widget, style) : nullptr;
  auto* host = new WindowHost(*this, frame ? frame : child ? parent_widget : nullptr);
  platform_->widget = host;
  // A window may ask to count in device pixels; a child of one counts as
  // its parent does, unless it is all chrome and asks for logical pixels.
  const double parent_ratio = child ? parent->pixel_ratio() : 1.0;
  if (child && parent_ratio != 1.0) {
    host->set_pixel_ratio(style & kStyleLogicalPixels ? 1.0 : parent_ratio, parent_ratio);
  } else if (style & kStyleDevicePixels) {
    host->set_pixel_ratio(ScreenPixelRatio(), parent_ratio);
  }
  if (!child && parent_widget) {
    // An owned top-level window stays above its owner.
    host->setParent(parent_widget, Qt::Window);
  }
  QWidget* outer = frame ? static_cast<QWidget*>(frame) : host;
  host->setAcceptDrops((style & kStyleAcceptsFiles) != 0);
  if (style & kStyleMouseThrough) {
    outer->setAttribute(Qt::WA_TransparentForMouseEvents);
    host->setAttribute(Qt::WA_TransparentForMouseEvents);
    host->setFocusPolicy(Qt::NoFocus);
  }
  outer->setWindowTitle(QString::fromStdString(Cp1252ToUtf8(title)));
  QRect place = NearestLogical(QRect(rect.x, rect.y, rect.width, rect.height), parent_ratio);
  if (const QScreen* screen = QGuiApplication::primaryScreen();
      screen && (style & kStyleFullScreen))
    place = screen->geometry();
  outer->isWindow() ? PlaceTopLevel(outer, place) : outer->setGeometry(place);
  // The client fills the frame as it is now: a hidden frame hears of its
  // size only when it is shown.
  if (frame) frame->SetClient(host);
  if (!(style & kStyleHidden)) {
    if (style & kStyleFullScreen) {
      outer->showFullScreen();
    } else {
      outer->show();
      host->show();
    }
  } else {
    // Said outright, or a child would show itself with its parent.
    outer->hide();
  }
  return true;
}

bool Window::exists() const {
  return !platform_->widget.isNull();
}

bool Window::visible() const {
  const QWidget* outer = OuterOf(*platform_);
  return outer && outer->isVisible();
}

int Window::PresentedFrames() const {
  const WindowHost* host = HostOf(*platform_);
  return host ? host->presented() : 0;
}

bool Window::AnotherWindowActive() const {
  const QWidget* host = HostOf(*platform_);
  if (!host) return false;
  if (QApplication::activeModalWidget()) return true;
  const QWidget* active = QApplication::activeWindow();
  return active && active != host->window();
}

void Window::Dispatch(Event& event) {
  event.flags &= static_cast<std::uint8_t>(~kEventHandled);
  event.target = this;
  OnEvent(event);
}

Rect16 Window::WindowRect() const {
  const QWidget* host = OuterOf(*platform_);
  if (!host) return {};
  const QRect rect = NearestDevice(host->geometry(), OuterRatioOf(*platform_));
  return {static_cast<std::int16_t>(rect.x()), static_cast<std::int16_t>(rect.y()),
          static_cast<std::int16_t>(rect.width()), static_cast<std::int16_t>(rect.height())};
}

Rect16 Window::ClientRect() const {
  const WindowHost* host = HostOf(*platform_);
  if (!host) return {};
  const QSize size = host->DeviceSize();
  return {0, 0, static_cast<std::int16_t>(size.width()), static_cast<std::int16_t>(size.height())};
}

double Window::pixel_ratio() const {
  const WindowHost* host = HostOf(*platform_);
  return host ? host->pixel_ratio() : 1.0;
}

void Window::SetTitle(std::string_view title) {
  if (QWidget* outer = OuterOf(*platform_)) {
    outer->setWindowTitle(QString::fromStdString(Cp1252ToUtf8(title)));
    outer->update();
  }
}

void Window::Invalidate(const Rect16& rect) {
  WindowHost* host = HostOf(*platform_);
  if (!host) return;
  if (rect.Empty()) {
    host->update();
  } else {
    host->update(
        ToLogicalPixels(QRect(rect.x, rect.y, rect.width, rect.height), host->pixel_ratio()));
  }
}

void Window::Update() {
  if (WindowHost* host = HostOf(*platform_)) host->repaint();
}

void Window::Update(const Rect16& rect) {
  if (rect.Empty()) return;
  if (WindowHost* host = HostOf(*platform_))
    host->repaint(
        ToLogicalPixels(QRect(rect.x, rect.y, rect.width, rect.height), host->pixel_ratio()));
}

void Window::SetTimer(int id, int milliseconds) {
  if (WindowHost* host = HostOf(*platform_)) host->StartTimer(id, milliseconds);
}

void Window::KillTimer(int id) {
  if (WindowHost* host = HostOf(*platform_)) host->StopTimer(id);
}

void Window::Activate() {
  if (WindowHost* host = HostOf(*platform_)) {
    Raise();
    host->activateWindow();
  }
}

void Window::TakeFocus() {
  if (WindowHost* host = HostOf(*platform_)) host->setFocus(Qt::OtherFocusReason);
}

void Window::Raise() {
  // A framed child goes above its siblings with its frame.
  if (QWidget* outer = OuterOf(*platform_)) outer->raise();
}

void Window::SaveFocus() {
  if (WindowHost* host = HostOf(*platform_)) {
    host->saved_focus = host->focusWidget();
    host->focus_saved = host->saved_focus != nullptr;
  }
}

void Window::RestoreFocus() {
  WindowHost* host = HostOf(*platform_);
  if (!host || !host->focus_saved) return;
  if (!host->saved_focus) {
    host->focus_saved = false;
    ReportError(kFocusGone);
    return;
  }
  host->saved_focus->setFocus();
}

void Window::SetCapture(bool captured) {
  WindowHost* host = HostOf(*platform_);
  if (!host) return;
  if (captured) {
    CaptureMouse(host);
  } else if (MouseCaptor() == host) {
    CaptureMouse(nullptr);
  }
}

ClientPoint Window::CursorPosition() const {
  const WindowHost* host = HostOf(*platform_);
  if (!host) return {};
  const QPoint at =
      ToDevicePixels(host->mapFromGlobal(QPointF(QCursor::pos())), host->pixel_ratio());
  return {at.x(), at.y()};
}

DrawingSurface* Window::surface() {
  return HostOf(*platform_);
}

ClientPoint MapClientPoint(const Window& from, const Window& to, ClientPoint point) {
  const WindowHost* source = HostOf(*from.platform_);
  const WindowHost* target = HostOf(*to.platform_);
  if (!source || !target) return point;
  const QPointF global =
      source->mapToGlobal(ToLogicalPixels(QPoint(point.x, point.y), source->pixel_ratio()));
  const QPoint at = ToDevicePixels(target->mapFromGlobal(global), target->pixel_ratio());
  return {at.x(), at.y()};
}

void DestroyWindow(Window* window, int exit_code) {
  Application* application = Application::Instance();
  // A window that is not held may be gone already: it is never touched.
  if (!application || !application->Holds(window)) {
    if (!application || !application->closing_all()) ReportError(kDestroyNotAWindow);
    return;
  }
  window->flags &= static_cast<std::uint8_t>(~kWindowIdle);
  // Its child windows go with it.
  std::vector<Window*> children;
  for (const auto& other : application->windows()) {
    if (other->parent() == window) children.push_back(other.get());
  }
  for (Window* child : children)
    DestroyWindow(child, exit_code);
  // Owned windows forget it; a default child hands the default on.
  Window* previous = window->owner;
  for (const auto& other : application->windows()) {
    if (other->owner == window) other->owner = nullptr;
  }
  if ((window->flags & kWindowDefaultChild) && window->parent()) {
    for (const auto& other : application->windows()) {
      if (other.get() != window && other->parent() == window->parent()) {
        other->flags |= kWindowDefaultChild;
        break;
      }
    }
  }
  application->set_last_exit_code(exit_code);
  application->Release(window);
  if (previous && application->Holds(previous)) previous->Activate();
}

}  // namespace cbst
