// turning.cpp: turning a piece with its group by quarter turns.
#include <algorithm>

#include "play/board.h"
#include "puzzle/piece_sheets.h"

namespace cbst {
namespace {

// A turn is shown through a quarter of a circle in this time.
constexpr int kTurnAnimationMs = 200;
constexpr int kQuarterTurnDegrees = 90;

}  // namespace

void Board::TurnPieceBy(int index, int quarter_turns) {
  quarter_turns %= kSideCount;
  if (quarter_turns == 0) return;
  // What the piece covered before the turn is drawn again: a knob that
  // stuck out may lie outside the turned piece.
  const Rect16 was = piece(index).window;
  TurnGeometry(puz_, piece(index), quarter_turns);
  host_.PieceTurned(index, quarter_turns);
  host_.Redraw(piece(index).box, was);
}

bool Board::CanRotate(int index) const {
  return !puz_.HasOption(kOptionNoRotable) && !pinned(index);
}

bool Board::Rotate(int index, const std::pair<int, int>* pivot, int quarter_turns, bool join) {
  if (!CanRotate(index)) return false;
  SPuz& turned = piece(index);
  // A turn the player asked for is seen turning; turns nested in another
  // turn or a re-placement are not.
  if (pivot && turning_ == 0 && replacing_ == 0) {
    host_.AnimateTurn(index, pivot->first, pivot->second,
                      quarter_turns == 1 ? kQuarterTurnDegrees : -kQuarterTurnDegrees,
                      kTurnAnimationMs);
  }
  // Where the pivot lies in the piece's window rectangle before the turn.
  const Rect16 before = turned.window;
  const int u = pivot ? pivot->first - before.x : 0;
  const int v = pivot ? pivot->second - before.y : 0;

  TurnPieceBy(index, quarter_turns);
  if (pivot) {
    // The same point of the piece, after the turn, goes back under the pivot.
    const int w = before.width, h = before.height;
    int tu = u, tv = v;
    if (quarter_turns == 1) {
      tu = h - 1 - v;
      tv = u;
    } else if (quarter_turns == 3) {
      tu = v;
      tv = w - 1 - u;
    }
    const int window_x = pivot->first - tu;
    const int window_y = pivot->second - tv;
    MovePiece(index, kMoveRedraw, window_x - (turned.bound.x - turned.cell.x),
              window_y - (turned.bound.y - turned.cell.y));
  }
  UpdatePlacement(turned);
  if (turning_ > 0 || replacing_ > 0) return true;

  ++turning_;
  const int joined = join ? TryJoin(index) : kNoPiece;
  // Joined to a pinned group, the turned group comes to it.
  Replace(HeldPiece(index), false);
  if (joined != kNoPiece) {
    BringToFront(joined, turned.depth + 1);
    Joined();
  }
  ScrollIntoWindow(index);
  --turning_;
  // The turned piece leaves the place it had before the turn as well.
  host_.Redraw(turned.box, Bounds(GroupOf(index)).United(before));
  // The join sparkles where the turned piece now lies.
  if (joined != kNoPiece)
    host_.Sparkle(turned.box, turned.board.x + turned.board.width / 2,
                  turned.board.y + turned.board.height / 2);
  puz_.state |= kGameChanged;
  return true;
}

bool Board::PlayerTurn(int index, std::pair<int, int> pivot, int quarter_turns, TurnFrom from) {
  if (!CanRotate(index)) return false;
  // The turn sounds as it starts: a join or the finish it leads to sounds
  // after it, and a new sound cuts off the one still playing.
  host_.PlaySound(BoardSound::kTurn);
  if (!Rotate(index, &pivot, quarter_turns)) return false;
  if (from == TurnFrom::kClick) {
    if (!solved()) host_.CountMove();
    host_.AskForSave(false);
  }
  return true;
}

void Board::ScrollIntoWindow(int index) {
  if (pinned(index)) return;  // a pinned group stays, inside or not
  const std::vector<int> group = GroupOf(index);
  const Rect16 bounds = Bounds(group);
  const Rect16 surface = host_.Surface(piece(index).box);
  int dx = 0, dy = 0;
  if (bounds.x + bounds.width > surface.x + surface.width)
    dx = surface.x + surface.width - (bounds.x + bounds.width);
  if (bounds.x + dx < surface.x) dx = surface.x - bounds.x;
  if (bounds.y + bounds.height > surface.y + surface.height)
    dy = surface.y + surface.height - (bounds.y + bounds.height);
  if (bounds.y + dy < surface.y) dy = surface.y - bounds.y;
  if (dx == 0 && dy == 0) return;
  for (int member : group) {
    MovePiece(member, kMoveRedrawLater, piece(member).board.x + dx, piece(member).board.y + dy);
  }
}

}  // namespace cbst
