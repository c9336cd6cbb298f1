// virtual_table.h: VirtualTable, a table of any size without a window.
//
// The tool and the tests open puzzles on it and play them through the
// board: it answers what the opening and the rules ask of a table, keeps
// the picture's palette and a back buffer of its size, and draws nothing
// on any screen.
#pragma once

#include "play/game_score.h"
#include "play/table_base.h"

namespace cbst {

class VirtualTable final : public TableBase {
 public:
  VirtualTable(Puz& puz, int width, int height) : TableBase(puz, width, height) {}

  // Paints the whole table into the back buffer.
  void PaintAll(const ShadowSettings& shadows = {}) {
    set_shadows(shadows);
    PaintArea();
  }

  void set_ctrl_and_alt(bool held) { ctrl_and_alt_ = held; }
  // The answer to the custom-size question; 0 rows cancels it.
  void set_custom_size(int rows, int columns) {
    custom_rows_ = rows;
    custom_columns_ = columns;
  }

  // The score keeper the game's counts go to, or none.
  void set_score(GameScore* score) { score_ = score; }

  // PlayTable.
  bool CtrlAndAltHeld() const override { return ctrl_and_alt_; }
  bool ChooseCustomSize(Puz& puz) override;

  // BoardHost. Nothing is shown, so drawing requests are dropped and
  // animations jump to their end.
  void Redraw(std::uint8_t, const Rect16&) override {}
  void RedrawPiece(int) override {}
  void LockPainting(bool) override {}
  void Fly(int piece, int x, int y, int milliseconds) override;
  void StopClock() override {
    if (score_) score_->StopClock();
  }
  void CountJoinedSides(int sides) override {
    if (score_) score_->CountJoin(sides);
  }
  void CountMove() override {
    if (score_) score_->CountMove();
  }
  void CountHelp(int sides) override {
    if (score_) score_->CountHelp(sides);
  }

 private:
  bool ctrl_and_alt_ = false;
  int custom_rows_ = 0;
  int custom_columns_ = 0;
  GameScore* score_ = nullptr;
};

}  // namespace cbst
