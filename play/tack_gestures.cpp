// tack_gestures.cpp: the player and the thumbtack: taking it, dropping it
// on a piece or beside, and pinning and unpinning with Alt and a click.
#include "play/wspuz.h"

namespace cbst {

Rect16 WSPuz::TackOn(int piece) {
  const Rect16& cell = board_.piece(piece).board;
  return play_.tack.PictureAt(cell.x + cell.width / 2, cell.y + cell.height / 2);
}

void WSPuz::TakeTack(int x, int y) {
  play_.tack.Take(x, y);
  SetCapture(true);
}

void WSPuz::FlyTack(const Rect16& from, const Rect16& to, int milliseconds) {
  BeginAnimation();
  play_.tack.Fly(from, to, milliseconds, *play_.clock, [this](const Rect16& area) {
    RepaintTack(area);
    ShowFrame();
  });
  EndAnimation();
}

void WSPuz::DropTack(int x, int y) {
  cXinx& tack = play_.tack;
  const Rect16 from = tack.loose();
  tack.Release();
  const int piece = board_.HitTest(window_, x, y);
  if (piece == kNoPiece) {
    FlyTack(from, tack.home(), kTackFlightHome);
  } else {
    FlyTack(from, TackOn(piece), kTackFlightToPiece);
    board_.Pin(piece);
    RepaintTack(TackOn(piece));
  }
  // The home holds a tack again.
  RepaintTack(tack.home());
}

void WSPuz::PinWithFlight(int piece) {
  cXinx& tack = play_.tack;
  if (window_ != kTableWindow) {
    // The tack flies over the table only; in a box it is simply there.
    if (board_.TackCarrier(piece) != kNoPiece) return;
    board_.Pin(piece);
    RepaintTack(TackOn(piece));
    return;
  }
  const int carrier = board_.TackCarrier(piece);
  if (carrier == piece) return;
  Rect16 from = tack.home();
  if (carrier != kNoPiece) {
    // The group's tack moves over to the clicked piece.
    from = TackOn(carrier);
    board_.LiftTack(carrier);
    RepaintTack(from);
  }
  FlyTack(from, TackOn(piece), kTackFlightPinning);
  board_.Pin(piece);
  RepaintTack(TackOn(piece));
}

void WSPuz::UnpinWithFlight(int piece) {
  const int carrier = board_.TackCarrier(piece);
  if (carrier == kNoPiece) return;
  const Rect16 from = TackOn(carrier);
  board_.Unpin(piece);
  RepaintTack(from);
  if (window_ != kTableWindow) return;
  FlyTack(from, play_.tack.home(), kTackFlightPinning);
}

}  // namespace cbst
