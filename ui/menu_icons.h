// menu_icons.h: the small icons beside items of the pop-up menus, drawn
// once when first asked for rather than kept as files.
#pragma once

#include "ui/program_pictures.h"

namespace cbst {

// The two strips of 16 x 16 menu icons.
enum class IconStrip { kProgram, kTable };
inline constexpr int kMenuIconSize = 16;

// Icons of the program strip (10 slots) by index.
inline constexpr int kIconGameSettings = 0;      // a sheet with ticked boxes
inline constexpr int kIconHelp = 3;              // a life buoy
inline constexpr int kIconCompetitionScore = 4;  // a trophy
inline constexpr int kIconSpreadPieces = 5;      // pieces pushed out to the corners
inline constexpr int kIconNewPuzzle = 8;         // a photo with a jigsaw piece
inline constexpr int kIconOptions = 9;           // a gear

// Icons of the table strip (18 slots) by index.
inline constexpr int kIconPreviewHelp = 8;  // a framed picture with a question mark
inline constexpr int kIconPreview = 15;     // a framed picture
inline constexpr int kIconMinimize = 17;    // a window with an arrow down to a bar

// A strip drawn once: its icons side by side, kMenuIconSize apart; slots no
// menu uses stay transparent.
ProgramPicture LoadIconStrip(IconStrip strip);
// One icon of a strip, kMenuIconSize square; empty when the index is outside
// the strip.
ProgramPicture MenuIcon(IconStrip strip, int index);

}  // namespace cbst
