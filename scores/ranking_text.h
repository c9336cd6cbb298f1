// ranking_text.h: a whole ranking as plain text, for the clipboard.
//
//   Ranking for Tiger, level 3, 12x9,NoRotable
//   BOR{
//   52500;00:09:10.0;108;280;0;José
//   51000;00:10:00.0;108;300;1;Ana
//   }EOR
//
// Each line is score, time, solved, moves, helps and the player, who comes
// last so that a name may hold any character. Lines end with CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/vstring.h"
#include "scores/ranking.h"

namespace cbst {

inline constexpr char kRankingTextTitle[] = "Ranking for ";
inline constexpr char kRankingTextLevel[] = ", level ";
inline constexpr char kRankingTextStart[] = "BOR{";
inline constexpr char kRankingTextEnd[] = "}EOR";
inline constexpr char kRankingTextSeparator = ';';

// The games of one puzzle, level and variant.
struct RankingText {
  VString puzzle;  // the puzzle's name
  std::int32_t level = 0;
  std::int32_t rows = 0;
  std::int32_t columns = 0;
  std::uint32_t flags = 0;  // kRankingNoRotation, kRankingMosaic
  std::vector<RankingEntry> entries;
};

// The text of the first 15 entries.
VString MakeRankingText(const RankingText& ranking);

// The ranking in `text`, or nothing without its title line or "BOR{".
// At most 15 entry lines are taken, up to "}EOR"; a line that is no entry
// is passed over. The games belong to no saved game here.
std::optional<RankingText> ParseRankingText(std::string_view text);

}  // namespace cbst
