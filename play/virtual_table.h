// virtual_table.h: VirtualTable, a table of any size without a window.
//
// The tool and the tests open puzzles on it and play them through the
// board: it answers what the opening and the rules ask of a table, keeps
// the picture's palette and a back buffer of its size, and draws nothing
// on any screen.
#pragma once

#include <memory>
#include <optional>

#include "gfx/bmp_mem.h"
#include "gfx/palette.h"
#include "play/board.h"
#include "play/board_host.h"
#include "play/carried_image.h"
#include "play/shadow_parameters.h"
#include "puzzle/play_table.h"

namespace cbst {

class VirtualTable final : public PlayTable, public BoardHost {
 public:
  // A table of width x height on the display as it is (simulated or not),
  // whose screen is the table itself.
  VirtualTable(Puz& puz, int width, int height);

  Board& board() { return board_; }
  BmpMem& back_buffer() { return *back_buffer_; }
  const Palette* palette() const { return palette_.get(); }
  std::uint32_t background() const { return background_; }

  // Paints the whole table into the back buffer.
  void PaintAll(const ShadowSettings& shadows = {});

  void set_ctrl_and_alt(bool held) { ctrl_and_alt_ = held; }
  // The answer to the custom-size question; 0 rows cancels it.
  void set_custom_size(int rows, int columns) {
    custom_rows_ = rows;
    custom_columns_ = columns;
  }

  // PlayTable.
  int width() const override { return width_; }
  int height() const override { return height_; }
  DisplayFacts display() const override { return display_; }
  bool CtrlAndAltHeld() const override { return ctrl_and_alt_; }
  void TakePalette(const Palette* palette, std::uint32_t background) override;
  bool ChooseCustomSize(Puz& puz) override;
  bool ScatterPieces(Puz& puz, bool whole_table) override;

  // BoardHost. Nothing is shown, so drawing requests are dropped and
  // animations jump to their end.
  void Redraw(std::uint8_t, const Rect16&) override {}
  void RedrawPiece(int) override {}
  void LockPainting(bool) override {}
  bool LiftGroup(const std::vector<int>& group, const Rect16& bounds) override;
  void DropLiftedGroup() override { carried_.reset(); }
  Rect16 Surface(std::uint8_t window) override;
  std::vector<Rect16> CoveredAreas(std::uint8_t window, bool animating) override;
  Rect16 AssemblyArea() override;
  void Fly(int piece, int x, int y, int milliseconds) override;
  void PlaySound(BoardSound) override {}
  void Sparkle(int, int) override {}
  void StartCompletionEffect(int) override {}
  void StopClock() override {}
  void CountJoinedSides(int) override {}
  void CountMove() override {}
  void CountHelp(int) override {}
  void AskForSave(bool) override {}
  std::uint8_t BoxUnder(const Rect16&) override { return kTableWindow; }
  void FitBox(std::uint8_t) override {}

 private:
  Puz& puz_;
  int width_;
  int height_;
  DisplayFacts display_;
  Board board_;
  std::unique_ptr<BmpMem> back_buffer_;
  std::unique_ptr<Palette> palette_;
  std::optional<CarriedImage> carried_;
  std::uint32_t background_ = 0;
  bool ctrl_and_alt_ = false;
  int custom_rows_ = 0;
  int custom_columns_ = 0;
};

}  // namespace cbst
