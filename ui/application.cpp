// application.cpp: the window list, queued events and the message loop.
#include "ui/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>

#include <algorithm>
#include <cstdlib>

#include "platform/key_state.h"
#include "ui/mouse_capture_qt.h"
#include "ui/tips.h"
#include "ui/virtual_keys_qt.h"
#include "ui/win_dlg.h"
#include "ui/window_host_qt.h"

namespace cbst {
namespace {

Application*& Current() {
  static Application* current = nullptr;
  return current;
}

// The faces the program's dialogs were drawn with, and what stands in for
// them here.
constexpr const char* kSmallFace = "Small Fonts";
constexpr const char* kDialogFace = "MS Sans Serif";
constexpr const char* kStandInFaces[] = {"DejaVu Sans", "Liberation Sans", "Sans Serif"};
constexpr int kSmallHeight = 10;
constexpr int kDialogHeight = 13;
constexpr int kDialogLargeHeight = 16;

// Offers keys and clicks, before they reach any control, to windows that
// asked to see them first (kWindowFirstLook), as event 119.
class FirstLook final : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    // The window that holds the capture sees the event in its place.
    if (SendMouseToCaptor(target, event)) return true;
    const QEvent::Type type = event->type();
    // The releases of the keys held go to another program, or, when the
    // window that had the keyboard closes on a key (Enter on a dialog), to
    // no window at all under Wayland: no key is held any more.
    if (type == QEvent::WindowDeactivate || (type == QEvent::Hide && target->isWidgetType() &&
                                             static_cast<QWidget*>(target)->isWindow()))
      ForgetHeldKeys();
    OfferHover(target, event);
    if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress) return false;
    Application* application = Application::Instance();
    // A key or a click puts the tip away: the player knows what to do.
    if (application) application->tips().Hide();
    Window* window = FrameworkWindowOf(target);
    if (!window || !application || !application->Holds(window) ||
        !(window->flags & kWindowFirstLook))
      return false;
    Event queued = MakeEvent(kEventQueued);
    if (type == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      KeyPayload payload;
      payload.virtual_key = VirtualKeyOf(*key).code;
      payload.extended = VirtualKeyOf(*key).extended;
      payload.modifiers =
          static_cast<std::uint8_t>((key->modifiers() & Qt::ShiftModifier ? kModShift : 0) |
                                    (key->modifiers() & Qt::ControlModifier ? kModControl : 0) |
                                    (key->modifiers() & Qt::AltModifier ? kModAlt : 0));
      queued.payload = payload;
    } else {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      queued.payload = MousePayload{kMouseLeftDown, static_cast<int>(mouse->position().x()),
                                    static_cast<int>(mouse->position().y()), 0};
    }
    window->Dispatch(queued);
    // Handled means taken: nobody else sees it.
    return queued.handled();
  }
};

}  // namespace

Application::Application(int& argc, char** argv)
    : fonts_{Font(kSmallFace, kSmallHeight), Font(kDialogFace, kDialogHeight),
             Font(kDialogFace, kDialogLargeHeight)},
      tips_(std::make_unique<Tips>()) {
  if (!QCoreApplication::instance()) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
    toolkit_ = std::make_unique<QApplication>(argc, argv);
  }
  Current() = this;
  first_look_ = std::make_unique<FirstLook>();
  QCoreApplication::instance()->installEventFilter(first_look_.get());
  QStringList stand_ins;
  for (const char* face : kStandInFaces)
    stand_ins << face;
  QFont::insertSubstitutions(kSmallFace, stand_ins);
  QFont::insertSubstitutions(kDialogFace, stand_ins);
  if (auto* clipboard = QGuiApplication::clipboard()) {
    // The connections end with this object, not with the toolkit, which
    // may outlive it.
    QObject::connect(clipboard, &QClipboard::dataChanged, first_look_.get(), [this] {
      const std::vector<Window*> viewers = clipboard_viewers_;
      for (Window* viewer : viewers) {
        if (!Holds(viewer)) continue;
        Event changed = MakeEvent(kEventClipboard);
        viewer->Dispatch(changed);
      }
    });
  }
  // The program coming to the front or going behind another one reaches
  // the windows that take messages of their own (kWindowForwardOther).
  if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QObject::connect(
        gui, &QGuiApplication::applicationStateChanged, first_look_.get(),
        [this](Qt::ApplicationState state) { TellActivation(state == Qt::ApplicationActive); });
  }
  // A resource bundle beside the program replaces dialog templates.
  const QString bundle = QCoreApplication::applicationDirPath() + "/wres.rcc";
  RegisterResourceBundle(bundle.toLocal8Bit().constData());
}

Application::~Application() {
  CloseAll();
  if (QCoreApplication::instance())
    QCoreApplication::instance()->removeEventFilter(first_look_.get());
  Current() = nullptr;
}

Application* Application::Instance() {
  return Current();
}

bool Application::Holds(const Window* window) const {
  return std::any_of(windows_.begin(), windows_.end(),
                     [&](const auto& held) { return held.get() == window; });
}

bool Application::Release(Window* window) {
  const auto found = std::find_if(windows_.begin(), windows_.end(),
                                  [&](const auto& held) { return held.get() == window; });
  if (found == windows_.end()) return false;
  // Out of the list first, so that what the window does as it goes sees
  // it gone.
  std::unique_ptr<Window> going = std::move(*found);
  windows_.erase(found);
  std::erase_if(posted_, [&](const Posted& posted) { return posted.target == window; });
  RemoveClipboardViewer(window);
  if (frame_ == window) frame_ = nullptr;
  going.reset();
  return true;
}

void Application::Post(Window* target, Event event) {
  posted_.push_back({target, std::move(event)});
  // A loop waiting for the toolkit's events must see this one too.
  if (auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread()))
    dispatcher->wakeUp();
}

void Application::DeliverPosted() {
  while (!posted_.empty()) {
    Posted next = std::move(posted_.front());
    posted_.pop_front();
    if (Holds(next.target)) next.target->Dispatch(next.event);
  }
}

void Application::RunIdle() {
  if (!idle_) return;
  for (const auto& handler : idle_handlers_)
    handler();
}

int Application::RunUntilGone(Window* window) {
  QAbstractEventDispatcher* dispatcher =
      QAbstractEventDispatcher::instance(QThread::currentThread());
  // The idle pass runs whenever the queue has run dry, before waiting.
  const QMetaObject::Connection idle =
      dispatcher ? QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                    [this] {
                                      RunIdle();
                                      CheckSettled();
                                    })
                 : QMetaObject::Connection();
  while (Holds(window)) {
    DeliverPosted();
    if (!Holds(window)) break;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  QObject::disconnect(idle);
  return last_exit_code_;
}

void Application::ProcessPending(bool input) {
  if (!input) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  DeliverPosted();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  DeliverPosted();
}

void Application::WhenSettled(Window* window, std::function<void()> settled) {
  settling_ = window;
  settling_from_ = window ? window->PresentedFrames() : 0;
  settled_ = std::move(settled);
}

void Application::CheckSettled() {
  if (!settled_ || !Holds(settling_) || !posted_.empty()) return;
  if (settling_->PresentedFrames() <= settling_from_) return;
  std::function<void()> settled = std::move(settled_);
  settled_ = nullptr;
  settled();
}

void Application::AddIdleHandler(std::function<void()> handler) {
  idle_handlers_.push_back(std::move(handler));
}

void Application::DefaultHandler(Event&) {}

void Application::TellActivation(bool active) {
  std::vector<Window*> listening;
  for (const auto& window : windows_)
    if (window->flags & kWindowForwardOther) listening.push_back(window.get());
  for (Window* window : listening) {
    if (!Holds(window)) continue;
    Event event = MakeEvent(kEventOther, ActivationPayload{active});
    window->Dispatch(event);
  }
}

void Application::SetAccelerators(std::vector<Accelerator> table, Window* frame) {
  accelerators_ = std::move(table);
  frame_ = frame;
}

bool Application::TranslateAccelerator(const KeyPayload& key) {
  if (key.kind != KeyKind::kDown || !Holds(frame_)) return false;
  for (const Accelerator& accelerator : accelerators_) {
    if (accelerator.virtual_key == key.virtual_key && accelerator.modifiers == key.modifiers) {
      Event command = MakeEvent(kEventCommand, CommandPayload{accelerator.command, 0});
      frame_->Dispatch(command);
      return true;
    }
  }
  return false;
}

void Application::AddClipboardViewer(Window* window) {
  RemoveClipboardViewer(window);
  clipboard_viewers_.push_back(window);
}

void Application::RemoveClipboardViewer(Window* window) {
  std::erase(clipboard_viewers_, window);
}

void Application::CloseAll() {
  closing_all_ = true;
  while (!windows_.empty()) {
    Window* last = windows_.back().get();
    DestroyWindow(last, 0);
  }
  closing_all_ = false;
}

}  // namespace cbst
