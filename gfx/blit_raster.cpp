// blit_raster.cpp: the compositing operations as QPainter raster operations.
#include <QPainter>

#include "gfx/bitmap_handle_qt.h"
#include "gfx/blit.h"
#include "gfx/dc_mem.h"

namespace cbst {
namespace {

// One block transfer: the rectangle of `from` at (from_x, from_y) onto `to`
// at (to_x, to_y), combined by `mode`.
void Transfer(Bmp& to, int to_x, int to_y, Bmp& from, int from_x, int from_y, int width, int height,
              QPainter::CompositionMode mode) {
  for (Bmp* bitmap : {&to, &from}) {
    if (DCMem* dc = bitmap->dc_mem()) dc->Flush();
  }
  QPainter painter(&to.handle()->image);
  painter.setCompositionMode(mode);
  painter.drawImage(QPoint(to_x + to.x(), to_y + to.y()), from.handle()->image,
                    QRect(from_x + from.x(), from_y + from.y(), width, height));
}

}  // namespace

void BlitRaster(BlitRequest request, BlitOperation operation) {
  if (!request.Clip()) return;
  Bmp& destination = *request.destination;
  const int x = request.x;
  const int y = request.y;
  const int width = request.width;
  const int height = request.height;
  const auto from_source = [&](QPainter::CompositionMode mode) {
    Transfer(destination, x, y, *request.source, request.source_x, request.source_y, width, height,
             mode);
  };
  const auto mask_onto = [&](Bmp& target, int target_x, int target_y,
                             QPainter::CompositionMode mode) {
    Transfer(target, target_x, target_y, *request.mask, request.mask_x, request.mask_y, width,
             height, mode);
  };
  const auto masked_copy = [&] {
    mask_onto(destination, x, y, QPainter::RasterOp_SourceAndDestination);
    from_source(QPainter::RasterOp_SourceXorDestination);
  };
  const bool own_background = !request.background || request.background == request.destination;

  switch (operation) {
    case BlitOperation::kAndSource:
      from_source(QPainter::RasterOp_SourceAndDestination);
      break;
    case BlitOperation::kAndNotSource:
      from_source(QPainter::RasterOp_NotSourceAndDestination);
      break;
    case BlitOperation::kOrNotSource:
      from_source(QPainter::RasterOp_NotSourceOrDestination);
      break;
    case BlitOperation::kMaskedCopy:
      masked_copy();
      break;
    case BlitOperation::kMaskedCopyAlsoBackground:
      if (!own_background) {
        mask_onto(*request.background, request.background_x, request.background_y,
                  QPainter::RasterOp_SourceAndDestination);
      }
      masked_copy();
      break;
    case BlitOperation::kTint:
      BlitDirect(request, operation);
      break;
    case BlitOperation::kBlendByMask:
      if (!own_background) {
        Transfer(destination, x, y, *request.background, request.background_x, request.background_y,
                 width, height, QPainter::CompositionMode_Source);
      }
      masked_copy();
      break;
    case BlitOperation::kCutOut:
      mask_onto(destination, x, y, QPainter::RasterOp_NotSource);
      from_source(QPainter::RasterOp_SourceAndDestination);
      break;
    case BlitOperation::kCopyOverBackground:
      mask_onto(*request.source, request.source_x, request.source_y,
                QPainter::RasterOp_NotSourceAndDestination);
      mask_onto(destination, x, y, QPainter::RasterOp_NotSourceOrDestination);
      masked_copy();
      break;
  }
}

void Blit(const BlitRequest& request, BlitOperation operation) {
  if (request.destination && request.destination->flags() & Bmp::kDibSection) {
    BlitDirect(request, operation);
  } else {
    BlitRaster(request, operation);
  }
}

}  // namespace cbst
