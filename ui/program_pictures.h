// program_pictures.h: the program's own icon, bitmaps and cursor, drawn
// when the program starts rather than kept as files.
#pragma once

#include <cstdint>
#include <vector>

#include "base/rect16.h"

namespace cbst {

// Resource numbers of the pictures.
inline constexpr int kIconProgram = 200;
inline constexpr int kBitmapLoupe = 200;        // the loupe's icon on the table
inline constexpr int kBitmapThumbtack = 201;    // the thumbtack as it lies
inline constexpr int kBitmapCarriedTack = 202;  // the thumbtack while it is carried
inline constexpr int kCursorDrag = 300;         // the hand that drags pieces

// Pixels 0xAARRGGBB, row by row from the top.
struct ProgramPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  bool empty() const { return pixels.empty(); }
};

class DC;

// Draws the opaque pixels of `picture` with its top left at (x, y) of
// `dc`, those inside `clip` only.
void DrawProgramPicture(DC& dc, const ProgramPicture& picture, int x, int y, const Rect16& clip);

// One of the bitmaps above, drawn `scale` times its size (sharp on a
// screen that counts several device pixels to a logical one); empty for
// another number.
ProgramPicture LoadProgramBitmap(int id, double scale = 1.0);
// The program's icon, the puzzle piece, `size` pixels square.
ProgramPicture LoadProgramIcon(int size);
// Makes the puzzle piece the icon of every window of the program.
void InstallProgramIcon();
// Registers the drag cursor; returns its cursor shape.
int LoadProgramCursor(int id);

}  // namespace cbst
