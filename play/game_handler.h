// game_handler.h: GameHandler, the game object as the table sees it.
//
// What the player asks for that is not a gesture on a piece goes to the
// game: the events the table leaves (its commands and keys), the items of
// its menus, and the hint on a click on the empty table.
#pragma once

#include <cstdint>

namespace cbst {

struct Event;
class XPopMenu;

// The game's own menus.
inline constexpr int kMenuGame = 0;
inline constexpr int kMenuPreview = 1;

class GameHandler {
 public:
  virtual ~GameHandler() = default;
  // An event no window acted on: a command, a key.
  virtual void OnGameEvent(Event& event) = 0;
  // Appends the items of the game's menu of `kind`.
  virtual void BuildMenu(int kind, XPopMenu& menu) = 0;
  // A left press on the empty table of a game.
  virtual void EmptyTableClicked() = 0;
};

}  // namespace cbst
