// box_answerer.h: answers the message boxes a test's windows bring up.
#pragma once

#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace cbst::testing {

// Answers every message box that comes up: with its default button, or
// with its escape button, or with the button asked for when it has one,
// and keeps what they said.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(bool accept, QMessageBox::StandardButton wanted = QMessageBox::NoButton) {
    QObject::connect(&timer_, &QTimer::timeout, [this, accept, wanted] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      texts.push_back(box->text().toStdString());
      QAbstractButton* button = accept ? box->defaultButton() : box->escapeButton();
      if (wanted != QMessageBox::NoButton && box->button(wanted)) button = box->button(wanted);
      if (button) button->click();
    });
    timer_.start(20);
  }
  std::vector<std::string> texts;

 private:
  QTimer timer_;
};

}  // namespace cbst::testing
