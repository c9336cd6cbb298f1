// tool_support.cpp: argument pairs and the toolkit for cbst-tool.
#include "tools/tool_support.h"

#include <QImage>

#include <cstdlib>

#include "gfx/dib.h"
#include "gfx/display_probe.h"

namespace cbst::tool {

bool ParsePair(const char* text, int& first, int& second) {
  char* end = nullptr;
  first = static_cast<int>(std::strtol(text, &end, 10));
  if (end == text || (*end != 'x' && *end != 'X')) return false;
  const char* rest = end + 1;
  second = static_cast<int>(std::strtol(rest, &end, 10));
  return end != rest && *end == 0;
}

bool SavePng(Bmp& bitmap, const std::string& path) {
  const Dib pixels = Dib::FromBitmap(bitmap);
  QImage image(pixels.width(), pixels.height(), QImage::Format_RGB32);
  for (int y = 0; y < pixels.height(); ++y) {
    for (int x = 0; x < pixels.width(); ++x) {
      const std::uint32_t colour = pixels.PixelColour(x, y);
      image.setPixel(x, y, qRgb(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
    }
  }
  return image.save(QString::fromStdString(path), "PNG");
}

std::unique_ptr<QGuiApplication> StartToolkit() {
  if (qGuiApp) return nullptr;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  static int argc = 1;
  static char name[] = "cbst-tool";
  static char* argv[] = {name, nullptr};
  auto application = std::make_unique<QGuiApplication>(argc, argv);
  ProbeDisplay(false);
  return application;
}

}  // namespace cbst::tool
