// preview_cover.cpp: counting the pieces over the preview picture.
#include "play/preview_cover.h"

#include "play/board_codes.h"

namespace cbst {

void PreviewCover::Mark(SPuz& piece, const Rect16& picture) {
  const bool over = !picture.Empty() && piece.box == kTableWindow && piece.board.Overlaps(picture);
  const bool was = (piece.flags & kPieceOverPreview) != 0;
  if (over == was) return;
  if (over) {
    piece.flags |= kPieceOverPreview;
    ++pieces_;
  } else {
    piece.flags &= ~kPieceOverPreview;
    --pieces_;
  }
}

bool PreviewCover::Recount(std::vector<SPuz>& pieces, const Rect16& picture) {
  const bool before = busy();
  pieces_ = 0;
  for (SPuz& piece : pieces) {
    // Counted afresh: a mark left from another game or picture goes.
    piece.flags &= ~kPieceOverPreview;
    Mark(piece, picture);
  }
  return busy() != before;
}

bool PreviewCover::RecountGroup(std::vector<SPuz>& pieces, std::span<const int> group,
                                const Rect16& picture) {
  const bool before = busy();
  for (const int index : group)
    if (index >= 0 && static_cast<std::size_t>(index) < pieces.size())
      Mark(pieces[static_cast<std::size_t>(index)], picture);
  return busy() != before;
}

bool PreviewCover::SetDragged(bool dragged) {
  const bool before = busy();
  dragged_ = dragged;
  return busy() != before;
}

}  // namespace cbst
