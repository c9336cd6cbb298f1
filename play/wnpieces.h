// wnpieces.h: WnPieces, the dialog that asks for the size of a game at a
// custom level: a number of pieces, or rows x columns ("12x9"), checked as
// the levels of a new puzzle are (pieces neither too few, too many nor too
// small for the picture). Under the field it shows the grid it will make.
#pragma once

#include "ui/win_dlg.h"

namespace cbst {

class GameHandler;
class WPuz;
struct Puz;

// The dialog's template and controls.
inline constexpr int kPiecesTemplate = 3050;
inline constexpr int kPiecesLabel = 3050;
inline constexpr int kPiecesEdit = 3051;
inline constexpr int kPiecesGrid = 3052;
// Its title, the field's label and the grid under it.
inline constexpr int kTextCustomSize = 593;
inline constexpr int kTextCustomSizeLabel = 594;
inline constexpr int kTextCustomGrid = 595;
inline constexpr int kHelpTopicCustomSize = 101;

// What the player chose.
struct CustomSize {
  int rows = 0;
  int columns = 0;
};

class WnPieces final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Asks for a size for a picture of `width` x `height`, starting from
  // `size` when it is set; OK leaves the checked size there.
  WnPieces(int width, int height, CustomSize& size, GameHandler* game);

  void OnEvent(Event& event) override;

 private:
  void Prime();
  // Shows the grid the field's text makes.
  void ShowGrid();
  // True, with the size kept, when the text makes a playable grid; the
  // player is told why not otherwise.
  bool Accept();

  int width_;
  int height_;
  CustomSize& size_;
  GameHandler* game_;
  bool primed_ = false;
};

// Asks for the custom size of the game `puz` is being built for, on its
// reduced picture, with the clock paused; true with the rows and columns
// of its custom level set when the player said OK.
bool AskCustomSize(WPuz& table, Puz& puz);

}  // namespace cbst
