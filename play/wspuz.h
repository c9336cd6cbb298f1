// wspuz.h: WSPuz, a window that shows pieces and lets the player handle
// them with the mouse: the table, and later the piece boxes.
//
// A press on a piece picks its group up and the mouse carries it; the
// release drops it, joining what fits. Ctrl (or Enter, or the keypad's
// separator) with a click turns the piece; the other buttons turn a piece
// while it is carried. Alt with a click pins or unpins a group with the
// thumbtack; Ctrl+Alt with a click shows where a neighbour goes. The right
// button opens the piece's menu.
#pragma once

#include <cstdint>

#include "play/board.h"
#include "play/board_host.h"
#include "play/play_state.h"
#include "play/press.h"
#include "ui/window.h"

namespace cbst {

struct PieceBox;
class FrameSurface;
class XPopMenu;

// Commands of the piece menu and of the clicks that do the same.
inline constexpr std::uint32_t kCommandHelp = 119;
inline constexpr std::uint32_t kCommandPin = 1126;
inline constexpr std::uint32_t kCommandUnpin = 1127;
inline constexpr std::uint32_t kCommandShowWhere = 1203;
inline constexpr std::uint32_t kCommandTurnAnticlockwise = 2000;
inline constexpr std::uint32_t kCommandTurnClockwise = 2001;
// The help topics of a piece and of a selection.
inline constexpr int kHelpTopicPiece = 112;
inline constexpr int kHelpTopicSelection = 116;

// White on a dark background, black on a bright one.
std::uint32_t ContrastingColour(std::uint32_t background);

// Ctrl alone, or Enter, held: what draws a rubber band.
bool SelectionKeyHeld(std::uint8_t modifiers);

class WSPuz : public Window {
 public:
  static const ClassInfo kClass;

  // Shows the pieces of `window` (the table, or a box) of `board`, whose
  // host is told what the player does; `play` is shared by all of them.
  WSPuz(Board& board, BoardHost& host, std::uint8_t window, PlayState& play);

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }
  // The box this window shows; none for the table.
  virtual PieceBox* Box() { return nullptr; }

  void OnEvent(Event& event) override;

  // The piece being carried, or kNoPiece.
  int dragged() const;
  // Goes on carrying `piece`, handed over from another window, with the
  // mouse at (x, y) of this one.
  virtual void ContinueDrag(int piece, int x, int y);
  // The thumbtack is in the player's hand.
  bool carrying_tack() const { return play_.tack.carried(); }
  PlayState& play() { return play_; }

  // The piece menu of `piece`, as a right click at (x, y) opens it, and
  // the menu of a selection.
  void BuildPieceMenu(int piece, int x, int y, XPopMenu& menu);
  // Where `piece` is seen: its window rectangle on the table, through the
  // window that holds it (a box's pieces through their box).
  Rect16 PieceOnTable(int piece);
  static void BuildSelectionMenu(const MultiSPuzs& selection, XPopMenu& menu);

 protected:
  // What the table adds to a press: a press that ends the drag of the
  // preview picture, and a press on no piece (the tack's home, the loupe,
  // the preview picture, the empty table). True when the press is done.
  virtual bool EndPreviewDrag(int /*x*/, int /*y*/) { return false; }
  virtual bool PressOnNothing(int /*x*/, int /*y*/, Button /*button*/, std::uint8_t /*modifiers*/,
                              bool /*twice*/) {
    return false;
  }
  // The right button on no piece: the window's own menu.
  virtual void OpenWindowMenu(int /*x*/, int /*y*/) {}
  // The right button with the left one held: the loupe at the mouse.
  virtual void ToggleLoupe(int /*x*/, int /*y*/) {}
  // A carried piece moved on this window (the preview counts pieces over it).
  virtual void PieceMoved(int /*piece*/) {}
  // The thumbtack's pictures changed in `area` of this window.
  virtual void RepaintTack(const Rect16& area) { Invalidate(area); }
  // Makes the window that holds `piece` show it (a closed box opens).
  virtual void RevealPiece(int /*piece*/) {}
  // Where the show of a piece's place is drawn; none: it is not shown.
  // A window without animations of its own (a box) draws on the table's,
  // and starts, ends and shows them through the table.
  virtual FrameSurface* AnimationSurface();
  // An animation starts or ends: meanwhile the player's input waits.
  virtual void BeginAnimation();
  virtual void EndAnimation();
  // Shows on the screen at once what an animation's frame drew; with
  // `input`, the player's clicks and keys are let through too.
  virtual void ShowFrame(bool input = false);
  // What a carried piece may not leave without scrolling the window: the
  // window's surface.
  virtual Rect16 ScrollLimit();
  // A rectangle of this window's client area on the table, where the
  // animations are drawn.
  virtual Rect16 ToTable(const Rect16& rect);
  // Asks for help on `topic`.
  void RequestHelp(int topic);
  // Ends a drag at once, as a release of the button at the last position.
  void DropNow();
  // Takes the rubber band away.
  void EndSelection();
  // Puts the thumbtack into the player's hand with its point at (x, y).
  void TakeTack(int x, int y);

 private:
  void Press(int x, int y, Button button, std::uint8_t modifiers, bool twice);
  // Carries out what a press on `piece` (or on nothing) means.
  void Act(const PressMeaning& meaning, int piece, int x, int y, Button button,
           std::uint8_t modifiers, bool twice);
  // Starts carrying `piece` from the mouse point (x, y).
  void StartDrag(int piece, int x, int y);
  void DragTo(int x, int y);
  void Release(int x, int y);
  void OpenPieceMenu(int piece, int x, int y);
  bool OnCommand(std::uint32_t command);
  // A quarter turn of `piece`'s group about (x, y): 1 clockwise, 3 not.
  void Turn(int piece, int quarter_turns, int x, int y, TurnFrom from);

  // The thumbtack.
  void FlyTack(const Rect16& from, const Rect16& to, int milliseconds);
  void DropTack(int x, int y);
  void PinWithFlight(int piece);
  void UnpinWithFlight(int piece);
  Rect16 TackOn(int piece);

  // The rubber band: starting it, what it takes of the window's events,
  // its menu and its end.
  void MaybeStartSelection(int x, int y, std::uint8_t modifiers);
  bool OnSelectionEvent(MultiSPuzs& selection, Event& event);
  bool OnSelectionCommand(MultiSPuzs& selection, std::uint32_t command);
  void OpenSelectionMenu(MultiSPuzs& selection, int x, int y);

  // The table, when this window is another one (a box).
  WSPuz* OtherTable();
  // Show-where: the neighbour of the side of `piece` towards (x, y).
  void ShowWhere(int piece, int x, int y);

  Board& board_;
  BoardHost& host_;
  std::uint8_t window_;
  PlayState& play_;
  // Where the drag began: the mouse, and the piece's board position.
  int drag_x_ = 0;
  int drag_y_ = 0;
  int piece_x_ = 0;
  int piece_y_ = 0;
};

}  // namespace cbst
