// ranking_view.h: what the ranking window shows in each cell, in which
// colour, and its title, apart from the window that draws them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "scores/ranking.h"

namespace cbst {

// The columns, left to right.
enum class RankingColumn {
  kPosition,
  kPlayer,
  kTime,
  kSolved,
  kHelps,
  kMoves,
  kScore,
  kRelative,
};
inline constexpr int kRankingColumns = 8;
// The table always has this many rows, filled or not.
inline constexpr int kRankingRows = 15;

// Text colours of the rows (0x00BBGGRR).
inline constexpr std::uint32_t kRankingCurrentColour = 0xFF0000;
inline constexpr std::uint32_t kRankingReservedColour = 0x808000;
inline constexpr std::uint32_t kRankingOtherColour = 0x800000;
inline constexpr std::uint32_t kRankingBlack = 0x000000;

// The relative score never shows below this.
inline constexpr double kLowestRelativeScore = -99.9;
inline constexpr char kRelativeFormat[] = "#2.1";
inline constexpr char kScoreFormat[] = "#9,";

// The dictionary's headings and title words.
inline constexpr int kTextRankingTitle = 535;
inline constexpr int kTextRankingPuzzle = 503;
inline constexpr int kTextRankingPlayer = 529;
inline constexpr int kTextRankingTime = 508;
inline constexpr int kTextRankingSolved = 507;
inline constexpr int kTextRankingHelps = 506;
inline constexpr int kTextRankingMoves = 504;
inline constexpr int kTextRankingScore = 527;
inline constexpr int kTextRankingRelative = 573;
inline constexpr int kTextRankingNoRotation = 542;
inline constexpr int kTextRankingMosaic = 543;
inline constexpr int kTextRankingPieces = 500;
inline constexpr int kRankingHeadingContext = 0x20;
inline constexpr int kRankingPluralContext = 0x40;
inline constexpr char kCustomLevelTitle[] = "Custom level";

// The headings, in column order (Windows-1252).
std::array<std::string, kRankingColumns> RankingHeadings();

// `score` as a share of `best` in per cent, "#2.1" formatted, never below
// -99.9; empty when the best score is 0.
std::string RelativeScoreText(std::int32_t score, std::int32_t best);

// The cells of row `row` (0 = first); only the position for a row without
// an entry. `sides` is the number of sides to join in the open puzzle's
// game, for the share the solved count means; 0 shows no share.
std::array<std::string, kRankingColumns> RankingCells(const Ranking& ranking, int row, int sides);

// The text colour of row `row`: the game in progress, a game of no saved
// game here ("*R*"), or another; all black when `black`.
std::uint32_t RankingRowColour(const Ranking& ranking, int row, bool black);

// The level part of the title: a custom level with its variant words, or
// the number of pieces.
std::string RankingLevelTitle(std::int32_t rows, std::int32_t columns, std::uint32_t flags,
                              bool custom);

}  // namespace cbst
