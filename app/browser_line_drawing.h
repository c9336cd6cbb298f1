// browser_line_drawing.h: how a line of the puzzle browser looks: the
// puzzle's thumbnail, its title and credit, the level as rows x columns
// and pieces, and for a saved game its player, title, progress bar and
// time played.
#pragma once

#include <map>
#include <string>

#include "app/browser_lines.h"
#include "base/rect16.h"
#include "gfx/bmp.h"

namespace cbst {

class DC;

// Room for a thumbnail and a margin around it.
inline constexpr int kBrowserLineHeight = 68;

// The thumbnails of the puzzles the lines show, read when first drawn; a
// surprise puzzle's is the surprise thumbnail, a puzzle without one shows
// an empty frame.
class BrowserThumbnails {
 public:
  const Bmp* For(const BrowserLine& line);

 private:
  std::map<std::string, Bmp> read_;
  Bmp surprise_;
};

// The percentage of a saved game already done, rounded.
int DonePercent(const BrowserLine& line);
// "h:mm:ss" of the time a saved game has been played.
std::string PlayedTime(const BrowserLine& line);

// `custom_text` names a size the player chooses, on a puzzle's custom line.
void DrawBrowserLine(DC& dc, const Rect16& rect, const BrowserLine& line, const Bmp* thumbnail,
                     bool selected, const std::string& custom_text);

}  // namespace cbst
