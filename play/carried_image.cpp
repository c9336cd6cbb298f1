// carried_image.cpp: composing the carried group from the piece sheets.
#include "play/carried_image.h"

#include <algorithm>

#include "gfx/blit.h"
#include "puzzle/puz.h"

namespace cbst {

std::optional<CarriedImage> ComposeCarriedImage(const Puz& puz, const std::vector<int>& group,
                                                const Rect16& bounds) {
  if (bounds.Empty() || !puz.sheets.image || !puz.sheets.mask) return std::nullopt;
  CarriedImage carried{MakeBmpMem(bounds.width, bounds.height),
                       MakeBmpMem(bounds.width, bounds.height)};
  if (!carried.image->valid() || !carried.mask->valid()) return std::nullopt;
  carried.image->Clear(0);
  carried.mask->Clear(0xFF);  // white, for either kind of bitmap

  // Bottom first, so that where pieces of the group overlap the picture
  // shows what the table showed.
  std::vector<int> order = group;
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return puz.cut.pieces[static_cast<std::size_t>(a)].depth >
           puz.cut.pieces[static_cast<std::size_t>(b)].depth;
  });
  for (const int member : order) {
    const SPuz& piece = puz.cut.pieces[static_cast<std::size_t>(member)];
    BlitRequest request;
    request.x = piece.window.x - bounds.x;
    request.y = piece.window.y - bounds.y;
    request.width = piece.bound.width;
    request.height = piece.bound.height;
    request.source_x = request.mask_x = piece.bound.x;
    request.source_y = request.mask_y = piece.bound.y;
    request.mask = puz.sheets.mask.get();

    request.destination = carried.image.get();
    request.source = puz.sheets.image.get();
    Blit(request, BlitOperation::kMaskedCopy);

    request.destination = carried.mask.get();
    request.source = puz.sheets.mask.get();
    Blit(request, BlitOperation::kAndSource);
  }
  return carried;
}

}  // namespace cbst
