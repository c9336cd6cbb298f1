// busy.cpp: the event pump and the wait cursor on Qt.
#include "platform/busy.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace cbst {

void PumpMessages() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

WaitCursor::WaitCursor() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown_ = true;
  }
}

WaitCursor::~WaitCursor() {
  if (shown_) QGuiApplication::restoreOverrideCursor();
}

}  // namespace cbst
