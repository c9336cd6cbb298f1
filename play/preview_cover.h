// preview_cover.h: PreviewCover, the pieces lying over the preview picture
// on the table.
//
// Every piece on the table carries kPieceOverPreview while its board
// rectangle overlaps the picture; the cover keeps their number and whether
// the picture is being dragged. The table repaints the picture's place
// when either of them turns from nothing to something or back.
#pragma once

#include <span>
#include <vector>

#include "base/rect16.h"
#include "puzzle/spuz.h"

namespace cbst {

class PreviewCover {
 public:
  // Marks every piece by whether it lies on the table over `picture` (an
  // empty picture: none does). True when the place must be repainted.
  bool Recount(std::vector<SPuz>& pieces, const Rect16& picture);
  // The same for `group` alone, after it moved; the others keep their marks.
  bool RecountGroup(std::vector<SPuz>& pieces, std::span<const int> group, const Rect16& picture);
  // The picture's drag began or ended.
  bool SetDragged(bool dragged);

  int pieces() const { return pieces_; }
  bool dragged() const { return dragged_; }

 private:
  bool busy() const { return pieces_ > 0 || dragged_; }
  // Sets or clears one piece's mark and keeps the count; its change.
  void Mark(SPuz& piece, const Rect16& picture);

  int pieces_ = 0;
  bool dragged_ = false;
};

}  // namespace cbst
