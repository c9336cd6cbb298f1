// ranking_view.cpp: the ranking window's cells, colours and title.
#include "scores/ranking_view.h"

#include <algorithm>

#include "base/date.h"
#include "base/field_format.h"
#include "base/field_value.h"
#include "text/traductor.h"

namespace cbst {
namespace {

constexpr int kPercent = 100;
constexpr int kSidesPerJoin = 2;

std::string Formatted(const char* format, double value) {
  return FormatValue(FieldFormat::Parse(format), value).str();
}

}  // namespace

std::array<std::string, kRankingColumns> RankingHeadings() {
  return {"",
          Text(kTextRankingPlayer),
          Text(kTextRankingTime),
          Text(kTextRankingSolved, kRankingHeadingContext),
          Text(kTextRankingHelps),
          Text(kTextRankingMoves, kRankingHeadingContext),
          Text(kTextRankingScore),
          Text(kTextRankingRelative)};
}

std::string RelativeScoreText(std::int32_t score, std::int32_t best) {
  if (best == 0) return {};
  const double relative =
      std::max(kLowestRelativeScore, static_cast<double>(score) * kPercent / best);
  return Formatted(kRelativeFormat, relative);
}

std::array<std::string, kRankingColumns> RankingCells(const Ranking& ranking, int row, int sides) {
  std::array<std::string, kRankingColumns> cells;
  cells[static_cast<int>(RankingColumn::kPosition)] = std::to_string(row + 1);
  if (row < 0 || row >= static_cast<int>(ranking.entries.size())) return cells;
  const RankingEntry& entry = ranking.entries[static_cast<std::size_t>(row)];
  cells[static_cast<int>(RankingColumn::kPlayer)] = entry.player.str();
  cells[static_cast<int>(RankingColumn::kTime)] = MillisecondsToText(entry.time, kTimeTextTenths);
  std::string solved = std::to_string(entry.solved / kSidesPerJoin);
  if (sides > 0) solved += " (" + std::to_string(entry.solved * kPercent / sides) + "%)";
  cells[static_cast<int>(RankingColumn::kSolved)] = solved;
  cells[static_cast<int>(RankingColumn::kHelps)] = std::to_string(entry.helps);
  cells[static_cast<int>(RankingColumn::kMoves)] = std::to_string(entry.moves);
  cells[static_cast<int>(RankingColumn::kScore)] = Formatted(kScoreFormat, entry.score);
  cells[static_cast<int>(RankingColumn::kRelative)] =
      RelativeScoreText(entry.score, ranking.entries.front().score);
  return cells;
}

std::uint32_t RankingRowColour(const Ranking& ranking, int row, bool black) {
  if (black) return kRankingBlack;
  if (row == ranking.current) return kRankingCurrentColour;
  if (row >= 0 && row < static_cast<int>(ranking.entries.size()) &&
      ranking.entries[static_cast<std::size_t>(row)].game == kReservedGameName)
    return kRankingReservedColour;
  return kRankingOtherColour;
}

std::string RankingLevelTitle(std::int32_t rows, std::int32_t columns, std::uint32_t flags,
                              bool custom) {
  std::string title;
  if (custom) {
    title = kCustomLevelTitle;
  } else {
    const std::int32_t pieces = rows * columns;
    title = std::to_string(rows) + " x " + std::to_string(columns) + " = " +
            std::to_string(pieces) + " " +
            Text(kTextRankingPieces, pieces == 1 ? 0 : kRankingPluralContext);
  }
  if (flags & kRankingNoRotation) title += std::string(", ") + Text(kTextRankingNoRotation);
  if (flags & kRankingMosaic) title += std::string(", ") + Text(kTextRankingMosaic);
  return title;
}

}  // namespace cbst
