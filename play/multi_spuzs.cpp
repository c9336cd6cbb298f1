// multi_spuzs.cpp: what a rubber band selects, and pinning it.
#include "play/multi_spuzs.h"

namespace cbst {
namespace {

// The outline is drawn inverting whatever lies below.
constexpr std::uint32_t kOutlineColour = 0x000000;
constexpr std::uint32_t kSelectionOptions = kTrackResizeAtStart;

}  // namespace

MultiSPuzs::MultiSPuzs(Window& owner, Board& board, std::uint8_t window, const Rect16& rect)
    : board_(board), window_(window), track_(owner, kOutlineColour, kSelectionOptions, rect) {
  Mark();
}

MultiSPuzs::~MultiSPuzs() {
  for (int index = 0; index < board_.piece_count(); ++index)
    board_.piece(index).flags &= ~kPieceSelected;
}

void MultiSPuzs::Mark() {
  const Rect16& area = rect();
  const int count = board_.piece_count();
  for (int index = 0; index < count; ++index) {
    SPuz& piece = board_.piece(index);
    piece.flags &= ~kPieceSelected;
    if (piece.box == window_ && area.Contains(piece.board)) piece.flags |= kPieceSelected;
  }
  // A group goes with any of its pieces.
  selected_ = 0;
  pinned_ = 0;
  for (int index = 0; index < count; ++index) {
    SPuz& piece = board_.piece(index);
    if ((piece.flags & kPieceSelected) && piece.joined_sides != 0) {
      for (int member : board_.GroupOf(index))
        board_.piece(member).flags |= kPieceSelected;
    }
  }
  for (int index = 0; index < count; ++index) {
    const SPuz& piece = board_.piece(index);
    if (!(piece.flags & kPieceSelected)) continue;
    ++selected_;
    if (piece.flags & kPiecePinned) ++pinned_;
  }
}

void MultiSPuzs::PinAll() {
  for (int index = 0; index < board_.piece_count(); ++index) {
    const SPuz& piece = board_.piece(index);
    if ((piece.flags & kPieceSelected) && !(piece.flags & kPiecePinned)) board_.Pin(index);
  }
  Mark();
}

void MultiSPuzs::UnpinAll() {
  for (int index = 0; index < board_.piece_count(); ++index) {
    const SPuz& piece = board_.piece(index);
    if ((piece.flags & kPieceSelected) && (piece.flags & kPiecePinned)) board_.Unpin(index);
  }
  Mark();
}

}  // namespace cbst
