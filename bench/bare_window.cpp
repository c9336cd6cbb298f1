// bare_window.cpp: the least a toolkit program can do before its first
// frame, as the floor of the opening benchmark: bring the toolkit up,
// show one full-screen window, paint it a plain colour once, and end as
// soon as that frame has gone to the display. No game code runs.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class BareWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0x24, 0x5C, 0x43));
    // Ends once the frame has been handed to the display, as the game's
    // measured start ends at its first settled frame.
    QTimer::singleShot(0, [] { std::_Exit(0); });
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  BareWindow window;
  window.showFullScreen();
  return application.exec();
}
