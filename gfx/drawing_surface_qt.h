// drawing_surface_qt.h: what a window offers a DC to draw on.
//
// The window layer implements it for each window; the screen is the surface
// registered with SetScreenSurface, an overlay above every window.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

namespace cbst {

class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;

  // The image the window's client area (or the whole window, frame
  // included) is drawn into, and where the client area lies in it.
  virtual QImage* Image() = 0;
  virtual QRect ClientRect() const = 0;
  virtual bool palette_based() const { return false; }

  // A paint request: the region to redraw in client coordinates, and the end of it (the window
  // then shows what was drawn).
  virtual QRegion BeginPaint() { return QRegion(ClientRect()); }
  virtual void EndPaint() {}
  // Drawing outside a paint request is done: show it.
  virtual void Release() {}
};

// The screen's surface, or none while the window layer has not set one up.
DrawingSurface* ScreenSurface();
void SetScreenSurface(DrawingSurface* surface);

}  // namespace cbst
