// window_host_qt.h: WindowHost, the toolkit widget behind a Window, for ui/.
//
// It keeps the window's client area as an image that DCs draw into, shows
// that image, and turns the toolkit's events into framework Events.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <map>

#include "gfx/drawing_surface_qt.h"

namespace cbst {

class Window;

// The press point and whether the mouse has moved far enough for a drag:
// one record for the whole program, as only one button press is under way.
struct MouseRecord {
  QPoint press;     // screen coordinates
  int button = -1;  // held since the press: 0 left, 1 right, 2 middle
  bool dragging = false;
};
MouseRecord& TheMouse();
// The press under way ended where no window saw its release (a popup menu
// took it): the moves that follow are no drag.
void ForgetMousePress();

// The framework window a widget belongs to: its own host's, or the host's
// of the nearest parent that has one.
Window* FrameworkWindowOf(QObject* object);

// The dynamic properties a dialog template gives its controls: the number
// the program knows the control by, and its own tip text.
inline constexpr char kControlIdProperty[] = "id";
inline constexpr char kControlTipProperty[] = "tip";

// Tells the window of a control that the mouse moved over the control or
// left it (kEventHover), for any event the application sees; other events
// pass unnoticed.
void OfferHover(QObject* target, QEvent* event);

class WindowHost final : public QWidget, public DrawingSurface {
 public:
  WindowHost(Window& window, QWidget* parent);
  ~WindowHost() override;

  // DrawingSurface.
  QImage* Image() override { return &image_; }
  QRect ClientRect() const override { return QRect(QPoint(0, 0), DeviceSize()); }
  QRegion BeginPaint() override { return painting_; }
  // How many paint events have put the window's pixels on the screen.
  int presented() const { return presented_; }
  void EndPaint() override {}
  void Release() override;

  Window& window() const { return *window_; }
  // A window may count and draw in device pixels: its client area, its
  // events and its children's places are then `ratio` times the toolkit's
  // logical pixels. `outer_ratio` is its parent's: what its own place on
  // the parent is counted in. Both are 1 by default.
  void set_pixel_ratio(double ratio, double outer_ratio) {
    ratio_ = ratio;
    outer_ratio_ = outer_ratio;
  }
  double pixel_ratio() const { return ratio_; }
  double outer_ratio() const { return outer_ratio_; }
  // The client area's size in the window's own pixels.
  QSize DeviceSize() const;
  // The control that had the focus when it was last saved.
  QPointer<QWidget> saved_focus;
  bool focus_saved = false;
  int StartTimer(int id, int milliseconds);
  void StopTimer(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Tab moves between a dialog's controls; elsewhere it is a key like any.
  bool focusNextPrevChild(bool next) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Key(QKeyEvent* event, bool down);
  void Mouse(QMouseEvent* event, int subcode);
  void Send(Event& event);

  Window* window_;
  QImage image_;
  QRegion painting_;
  bool present_only_ = false;
  double ratio_ = 1.0;
  double outer_ratio_ = 1.0;
  int presented_ = 0;
  std::map<int, int> timers_;  // the toolkit's timer id to the window's
};

}  // namespace cbst
