// game_ranking.cpp: the game in progress as the rankings see it.
#include "scores/game_ranking.h"

#include "base/date.h"
#include "base/pathname.h"
#include "play/game_flags.h"
#include "puzzle/puzzle_codes.h"
#include "scores/ranking_file.h"

namespace cbst {
namespace {

constexpr std::uint32_t kVariantBits = kRankingNoRotation | kRankingMosaic;

std::int32_t WholeTenths(std::int32_t milliseconds) {
  return milliseconds / kMillisecondsPerTenth * kMillisecondsPerTenth;
}

// Leading and trailing blanks are no part of a player's name.
VString Trimmed(const VString& text) {
  std::string_view view = text.view();
  while (!view.empty() && view.front() == ' ')
    view.remove_prefix(1);
  while (!view.empty() && view.back() == ' ')
    view.remove_suffix(1);
  return VString(view);
}

}  // namespace

std::string GamePuzzleName(const Puz& puz) {
  return PathName(puz.file_path.c_str()).name.str();
}

RankingEntry GameEntry(const Puz& puz, const GameScore& score) {
  RankingEntry entry;
  if (!puz.saved_game_path.empty()) entry.game = PathName(puz.saved_game_path.c_str()).name;
  entry.player = Trimmed(puz.player);
  entry.score = score.CurrentScore();
  entry.time = WholeTenths(score.Elapsed());
  entry.helps = score.helps();
  entry.solved = static_cast<std::int16_t>(score.joined_sides());
  entry.moves = static_cast<std::int16_t>(score.moves());
  return entry;
}

CertificateRecord GameCertificate(const Puz& puz, const GameScore& score) {
  const RankingEntry entry = GameEntry(puz, score);
  CertificateRecord record;
  record.puzzle = VString(GamePuzzleName(puz));
  record.level = puz.level;
  record.rows = puz.cut.rows;
  record.columns = puz.cut.columns;
  record.flags = puz.option_flags & kVariantBits;
  record.player = entry.player;
  record.time = entry.time;
  record.solved = score.joined_sides();
  record.moves = score.moves();
  record.helps = score.helps();
  record.score = entry.score;
  return record;
}

RankingRequest GameRankingRequest(const Puz& puz) {
  RankingRequest request;
  request.puzzle = puz.file_path;
  request.puzzle_name = GamePuzzleName(puz);
  request.level = puz.level;
  request.flags = puz.option_flags & kVariantBits;
  request.rows = puz.cut.rows;
  request.columns = puz.cut.columns;
  request.custom = puz.level == kCustomLevel;
  return request;
}

Ranking GameRanking(const Puz& puz, const GameScore& score, const std::string& saved_games) {
  Ranking ranking;
  ranking.puzzle = puz.file_path;
  ranking.level = puz.level;
  ranking.flags = puz.option_flags & kVariantBits;
  LoadRanking(ranking, {true, VString(saved_games)});
  if (puz.game_flags & kGameCompetition) {
    PlaceCurrentGame(ranking, GameEntry(puz, score));
    Reposition(ranking, score.CurrentScore());
  }
  return ranking;
}

}  // namespace cbst
