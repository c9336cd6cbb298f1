// table_base.h: TableBase, what every table a puzzle is played on keeps.
//
// A table has a size, a display, the board the rules run on, a back buffer
// the board painter draws into and the carried group's floating picture.
// The program's table window and the virtual table of the tool and the
// tests share all of that; they differ in what they show on a screen.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "gfx/bmp_mem.h"
#include "gfx/palette.h"
#include "platform/busy.h"
#include "play/board.h"
#include "play/board_host.h"
#include "play/board_painter.h"
#include "play/carried_image.h"
#include "play/shadow_parameters.h"
#include "puzzle/play_table.h"

namespace cbst {

class TableBase : public PlayTable, public BoardHost {
 public:
  // A table of width x height on the display as it is (simulated or not),
  // whose screen is the table itself.
  TableBase(Puz& puz, int width, int height);

  Puz& puz() { return puz_; }
  Board& board() { return board_; }
  BmpMem& back_buffer() { return *back_buffer_; }
  const Palette* palette() const { return palette_.get(); }
  std::uint32_t background() const { return background_; }
  const ShadowSettings& shadows() const { return shadows_; }
  void set_shadows(const ShadowSettings& shadows) { shadows_ = shadows; }

  // Paints an area of the table (all of it when empty) into the back
  // buffer from the board; returns the area painted.
  // `handle_messages`, when given, is called every few pieces: the paint
  // may be interrupted. With `background_only` (a table about to close)
  // nothing lies on the background: no piece, no picture, no frame.
  Rect16 PaintArea(const Rect16& rect = {}, bool background_only = false,
                   std::function<void()> handle_messages = {});
  // Where the preview picture lies on the table under the pieces; empty
  // when it is not shown.
  virtual Rect16 PreviewPlace() const { return {}; }
  // Paints an area of the table while the carried group floats over it,
  // from the saved layer of what lies under the group and the group's
  // picture; the parts of the layer not painted yet are painted first.
  // Returns the area painted; nothing when no carried group floats over
  // the table or the layer is not used.
  Rect16 PaintCarriedArea(const Rect16& rect);
  // Whether the carried group is composed over a saved layer (the
  // default) or each of its moves repaints the pieces under it.
  void set_carried_layer(bool used);
  bool carried_layer() const { return layer_used_; }
  // The frames on the background: around the assembly area, and around
  // the finished picture.
  std::vector<BackgroundFrame> BackgroundFrames();
  // A new size: the back buffer follows, its contents lost until painted.
  void Resize(int width, int height);

  // PlayTable.
  int width() const override { return width_; }
  int height() const override { return height_; }
  DisplayFacts display() const override { return display_; }
  void TakePalette(const Palette* palette, std::uint32_t background) override;
  bool ScatterPieces(Puz& puz, bool whole_table) override;

  // BoardHost: the parts that do not depend on a screen.
  bool LiftGroup(const std::vector<int>& group, const Rect16& bounds) override;
  void DropLiftedGroup() override;
  Rect16 Surface(std::uint8_t window) override;
  std::vector<Rect16> CoveredAreas(std::uint8_t window, bool animating) override;
  Rect16 AssemblyArea() override;
  // A table that only shows its game plays no sounds, counts nothing and
  // has no boxes; the tables that are played on say otherwise.
  void PlaySound(BoardSound) override {}
  void Sparkle(std::uint8_t, int, int) override {}
  void StartCompletionEffect(int) override {}
  void StopClock() override {}
  void CountJoinedSides(int) override {}
  void CountMove() override {}
  void CountHelp(int) override {}
  void AskForSave(bool) override {}
  std::uint8_t BoxUnder(std::uint8_t, const Rect16&) override { return kTableWindow; }
  void FitBox(std::uint8_t) override {}
  // The sheets follow the board's geometry.
  void PieceTurned(int piece, int quarter_turns) override;
  void SideJoined(int piece, int screen_side) override;
  void LongWork(bool running) override;
  // A spread that is not animated hides the table's pieces until it ends.
  void SpreadRuns(std::uint8_t window, bool animated, bool running) override;

 protected:
  const CarriedImage* carried() const { return carried_ ? &*carried_ : nullptr; }
  // The carried group floats over the table, and the layer under it is used.
  bool CarriedOverLayer() const;

 private:
  // A paint request for an area of the table, without the carried group.
  PaintRequest TableRequest(const Rect16& rect, bool background_only);
  // The layer under the carried group, the table's size; false when it
  // cannot be had.
  bool MakeLayer();
  // The carried picture's spans for a shadow `depth` deep, when it has any.
  const CarriedSpans* Spans(int depth);

 private:
  Puz& puz_;
  int width_;
  int height_;
  DisplayFacts display_;
  Board board_;
  std::unique_ptr<BmpMem> back_buffer_;
  std::unique_ptr<Palette> palette_;
  std::optional<CarriedImage> carried_;
  // While a group is carried over the table: the table painted without it,
  // up to date inside `layer_valid_`. The bitmap is kept from one drag to
  // the next.
  std::unique_ptr<BmpMem> layer_;
  Rect16 layer_valid_;
  // The carried picture's spans, worked out at its first move.
  std::optional<CarriedSpans> spans_;
  bool layer_used_ = true;
  ShadowSettings shadows_;
  std::uint32_t background_ = 0;
  bool spreading_ = false;
  std::optional<WaitCursor> wait_cursor_;
};

}  // namespace cbst
