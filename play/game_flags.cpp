// game_flags.cpp: game flags to and from a saved game's option text.
#include "play/game_flags.h"

#include <cstdlib>

namespace cbst {

std::uint32_t GameFlagsFromText(std::string_view text) {
  std::uint32_t flags = 0;
  const auto has = [text](std::string_view word) { return text.find(word) != text.npos; };
  if (has(kGameWordCompetition)) flags |= kGameCompetition;
  if (has(kGameWordAutoSave)) flags |= kGameAutoSave;
  if (has(kGameWordHideBoxes)) flags |= kGameHideBoxes;
  if (has(kGameWordHideScore)) flags |= kGameHideScore;
  if (const std::size_t key = text.find(kGameFlagsKey); key != text.npos) {
    const std::string number(text.substr(key + kGameFlagsKey.size()));
    flags = static_cast<std::uint32_t>(std::strtoul(number.c_str(), nullptr, 10));
  }
  return flags;
}

void AppendGameFlags(std::uint32_t flags, std::string& text) {
  text += '/';
  text += kGameFlagsKey;
  text += std::to_string(flags);
}

}  // namespace cbst
