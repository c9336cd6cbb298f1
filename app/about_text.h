// about_text.h: the credits the About command shows, written in the
// credits window's markup.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cbst {

// The pictures the about text names: the program's two icons and the
// current puzzle's thumbnail.
inline constexpr long kAboutIcon = 1;
inline constexpr long kAboutSecondIcon = 2;
inline constexpr long kAboutThumbnail = 1;

// Dictionary texts the credits show in cyan.
inline constexpr int kTextCreditsTranslator = 712;
inline constexpr int kTextCreditsThanks = 513;
inline constexpr int kTextCreditsHelp = 713;

// Two credit lines are kept scrambled in the program: a byte at an even
// position is stored 127 less, one at an odd position 1 less (modulo 256).
std::string Unscramble(std::string_view stored);
std::string Scramble(std::string_view plain);

// The current game, when one is loaded.
struct AboutGame {
  std::string title;   // Windows-1252
  std::string credit;  // the picture's author, Windows-1252
  bool jpeg = false;   // the picture is JPEG-coded
};

// The whole about text: fonts and music, the icons, the program's name and
// `version`, the credit lines and the dictionary's texts, then the game's
// thumbnail, title and credit, and the JPEG acknowledgement it calls for.
std::string AboutMarkup(std::string_view version, const std::optional<AboutGame>& game);

}  // namespace cbst
