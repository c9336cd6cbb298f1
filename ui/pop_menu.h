// pop_menu.h: XPopMenu, a pop-up menu of numbered commands shown at a
// point of a window.
//
// Menus are built item by item from command numbers and texts in the
// program's character set; an item may carry an accelerator text shown
// right-aligned beside it. Choosing an item gives its command back to the
// caller, who sends it where it belongs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/program_pictures.h"

namespace cbst {

class Window;

struct MenuItem {
  std::uint32_t command = 0;    // 0: a separator
  std::string text;             // Windows-1252, "&" marks the mnemonic
  std::string accelerator;      // Windows-1252, shown at the right
  ProgramPicture icon;          // shown at the left, when there is one
  std::intptr_t parameter = 0;  // goes with the command when the item is chosen
  bool enabled = true;
  bool checked = false;
};

class XPopMenu {
 public:
  void Append(std::uint32_t command, std::string_view text, std::string_view accelerator = {});
  void AppendSeparator();
  void Check(std::uint32_t command, bool checked);
  void Enable(std::uint32_t command, bool enabled);
  void SetParameter(std::uint32_t command, std::intptr_t parameter);

  const std::vector<MenuItem>& items() const { return items_; }
  // Asks `owner` for each item's decorations (event kEventMenuDecoration):
  // an item keeps the accelerator it was given, and takes the one answered
  // otherwise.
  void AskDecorations(Window& owner);

  const MenuItem* Find(std::uint32_t command) const;
  bool Has(std::uint32_t command) const;
  bool empty() const { return items_.empty(); }

  // Shows the menu with its top left at (x, y) of `window`'s client area
  // and waits for the player: the chosen command, or 0 when the menu was
  // left without a choice.
  std::uint32_t Track(Window& window, int x, int y) const;

 private:
  MenuItem* Item(std::uint32_t command);
  std::vector<MenuItem> items_;
};

}  // namespace cbst
