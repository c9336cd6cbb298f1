// board.h: Board, the rules of a game in progress.
//
// Where every piece lies and how it is turned, which pieces are joined,
// and in which order they overlap. Groups are never stored: they are walked
// afresh from joined sides, so they can never disagree with the pieces.
// Everything the rules need from windows, sounds and the score goes
// through the BoardHost.
#pragma once

#include <vector>

#include "play/board_codes.h"
#include "play/board_host.h"
#include "puzzle/puz.h"

namespace cbst {

// MovePiece flags.
inline constexpr unsigned kMoveRedrawNow = 0x01;
inline constexpr unsigned kMoveRedraw = 0x02;
inline constexpr unsigned kMoveRedrawLater = 0x04;
inline constexpr unsigned kMoveReplaceGroup = 0x10;
// The label of the progress while a group is put back together.
inline constexpr int kReplacingMessage = 502;

// The side of a piece opposite `side`; a side outside 0..3 is reported and
// taken as 0.
int OppositeSideChecked(int side);

// How a scatter went: whether every loose piece found a place, how often
// the surface filled up and was laid over again, and whether the pieces
// ended up kept apart by their cells only (their tabs may overlap).
struct ScatterResult {
  bool done = true;
  int retries = 0;
  bool cell_mode = false;
  int cell = 0;  // the grid's cell size in pixels
};

// What one step of a drag did: the shift of the window's pieces under it.
struct DragStepResult {
  int scroll_x = 0;
  int scroll_y = 0;
};

// Where a turn the player asks for comes from.
enum class TurnFrom {
  kClick,  // a click with the turn key held
  kMenu,   // the piece's menu
};

class Board {
 public:
  Board(Puz& puz, BoardHost& host) : puz_(puz), host_(host) {}

  int piece_count() const { return static_cast<int>(puz_.cut.pieces.size()); }
  SPuz& piece(int index) { return puz_.cut.pieces[static_cast<std::size_t>(index)]; }

  // The side of `piece` that faces screen direction `direction` now.
  int SideFacing(int piece, int direction);

  // The piece's group, the piece first, breadth first looking left, up,
  // right and down: the order in which groups are re-placed.
  std::vector<int> GroupOf(int piece);

  // Where `neighbour`'s board rectangle belongs next to `piece`.
  std::pair<int, int> ExactPlace(int piece, int neighbour);

  // Joins every neighbour within 5 pixels of its place that lies turned the
  // same way in the same window. With `probe`, only tells the first one.
  // The first neighbour joined, or kNoPiece.
  int TryJoin(int piece, bool probe = false);
  // TryJoin for every piece of `group`: the neighbours that joined.
  std::vector<int> JoinAroundGroup(const std::vector<int>& group);

  // Puts every piece of `anchor`'s group at its exact place from the
  // anchor, turned as the anchor is and in its window.
  void Replace(int anchor, bool join);

  // Puts the piece's board rectangle at (x, y); false when it was there.
  bool MovePiece(int piece, unsigned flags, int x, int y);

  // Moves the piece's group to z-order index `target` (0 is the top).
  void BringToFront(int piece, int target);

  // True once every side of every piece is joined or a border.
  bool IsSolved() const;
  // The puzzle is done: the clock stops and the completion shows. Called
  // where a join completes the puzzle; a second call does nothing.
  void Complete();

  // The topmost piece of `window` whose shape covers (x, y), or kNoPiece.
  int HitTest(std::uint8_t window, int x, int y);

  // The bounding rectangle of the window rectangles of `group`.
  Rect16 Bounds(const std::vector<int>& group);

  // Dragging: the piece (and its group) leaves the table to follow the
  // mouse; putting it down ends that; dropping it at the mouse point joins
  // what fits and re-places the groups.
  void PickUp(int piece);
  void PutDown(int piece);
  void Drop(int piece, int mouse_x, int mouse_y);
  // One step of a drag in `window`: the dragged piece goes to board
  // position (x, y). When its group would then stick out of `limit`, the
  // window's pieces scroll to keep it inside (a push into the edge sounds
  // once until the piece leaves the edge), and the piece comes along. A
  // drag counts one move, on the first step with `mouse_moved` (the mouse
  // away from where the drag began); none once the puzzle is solved.
  DragStepResult DragStep(std::uint8_t window, int piece, int x, int y, const Rect16& limit,
                          bool mouse_moved);
  // A turn of the carried piece by another button: it turns about the
  // pivot without joining and is carried on. It is still the same drag,
  // so a move already counted is not counted again.
  void TurnCarried(int piece, std::pair<int, int> pivot, int quarter_turns);
  // A turn the player asks for, about `pivot` inside the piece: the turn
  // sounds and the group turns, joining what then fits. A turn by a click
  // is a move of its own (until the puzzle is solved) and asks for a save
  // when one is due; a turn from the piece's menu is not. False when the
  // piece may not turn.
  bool PlayerTurn(int piece, std::pair<int, int> pivot, int quarter_turns, TurnFrom from);
  // One mouse step of a drag, in pixels, on a screen of `millimetres` per pixel.
  void AddMouseTravel(int dx, int dy, double millimetres);

  // Turns the piece and its group by `quarter_turns` (1 clockwise, 3
  // anticlockwise). With a pivot inside the piece, that point stays where
  // it is on the window. Without `join`, neighbours that now fit are not
  // joined (a turn while carrying). Returns false when the piece may not turn.
  bool Rotate(int piece, const std::pair<int, int>* pivot, int quarter_turns, bool join = true);
  // Whether Rotate would turn the piece: the puzzle lets pieces turn and
  // its group is not pinned.
  bool CanRotate(int piece) const;
  int dragged() const { return puz_.dragged; }
  // The group carried as one picture (empty when the dragged piece moves
  // on its own) and where that picture lies.
  const std::vector<int>& carried_group() const { return puz_.carried; }
  const Rect16& carried_bounds() const { return puz_.carried_bounds; }
  const Puz& puz() const { return puz_; }
  bool solved() const { return (puz_.state & kGameSolved) != 0; }

  // The thumbtack: pinning holds the piece's group where it lies, with the
  // tack drawn on `piece`; unpinning frees the group. The piece of the
  // group the tack is drawn on, or kNoPiece when the group is not pinned.
  void Pin(int piece);
  void Unpin(int piece);
  bool pinned(int index) const {
    return (puz_.cut.pieces[static_cast<std::size_t>(index)].flags & kPiecePinned) != 0;
  }
  int TackCarrier(int piece);
  // A press takes the tack out of a pinned group: the group comes to the
  // front, free. The piece the tack was drawn on.
  int PullTack(int piece);
  // The tack leaves the piece it is drawn on, to land on another of the
  // group (Pin); the group stays pinned meanwhile.
  void LiftTack(int carrier);

  // Scrolls what lies in `window` by (dx, dy): every piece moves, the
  // carried group with the rest.
  void ScrollWindow(std::uint8_t window, int dx, int dy);

  // The side of `piece` facing the point (x, y) of its window, judged from
  // the centre of its cell: left or right when the point is more beside
  // the centre than above or below it.
  int SideTowards(int piece, int x, int y);

  // Hands the piece's group over to `window` (a box, or the table) with
  // the piece's board rectangle at (x, y).
  void MoveToWindow(int piece, std::uint8_t window, int x, int y);

  // The automatic help: the first time piece 0 goes to the corner of the
  // assembly area, then each help joins one pair. False when there is
  // nothing left to help with (or the puzzle allows no help).
  bool Help();

  // Spreads the loose pieces of `window` (not pinned, not joined; with
  // `selection_only`, selected) where they overlap nothing else: over the
  // free part of the surface or, with `whole_surface`, over all of it.
  // `animate` draws each piece as it lands.
  ScatterResult Scatter(std::uint8_t window, bool whole_surface, bool animate,
                        bool selection_only = false);

  // Options bit 0x0002: drag only the grabbed piece, and re-place its group
  // at the drop.
  void set_drag_single_pieces(bool single) { drag_single_ = single; }

 private:
  // Walks the group of `start` breadth first, looking left, up, right and
  // down from each member: `visit(position)` as each member's turn comes,
  // `reach(member, neighbour)` for each piece first reached from a member.
  template <typename Visit, typename Reach>
  void WalkGroup(int start, Visit&& visit, Reach&& reach);
  void MarkJoined(int piece, int side);
  void PinGroup(int piece);
  bool Locked() const { return (puz_.state & kGameNoJoining) != 0 || replacing_ > 0; }

  Puz& puz_;
  BoardHost& host_;
  // Moves the group back inside its window's surface when it sticks out.
  void ScrollIntoWindow(int piece);
  // A join after a turn or drop: sounds, and the completion when solved.
  void Joined();
  // Turns one piece by `quarter_turns` clockwise: its geometry here, its
  // pixels through the host. Every turn of a piece goes through this.
  void TurnPieceBy(int piece, int quarter_turns);
  // Turns every piece of the group to `rotation` and re-places it.
  void TurnGroupTo(int piece, int rotation);
  // Flies the piece to (x, y) and re-places its group there.
  void FlyTo(int piece, int x, int y);
  // The piece a group is re-placed around: the one carrying the tack when
  // the group is pinned, so that a pinned group never moves.
  int HeldPiece(int piece);
  // Puts the pieces of the anchor's group at their exact places from it,
  // as they are turned, and draws nothing.
  void LayOutGroup(int anchor);
  // Whether b's group, turned as a's is, lies inside the table beside a.
  bool FitsBeside(int a, int b);
  int JoinedSideCount() const;
  // The scatter grid's cell size for `surface`: it only grows, from one
  // scatter to the next.
  int ScatterCell(const Rect16& surface);
  // Whether a scatter of `window` spreads the piece: not pinned, not
  // joined, and selected when only the selection is spread.
  bool Loose(const SPuz& piece, std::uint8_t window, bool selection_only) const;
  // What a scatter of `window` keeps its pieces off, relative to `surface`.
  std::vector<Rect16> KeptClear(std::uint8_t window, const Rect16& surface, bool whole_surface,
                                bool animate, bool selection_only);

  int replacing_ = 0;  // nested re-placements turn pieces without joining
  int turning_ = 0;    // nested turns test no joins
  bool drag_single_ = false;
  int scatter_cell_ = 0;  // only grows, from one scatter to the next
};

}  // namespace cbst
