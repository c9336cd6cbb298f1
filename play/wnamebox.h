// wnamebox.h: WNameBox, the small dialog that gives a piece box its name.
//
// It shows the box's index in its title and the current name in its edit,
// which takes at most a box name's length of typing. OK gives the new
// name; the game's clock stands still while the player thinks of one.
#pragma once

#include <string_view>

#include "base/vstring.h"
#include "ui/win_dlg.h"

namespace cbst {

class GameHandler;
class WPuz;

// The dialog's template and controls: its label and its edit.
inline constexpr int kNameBoxTemplate = 2600;
inline constexpr int kNameBoxLabel = 2600;
inline constexpr int kNameBoxEdit = 2601;
// The title, before the box's index.
inline constexpr std::string_view kNameBoxTitle = "Box:";

class WNameBox final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Names box `index`: `name` is shown, and replaced on OK. Help goes to
  // `game` when there is one.
  WNameBox(int index, VString& name, GameHandler* game);

  void OnEvent(Event& event) override;

 private:
  // Title, texts, the edit's limit and the keyboard, once it shows.
  void Prime();

  int index_;
  VString& name_;
  GameHandler* game_;
  bool primed_ = false;
};

// Asks the player for the name of box `index` over the table, the game's
// clock paused meanwhile. True, with `name` replaced, when the player says OK.
bool AskBoxName(WPuz& table, int index, VString& name);

}  // namespace cbst
