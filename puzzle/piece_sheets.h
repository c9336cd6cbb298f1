// piece_sheets.h: the image and mask sheets every piece is drawn into once
// per opened puzzle.
//
// Each piece has a cell of its own in two bitmaps of the same size: the
// mask sheet holds its shape (black inside, white outside), the image sheet
// the picture inside the shape and black outside. Play puts a piece on the
// table by ANDing the mask and ORing the image, so it only ever copies
// rectangles. Shapes are the cell plus, per tab, the part of the ellipse
// inscribed in the tab rectangle beyond the edge (a knob) or inside the
// cell (a hole); a knob and the hole it fits share one tab rectangle.
#pragma once

#include <memory>
#include <vector>

#include "base/status.h"
#include "gfx/bmp_mem.h"
#include "image/progress_sink.h"

namespace cbst {

struct Puz;
struct SPuz;

// The progress window's text while the sheets are drawn.
inline constexpr int kDrawingPiecesText = 501;
// The misuse of drawing sheets that exist already.
inline constexpr const char* kSheetsExistMessage = "MakePiezas:: bmp!=NULL";
// Below this much free memory the reduced picture is let go once the
// sheets exist: 400,000 bytes and a margin.
inline constexpr std::size_t kPictureKeepMemory = 400000 + 100000;
// Work squares for turning have sides of a multiple of this (of the larger
// step on displays of 16 colours or fewer, whose pixels share bytes).
inline constexpr int kTurnSquareStep = 4;
inline constexpr int kTurnSquareStepFewColours = 8;

// How outline pixels are lit (see outline_shading.h).
enum class ShaderKind { kGrey, kDirect, kDevice };

struct PieceSheets {
  std::unique_ptr<BmpMem> image;
  std::unique_ptr<BmpMem> mask;
  std::vector<int> column_widths;
  std::vector<int> row_heights;
  int largest_extent = 0;  // the largest bounding width or height of any piece
  ShaderKind shader = ShaderKind::kGrey;
  // Non-zero: pieces are turned pixel by pixel, for displays whose raw
  // bits the usual method cannot handle (see TurnBitmap).
  int force_pixel_turning = 0;
};

// The player's choices for the pieces of a puzzle being drawn.
struct SheetChoices {
  bool grey_outlines = false;   // grey outlines whatever the display
  int force_pixel_turning = 0;  // the slow turning method, for every turn
};

// Lays out and draws every piece of `puz.cut` from `puz.picture` (the
// reduced picture), then shades the outlines. Progress goes in whole
// percent of the pieces drawn. Out of memory for a sheet gives status 2.
// The choices stay with the sheets for the turns of play. The pieces are
// drawn on up to `workers` threads (0: one per core); the sheets come out
// the same however many draw them.
Status DrawPieceSheets(Puz& puz, ProgressSink* progress, const SheetChoices& choices = {},
                       int workers = 0);

// The mask of `piece` as it lies now; `keep_background` draws over what
// the sheet holds instead of clearing the bounding rectangle first.
void DrawPieceMask(Puz& puz, const SPuz& piece, bool keep_background = false);

// Turns the geometry of `piece` by `quarter_turns` (0 to 3, clockwise)
// about the top left of its bounding rectangle: its cell, its tabs, its
// bounding rectangle and its rotation. No pixels change.
void TurnGeometry(Puz& puz, SPuz& piece, int quarter_turns);

// Turns `piece` by `quarter_turns` (0 to 3, clockwise) in the sheets: its
// rectangles, its mask and image, and its bevel. 0 draws it as it lies.
void TurnPiece(Puz& puz, SPuz& piece, int quarter_turns);
// The pixels of `piece` follow its geometry, just turned by `quarter_turns`
// (TurnGeometry): its mask, image and bevel are drawn turned in the sheets.
void RedrawTurnedPiece(Puz& puz, SPuz& piece, int quarter_turns);

// `rect`, a rectangle inside the frame `frame`, after turning the frame by
// `quarter_turns` clockwise about its top left (which stays in place).
Rect16 TurnInFrame(const Rect16& rect, const Rect16& frame, int quarter_turns);

}  // namespace cbst
