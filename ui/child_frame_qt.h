// child_frame_qt.h: ChildFrame, the frame the framework draws around child
// windows that float over the table, for ui/.
//
// Boxes, the preview, the score window and the loupe are children of the
// table with a caption (title, system-menu button, minimise, maximise and
// close buttons as the window asks) and a sizing border. The frame moves
// and resizes them under the mouse and tells the window about its buttons.
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cstdint>

namespace cbst {

class Window;

// Parts of a frame, as the non-client button event names them.
inline constexpr int kHitCaption = 2;
inline constexpr int kHitSystemMenu = 3;
inline constexpr int kHitMinimise = 8;
inline constexpr int kHitMaximise = 9;
inline constexpr int kHitLeft = 10;
inline constexpr int kHitRight = 11;
inline constexpr int kHitTop = 12;
inline constexpr int kHitTopLeft = 13;
inline constexpr int kHitTopRight = 14;
inline constexpr int kHitBottom = 15;
inline constexpr int kHitBottomLeft = 16;
inline constexpr int kHitBottomRight = 17;
inline constexpr int kHitClose = 20;

inline constexpr int kFrameBorder = 4;
inline constexpr int kCaptionHeight = 18;

class ChildFrame final : public QWidget {
 public:
  ChildFrame(Window& window, QWidget* parent, std::uint32_t style);

  // Where the client area lies inside the frame.
  QRect ClientArea() const;
  void SetClient(QWidget* client);
  // The frame part under a point of the frame, 0 for the client area.
  int HitTest(const QPoint& point) const;
  QRect ButtonRect(int hit) const;
  // Fills the parent's client area without caption or border, or goes back
  // to where it was with them.
  void ToggleMaximised();
  bool maximised() const { return !normal_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool sizable() const;

  Window* window_;
  std::uint32_t style_;
  QWidget* client_ = nullptr;
  int pressed_ = 0;  // the part being dragged or pressed
  QPoint press_;     // in the parent's coordinates
  QRect start_;      // the frame's geometry at the press
  QRect normal_;     // where it was before it was maximised
};

}  // namespace cbst
