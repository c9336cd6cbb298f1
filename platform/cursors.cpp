// cursors.cpp: cursor shapes on the toolkit's cursors.
#include "platform/cursors.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

#include <vector>

#include "platform/platform_window_qt.h"

namespace cbst {
namespace {

// The program's cursors, made once each and kept for the whole run.
std::vector<QCursor>& ProgramCursors() {
  static std::vector<QCursor> cursors;
  return cursors;
}

QCursor CursorOf(int shape) {
  switch (shape) {
    case kCursorWait:
      return Qt::WaitCursor;
    case kCursorMove:
      return Qt::SizeAllCursor;
    case kCursorSizeNorthWestSouthEast:
      return Qt::SizeFDiagCursor;
    case kCursorSizeNorthEastSouthWest:
      return Qt::SizeBDiagCursor;
    case kCursorSizeWestEast:
      return Qt::SizeHorCursor;
    case kCursorSizeNorthSouth:
      return Qt::SizeVerCursor;
    case kCursorHand:
      return Qt::PointingHandCursor;
    default:
      break;
  }
  const int index = shape - kFirstProgramCursor;
  if (index >= 0 && index < static_cast<int>(ProgramCursors().size()))
    return ProgramCursors()[static_cast<std::size_t>(index)];
  return Qt::ArrowCursor;
}

}  // namespace

int RegisterCursor(int width, int height, const std::uint32_t* pixels, int hot_x, int hot_y) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < width; ++x)
      row[x] = pixels[y * width + x];
  }
  ProgramCursors().emplace_back(QPixmap::fromImage(image), hot_x, hot_y);
  return kFirstProgramCursor + static_cast<int>(ProgramCursors().size()) - 1;
}

void SetWindowCursor(const PlatformWindow* window, int shape) {
  if (QWidget* widget = WidgetOf(window)) {
    widget->setCursor(CursorOf(shape));
    widget->setProperty("cbst_cursor", shape);
  }
}

int WindowCursor(const PlatformWindow* window) {
  const QWidget* widget = WidgetOf(window);
  return widget ? widget->property("cbst_cursor").toInt() : kCursorArrow;
}

}  // namespace cbst
