// spuz.h: SPuz, one piece: where the cut put it and how it lies in play.
#pragma once

#include <array>
#include <cstdint>

#include "base/rect16.h"

namespace cbst {

// Sides of a piece. Side s of a piece at rotation r faces screen direction
// (r + s) mod 4; the opposite of side s is (s + 2) mod 4.
enum Side : int { kSideLeft = 0, kSideTop = 1, kSideRight = 2, kSideBottom = 3 };
inline constexpr int kSideCount = 4;
constexpr int OppositeSide(int side) {
  return (side + 2) % kSideCount;
}

inline constexpr std::int16_t kNoNeighbour = -1;
inline constexpr std::int16_t kNoTab = -1;
inline constexpr std::uint8_t kOnTheBoard = 255;  // box of a piece not in any box

// Tab directions: this piece's knob sticks out, or the neighbour's reaches in.
inline constexpr std::int8_t kKnobOut = 1;
inline constexpr std::int8_t kKnobIn = -1;
inline constexpr std::int8_t kNoTabDirection = 0;

// Piece flags.
inline constexpr std::uint32_t kPiecePinned = 0x0001;       // held by the thumbtack with its group
inline constexpr std::uint32_t kPieceThumbtack = 0x0002;    // the pinned piece the tack is drawn on
inline constexpr std::uint32_t kPieceOverPreview = 0x0010;  // lies over the preview picture
inline constexpr std::uint32_t kPieceDragged = 0x0100;      // under the mouse in a drag
inline constexpr std::uint32_t kPieceCarried = 0x0200;      // in the group being dragged
inline constexpr std::uint32_t kPieceWalkMark = 0x0400;     // not yet reached by a group walk
inline constexpr std::uint32_t kPieceMovedInDrag = 0x0800;  // its move is counted already
inline constexpr std::uint32_t kPieceEdgeSounded = 0x1000;  // the edge-scroll sound has played
inline constexpr std::uint32_t kPieceOutlineShaded = 0x4000;  // the bevel was drawn with light
inline constexpr std::uint32_t kPieceSelected = 0x8000;       // in a rubber-band selection

struct SPuz {
  std::uint32_t flags = 0;
  std::int16_t home_x = 0;  // top-left of the piece's cell in the picture
  std::int16_t home_y = 0;
  Rect16 bound;              // cell united with the piece's own knobs, even-sized once it has one
  Rect16 cell;               // the piece's cell
  Rect16 board;              // where it lies on the table
  Rect16 window;             // where it is drawn
  std::uint16_t id = 0;      // row * columns + column
  std::int8_t rotation = 0;  // quarter turns clockwise, 0..3
  std::uint8_t box = kOnTheBoard;
  std::array<std::int16_t, kSideCount> neighbour = {kNoNeighbour, kNoNeighbour, kNoNeighbour,
                                                    kNoNeighbour};
  std::uint8_t joined_sides = 0;
  std::array<std::int16_t, kSideCount> tab = {kNoTab, kNoTab, kNoTab, kNoTab};
  std::array<std::int8_t, kSideCount> tab_direction = {0, 0, 0, 0};
  std::int16_t depth = 0;  // index in the z-order; the cut starts it at the id
};

// Whether every side of `piece` that has a neighbour is joined to it.
inline bool AllSidesJoined(const SPuz& piece) {
  for (int side = 0; side < kSideCount; ++side) {
    if (piece.neighbour[side] != kNoNeighbour && !(piece.joined_sides & (1u << side))) return false;
  }
  return true;
}

// Where the piece lies follows from its board position and its image in the
// sheets: the board rectangle takes the cell's size, the window rectangle
// the whole image, offset as the image is from the cell.
inline void UpdatePlacement(SPuz& piece) {
  piece.board.width = piece.cell.width;
  piece.board.height = piece.cell.height;
  piece.window = {static_cast<std::int16_t>(piece.board.x + piece.bound.x - piece.cell.x),
                  static_cast<std::int16_t>(piece.board.y + piece.bound.y - piece.cell.y),
                  piece.bound.width, piece.bound.height};
}

}  // namespace cbst
