// screen_overlay.cpp: the animation layer as a see-through top window.
#include "ui/screen_overlay.h"

#include <QApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace cbst {

// A frameless window over the whole screen that the mouse goes through.
class ScreenOverlay::Layer final : public QWidget {
 public:
  explicit Layer(const std::vector<Frame>& frames)
      : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
        frames_(frames) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const Frame& frame : frames_) {
      // Dark and light together stay visible over any picture, as an
      // inverted frame does.
      const QRect outer(frame.rect.x, frame.rect.y, frame.rect.width, frame.rect.height);
      for (int ring = 0; ring < frame.thickness; ++ring) {
        painter.setPen(ring % 2 ? QColor(255, 255, 255, 220) : QColor(0, 0, 0, 220));
        painter.drawRect(outer.adjusted(ring, ring, -ring - 1, -ring - 1));
      }
    }
  }

 private:
  const std::vector<Frame>& frames_;
};

ScreenOverlay::ScreenOverlay() = default;
ScreenOverlay::~ScreenOverlay() = default;

void ScreenOverlay::InvertFrame(const Rect16& rect, int thickness) {
  const Frame frame{rect, std::max(thickness, 1)};
  const auto found = std::find(frames_.begin(), frames_.end(), frame);
  if (found != frames_.end()) {
    frames_.erase(found);  // inverted twice: gone
  } else {
    frames_.push_back(frame);
  }
}

void ScreenOverlay::Present() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  if (!layer_) layer_ = std::make_unique<Layer>(frames_);
  if (frames_.empty()) {
    layer_->hide();
    return;
  }
  // Shaped to the frames, the layer lets everything else show through
  // even where the window system cannot blend translucent windows.
  QRegion shape;
  for (const Frame& frame : frames_) {
    const QRect outer(frame.rect.x, frame.rect.y, frame.rect.width, frame.rect.height);
    const QRect inner =
        outer.adjusted(frame.thickness, frame.thickness, -frame.thickness, -frame.thickness);
    shape += inner.isValid() ? QRegion(outer).subtracted(QRegion(inner)) : QRegion(outer);
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    shape.translate(-screen->geometry().topLeft());
  layer_->setMask(shape);
  layer_->show();
  layer_->repaint();
}

bool ScreenOverlay::visible() const {
  return layer_ && layer_->isVisible();
}

}  // namespace cbst
