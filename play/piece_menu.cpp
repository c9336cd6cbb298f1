// piece_menu.cpp: the menu a right click on a piece opens: turning,
// pinning, where the piece's neighbour goes, and help.
#include <string>

#include "platform/mouse_buttons.h"
#include "play/wspuz.h"
#include "text/traductor.h"
#include "ui/pop_menu.h"

namespace cbst {
namespace {

// Names of the clicks, shown as the items' shortcuts.
constexpr int kTextSwappedDoubleClick = 30;
constexpr int kTextPrimaryClick = 31;
constexpr int kTextSecondaryClick = 32;
constexpr const char* kCtrl = "Ctrl+";
constexpr const char* kAlt = "Alt+";
constexpr const char* kShowWhereKeys = "Ctrl+Alt+Click";

}  // namespace

void WSPuz::BuildPieceMenu(int piece, int x, int y, XPopMenu& menu) {
  const Puz& puz = board_.puz();
  const bool pinned = board_.pinned(piece);
  const std::string primary = Text(kTextPrimaryClick);
  const std::string secondary = Text(kTextSecondaryClick);
  if (board_.CanRotate(piece)) {
    menu.Append(kCommandTurnClockwise, ControlText(0, kCommandTurnClockwise), kCtrl + secondary);
    const std::string anticlockwise = MouseButtonsSwapped()
                                          ? std::string(Text(kTextSwappedDoubleClick)) + primary
                                          : kCtrl + primary;
    menu.Append(kCommandTurnAnticlockwise, ControlText(0, kCommandTurnAnticlockwise),
                anticlockwise);
  }
  if (pinned) {
    menu.Append(kCommandUnpin, ControlText(0, kCommandUnpin), kAlt + secondary);
  } else {
    menu.Append(kCommandPin, ControlText(0, kCommandPin), kAlt + primary);
  }
  if (!puz.HasOption(kOptionNoHelp) && !board_.solved()) {
    const int side = board_.SideTowards(piece, x, y);
    const SPuz& clicked = board_.piece(piece);
    if (clicked.neighbour[side] != kNoNeighbour && !(clicked.joined_sides & (1u << side)))
      menu.Append(kCommandShowWhere, ControlText(0, kCommandShowWhere), kShowWhereKeys);
  }
  menu.Append(kCommandHelp, ControlText(0, kCommandHelp));
}

void WSPuz::OpenPieceMenu(int piece, int x, int y) {
  play_.menu_piece = piece;
  play_.menu_x = x;
  play_.menu_y = y;
  XPopMenu menu;
  BuildPieceMenu(piece, x, y, menu);
  const std::uint32_t chosen = menu.Track(*this, x, y);
  if (chosen == kCommandHelp) {
    RequestHelp(kHelpTopicPiece);
  } else if (chosen != 0) {
    Event command = MakeEvent(kEventCommand, CommandPayload{chosen, 0});
    Dispatch(command);
  }
}

}  // namespace cbst
