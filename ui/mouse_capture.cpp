// mouse_capture.cpp: the mouse kept with one window of the program.
#include "ui/mouse_capture_qt.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace cbst {
namespace {

QPointer<QWidget>& Captor() {
  static QPointer<QWidget> captor;
  return captor;
}

bool IsMouseEvent(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

}  // namespace

void CaptureMouse(QWidget* widget) {
  Captor() = widget;
}

QWidget* MouseCaptor() {
  return Captor().data();
}

bool SendMouseToCaptor(QObject* target, QEvent* event) {
  QWidget* captor = Captor().data();
  if (!captor || target == captor || !IsMouseEvent(event->type())) return false;
  auto* widget = qobject_cast<QWidget*>(target);
  // Menus and dialogs are windows of their own: they keep their clicks.
  if (!widget || widget->window() != captor->window()) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPointF global = mouse->globalPosition();
  QMouseEvent sent(mouse->type(), captor->mapFromGlobal(global), mouse->scenePosition(), global,
                   mouse->button(), mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
  QCoreApplication::sendEvent(captor, &sent);
  return true;
}

}  // namespace cbst
