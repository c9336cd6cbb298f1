// win_wrk.cpp: the work window's background.
#include "ui/win_wrk.h"

#include "gfx/bmp_mem.h"
#include "gfx/dc.h"

namespace cbst {

const ClassInfo WinWrk::kClass = {&Window::kClass, "WinWrk"};

void WinWrk::Paint(DC& dc) {
  if (!background_ || background_->width() <= 0 || background_->height() <= 0) return;
  const Rect16 area = dc.paint_rectangle();
  const int width = background_->width(), height = background_->height();
  // Tiles from the window's corner, only those the paint asks for.
  for (int y = area.y / height * height; y < area.y + area.height; y += height) {
    for (int x = area.x / width * width; x < area.x + area.width; x += width)
      dc.Transfer(x, y, width, height, background_->dc(), 0, 0);
  }
}

}  // namespace cbst
