// device_pixels_qt.h: points and rectangles between the toolkit's logical
// pixels and the device pixels a window may draw and count in, for ui/.
//
// On a screen with a device pixel ratio above 1 the toolkit counts in
// logical pixels, each `ratio` device pixels wide. A window that works in
// device pixels converts at the toolkit's door with these; at a ratio of 1
// they change nothing.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRegion>

#include <cmath>

namespace cbst {

// The device pixel under a logical position: exact for fractional
// positions, so that a press lands on the pixel it was made over.
inline QPoint ToDevicePixels(QPointF logical, double ratio) {
  if (ratio == 1.0) return {static_cast<int>(logical.x()), static_cast<int>(logical.y())};
  return {static_cast<int>(std::floor(logical.x() * ratio)),
          static_cast<int>(std::floor(logical.y() * ratio))};
}

inline QPointF ToLogicalPixels(QPoint device, double ratio) {
  return {device.x() / ratio, device.y() / ratio};
}

// The smallest device rectangle that covers a logical one, and the other
// way round.
inline QRect ToDevicePixels(const QRect& logical, double ratio) {
  if (ratio == 1.0) return logical;
  const int left = static_cast<int>(std::floor(logical.x() * ratio));
  const int top = static_cast<int>(std::floor(logical.y() * ratio));
  const int right = static_cast<int>(std::ceil((logical.x() + logical.width()) * ratio));
  const int bottom = static_cast<int>(std::ceil((logical.y() + logical.height()) * ratio));
  return {left, top, right - left, bottom - top};
}

inline QRect ToLogicalPixels(const QRect& device, double ratio) {
  if (ratio == 1.0) return device;
  const int left = static_cast<int>(std::floor(device.x() / ratio));
  const int top = static_cast<int>(std::floor(device.y() / ratio));
  const int right = static_cast<int>(std::ceil((device.x() + device.width()) / ratio));
  const int bottom = static_cast<int>(std::ceil((device.y() + device.height()) / ratio));
  return {left, top, right - left, bottom - top};
}

inline QRegion ToDevicePixels(const QRegion& logical, double ratio) {
  if (ratio == 1.0) return logical;
  QRegion device;
  for (const QRect& part : logical)
    device += ToDevicePixels(part, ratio);
  return device;
}

// A place given in device pixels as the nearest logical one (a window is
// moved there: no covering needed), and back.
inline QRect NearestLogical(const QRect& device, double ratio) {
  if (ratio == 1.0) return device;
  const auto near = [ratio](int value) { return static_cast<int>(std::lround(value / ratio)); };
  return {near(device.x()), near(device.y()), near(device.width()), near(device.height())};
}

inline QRect NearestDevice(const QRect& logical, double ratio) {
  if (ratio == 1.0) return logical;
  const auto near = [ratio](int value) { return static_cast<int>(std::lround(value * ratio)); };
  return {near(logical.x()), near(logical.y()), near(logical.width()), near(logical.height())};
}

}  // namespace cbst
