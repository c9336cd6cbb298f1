// play_table.h: PlayTable, the window a puzzle is opened on.
//
// Opening a puzzle needs a few things of the table it will be played on:
// its size, the display it shows on, its palette and its caption, and the
// game's start (clock, boxes, spreading the pieces), which belong to play.
// The program's table window is one; the tool and the tests use a virtual
// table of any size.
#pragma once

#include <cstdint>
#include <string_view>

#include "image/progress_sink.h"
#include "platform/display.h"

namespace cbst {

class Palette;
struct Puz;

class PlayTable {
 public:
  virtual ~PlayTable() = default;

  // The play area: the table's client size.
  virtual int width() const = 0;
  virtual int height() const = 0;
  // The display the picture is decoded for; its size is the screen's.
  virtual DisplayFacts display() const = 0;
  // Ctrl and Alt held together as the puzzle opens: decode afresh.
  virtual bool CtrlAndAltHeld() const { return false; }

  // The picture's palette (none in true colour) and the puzzle's
  // background colour, realised for everything the table draws.
  virtual void TakePalette(const Palette* /*palette*/, std::uint32_t /*background*/) {}
  // The table is busy while a puzzle is built: no commands, a wait cursor.
  virtual void SetBusy(bool /*busy*/) {}
  virtual void SetCaption(std::string_view /*caption*/) {}
  // A progress bar labelled with dictionary message `message`, or none.
  virtual ProgressSink* Progress(int /*message*/) { return nullptr; }

  // Rows and columns for the custom level (slot 5 of the level tables) of
  // a new game; false when the player cancels.
  virtual bool ChooseCustomSize(Puz& puz) = 0;
  virtual void StartClock() {}
  // Spreads a new game's pieces over the free part of the table, or over
  // all of it; false when they do not fit.
  virtual bool ScatterPieces(Puz& puz, bool whole_table) = 0;
};

}  // namespace cbst
