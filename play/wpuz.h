// wpuz.h: WPuz, the playing table: the full-screen window the pieces lie on.
//
// The table paints itself through the board painter into its back buffer
// and shows the screen only the rectangles that changed. Without a game it
// shows the program's identity in its bottom-right corner.
#pragma once

#include <string>
#include <string_view>

#include "play/table_base.h"
#include "play/wspuz.h"

namespace cbst {

class WPuz final : public TableBase, public WSPuz {
 public:
  static const ClassInfo kClass;

  explicit WPuz(Puz& puz);

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Makes the full-screen table, titled `title`, not shown yet.
  bool CreateTable(std::string_view title);
  // The text in the corner of a table without a game, in the program's
  // character set.
  void set_identity_text(std::string text) { identity_ = std::move(text); }
  // Paints the whole table again from the board and shows it.
  void Refresh();

  void OnEvent(Event& event) override;
  void Paint(DC& dc) override;

  // PlayTable.
  bool CtrlAndAltHeld() const override;
  void SetBusy(bool busy) override;
  void SetCaption(std::string_view caption) override { SetTitle(caption); }
  bool ChooseCustomSize(Puz& puz) override;

  // BoardHost: what a table that only shows its game does; playing it
  // adds the rest.
  void Redraw(std::uint8_t window, const Rect16& rect) override;
  void RedrawPiece(int piece) override;
  void LockPainting(bool locked) override;
  void Fly(int piece, int x, int y, int milliseconds) override;

 private:
  // Paints `rect` of the back buffer and asks the screen to show it.
  void Show(const Rect16& rect);
  void DrawIdentity(const Rect16& painted);

  std::string identity_;
  int paint_locks_ = 0;
  int busy_ = 0;
};

}  // namespace cbst
