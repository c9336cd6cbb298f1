// toolkit_pictures.cpp: clipboard pictures and toolkit-read files as Dibs.
#include "gfx/toolkit_pictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>

#include <cstring>

namespace cbst {
namespace {

bool FromImage(const QImage& image, Dib& into) {
  if (image.isNull()) return false;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  Dib dib(rgb.width(), rgb.height(), 24);
  if (!dib.valid()) return false;
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* from = rgb.constScanLine(y);
    std::uint8_t* to = dib.row(y);
    // Dib rows are blue, green, red.
    for (int x = 0; x < rgb.width(); ++x) {
      to[3 * x] = from[3 * x + 2];
      to[3 * x + 1] = from[3 * x + 1];
      to[3 * x + 2] = from[3 * x];
    }
  }
  into = std::move(dib);
  return true;
}

}  // namespace

bool ReadToolkitPicture(const char* path, Dib& into) {
  QImageReader reader(QString::fromUtf8(path));
  reader.setAutoTransform(true);
  return FromImage(reader.read(), into);
}

bool ClipboardHasPicture() {
  const QClipboard* clipboard = qGuiApp ? QGuiApplication::clipboard() : nullptr;
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  return data && data->hasImage();
}

bool TakeClipboardPicture(Dib& into) {
  if (!ClipboardHasPicture()) return false;
  return FromImage(QGuiApplication::clipboard()->image(), into);
}

}  // namespace cbst
