// control_notifications.cpp: what the player does with a control, told to
// the control's window as command events with its id (and scroll events).
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include "ui/application.h"
#include "ui/control.h"
#include "ui/control_qt.h"
#include "ui/window_host_qt.h"

namespace cbst {
namespace {

constexpr char kQuietProperty[] = "cbst_quiet";

bool IsQuiet(const QObject* control) {
  return control->property(kQuietProperty).toBool();
}

// Sends `window` what `control` tells; nothing once the window is gone or
// while the program itself is changing the control.
class Teller {
 public:
  Teller(QWidget* control, Window* window)
      : control_(control), window_(window), id_(control->property(kControlIdProperty).toInt()) {}

  void Command(std::intptr_t what) const {
    Event event = MakeEvent(kEventCommand, CommandPayload{static_cast<std::uint32_t>(id_), what});
    Send(event);
  }
  void Scroll(int action, int position) const {
    Event event = MakeEvent(kEventScroll, ScrollPayload{id_, action, position});
    Send(event);
  }

 private:
  void Send(Event& event) const {
    Application* application = Application::Instance();
    if (!control_ || IsQuiet(control_) || !application || !application->Holds(window_)) return;
    window_->Dispatch(event);
  }
  QPointer<QWidget> control_;
  Window* window_;
  int id_;
};

// An edit taking or losing the keyboard.
class FocusTeller final : public QObject {
 public:
  FocusTeller(QObject* watched, Teller teller) : QObject(watched), teller_(teller) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) teller_.Command(kNotifyEditFocus);
    if (event->type() == QEvent::FocusOut) teller_.Command(kNotifyEditLostFocus);
    return false;
  }

 private:
  Teller teller_;
};

// A list with no line chosen has its keyboard cursor on the first line
// without showing it: the first arrow key chooses the line the cursor is on,
// instead of stepping past a line the player never saw chosen.
class FirstArrowChooses final : public QObject {
 public:
  explicit FirstArrowChooses(QListWidget* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Down && key != Qt::Key_Up) return false;
    if (list_->count() == 0 || !list_->selectedItems().isEmpty()) return false;
    const int row = list_->currentRow() >= 0 ? list_->currentRow() : 0;
    list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    return true;
  }

 private:
  QListWidget* list_;
};

int ScrollActionOf(int slider_action) {
  switch (slider_action) {
    case QAbstractSlider::SliderSingleStepSub:
      return kScrollLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
      return kScrollLineDown;
    case QAbstractSlider::SliderPageStepSub:
      return kScrollPageUp;
    case QAbstractSlider::SliderPageStepAdd:
      return kScrollPageDown;
    case QAbstractSlider::SliderToMinimum:
      return kScrollTop;
    case QAbstractSlider::SliderToMaximum:
      return kScrollBottom;
    default:
      return kScrollThumbTrack;
  }
}

void ConnectEdit(QWidget* edit, const Teller& tell) {
  new FocusTeller(edit, tell);
  if (auto* line = qobject_cast<QLineEdit*>(edit)) {
    QObject::connect(line, &QLineEdit::textEdited, line,
                     [tell] { tell.Command(kNotifyEditChanged); });
  } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit)) {
    // Typing and the arrows both change a spin box's text.
    if (auto* inner = spin->findChild<QLineEdit*>()) {
      QObject::connect(inner, &QLineEdit::textChanged, spin,
                       [tell] { tell.Command(kNotifyEditChanged); });
    }
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
    QObject::connect(plain, &QPlainTextEdit::textChanged, plain,
                     [tell] { tell.Command(kNotifyEditChanged); });
  } else if (auto* rich = qobject_cast<QTextEdit*>(edit)) {
    QObject::connect(rich, &QTextEdit::textChanged, rich,
                     [tell] { tell.Command(kNotifyEditChanged); });
  }
}

}  // namespace

QuietControl::QuietControl(QWidget* control)
    : control_(control), was_quiet_(control && IsQuiet(control)) {
  if (control_) control_->setProperty(kQuietProperty, true);
}

QuietControl::~QuietControl() {
  if (control_) control_->setProperty(kQuietProperty, was_quiet_);
}

void ConnectNotifications(QWidget* control, Window* window) {
  if (!control->property(kControlIdProperty).isValid()) return;
  const Teller tell(control, window);
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [tell] { tell.Command(kNotifyClicked); });
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    QObject::connect(combo, &QComboBox::activated, combo,
                     [tell] { tell.Command(kNotifyComboChanged); });
    if (QLineEdit* edit = combo->lineEdit()) {
      QObject::connect(edit, &QLineEdit::textEdited, combo,
                       [tell] { tell.Command(kNotifyComboEdited); });
    }
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    QObject::connect(list, &QListWidget::itemSelectionChanged, list,
                     [tell] { tell.Command(kNotifySelectionChanged); });
    if (list->selectionMode() == QAbstractItemView::SingleSelection) new FirstArrowChooses(list);
    // A double click often ends the dialog, and the list is still inside
    // its mouse handler as it tells: it is told once the handler is left.
    QObject::connect(
        list, &QListWidget::itemDoubleClicked, list, [tell] { tell.Command(kNotifyDoubleClicked); },
        Qt::QueuedConnection);
    const QVariant owner_draw = list->property(kOwnerDrawProperty);
    if (owner_draw.isValid()) MakeOwnerDrawn(list, window, owner_draw.toInt());
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
    // The position has moved when the action is told; the value follows.
    QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [tell, slider](int action) {
      tell.Scroll(ScrollActionOf(action), slider->sliderPosition());
    });
    QObject::connect(slider, &QAbstractSlider::sliderReleased, slider, [tell, slider] {
      tell.Scroll(kScrollThumbPosition, slider->sliderPosition());
    });
  } else if (qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractSpinBox*>(control) ||
             qobject_cast<QPlainTextEdit*>(control) || qobject_cast<QTextEdit*>(control)) {
    ConnectEdit(control, tell);
  }
}

}  // namespace cbst
