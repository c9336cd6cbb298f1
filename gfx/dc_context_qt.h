// dc_context_qt.h: what a DC draws with underneath, for gfx/ and ui/.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRegion>

#include <optional>

namespace cbst {

struct DCContext {
  QImage* image = nullptr;  // the pixels drawn on
  QPoint origin;            // where the context's (0, 0) lies in them
  std::optional<QRegion> clip;
  QRegion paint_region;
  std::optional<QPainter> painter;  // begun on the first drawing call

  void End() {
    if (painter) painter.reset();
  }
};

// 0x00BBGGRR as the toolkit's colour, and back.
inline QColor ToQColor(std::uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
inline std::uint32_t FromQColor(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red() | colour.green() << 8 | colour.blue() << 16);
}

}  // namespace cbst
