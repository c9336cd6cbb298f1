// piece_boxes.h: PieceBoxes, the game's piece boxes as the game's keys and
// commands reach them.
//
// The boxes are windows of their own beside the table; the game only names
// them by index and leaves the rest to them.
#pragma once

#include <optional>

namespace cbst {

struct KeyPayload;

class PieceBoxes {
 public:
  virtual ~PieceBoxes() = default;

  // How many boxes the game has.
  virtual int count() const = 0;
  // Offers a key (Tab, Esc, keypad +) to the topmost visible box; false
  // when no box is visible to take it.
  virtual bool OfferKey(const KeyPayload& key) = 0;
  // Opens a closed box, closes an open one.
  virtual void Toggle(int box) = 0;
  // The piece under the mouse in a box window; nothing when the mouse is
  // over no box (it is then over the table), kNoPiece over a box's empty
  // floor.
  virtual std::optional<int> PieceUnderCursor() = 0;
  // Moves the piece's group into a box.
  virtual void TakeGroup(int piece, int box) = 0;
  // Hides every box window (the game closes, or the player put the boxes
  // away), or shows them again without taking the focus from the table.
  virtual void HideAll() = 0;
  virtual void ShowAll() = 0;
};

}  // namespace cbst
