// wspuz.h: WSPuz, a window that shows pieces and lets the player handle
// them with the mouse: the table, and later the piece boxes.
//
// A press on a piece picks its group up and the mouse carries it; the
// release drops it, joining what fits. Ctrl (or Enter, or the keypad's
// separator) with a click turns the piece; the other buttons turn a piece
// while it is carried.
#pragma once

#include <cstdint>

#include "play/board.h"
#include "play/board_host.h"
#include "ui/window.h"

namespace cbst {

struct PieceBox;

// The turns the game's commands ask for.
inline constexpr std::uint32_t kCommandTurnAnticlockwise = 2000;
inline constexpr std::uint32_t kCommandTurnClockwise = 2001;

class WSPuz : public Window {
 public:
  static const ClassInfo kClass;

  // Shows the pieces of `window` (the table, or a box) of `board`, whose
  // host is told what the player does.
  WSPuz(Board& board, BoardHost& host, std::uint8_t window);

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }
  // The box this window shows; none for the table.
  virtual PieceBox* Box() { return nullptr; }

  void OnEvent(Event& event) override;

  // The cursor shown while a piece is carried.
  void set_drag_cursor(int cursor) { drag_cursor_ = cursor; }
  // The piece being carried, or kNoPiece.
  int dragged() const;

 private:
  void Press(int x, int y, int button, std::uint8_t modifiers);
  // Starts carrying `piece` from the mouse point (x, y).
  void StartDrag(int piece, int x, int y, bool quietly);
  void DragTo(int x, int y);
  void Release(int x, int y);

  Board& board_;
  BoardHost& host_;
  std::uint8_t window_;
  int drag_cursor_ = 0;
  // Where the drag began: the mouse, and the piece's board position.
  int press_x_ = 0;
  int press_y_ = 0;
  int piece_x_ = 0;
  int piece_y_ = 0;
  int last_x_ = 0;
  int last_y_ = 0;
};

}  // namespace cbst
