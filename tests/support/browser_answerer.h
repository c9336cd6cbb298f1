// browser_answerer.h: answers the puzzle browser whenever it comes up, as
// a player who takes what it offers: the line it has chosen (the puzzle
// the program was started with, the last one played), or, with nothing
// chosen, closes it.
#pragma once

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "support/control_of.h"

namespace cbst::testing {

// Make it once the toolkit is up; it may outlive the toolkit.
class BrowserAnswerer {
 public:
  BrowserAnswerer() : timer_(new QTimer(QCoreApplication::instance())) {
    QObject::connect(timer_, &QTimer::timeout, [this] {
      QWidget* dialog = QApplication::activeModalWidget();
      QListWidget* list = dialog ? ControlOf<QListWidget>(dialog, kList) : nullptr;
      if (!list) return;
      ++shown;
      const bool chosen = !list->selectedItems().empty();
      if (QPushButton* button = ControlOf<QPushButton>(dialog, chosen ? kOpen : kClose))
        button->click();
    });
    timer_->start(kEveryMs);
  }
  ~BrowserAnswerer() { delete timer_.data(); }
  BrowserAnswerer(const BrowserAnswerer&) = delete;
  BrowserAnswerer& operator=(const BrowserAnswerer&) = delete;
  int shown = 0;

 private:
  static constexpr int kList = 3000;
  static constexpr int kOpen = 101;
  static constexpr int kClose = 2;
  static constexpr int kEveryMs = 20;
  QPointer<QTimer> timer_;  // the toolkit's, gone with it
};

}  // namespace cbst::testing
