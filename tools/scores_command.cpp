// scores_command.cpp: "cbst-tool scores", the ranking of a puzzle, level
// and variant as the game keeps it, with games added to it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1252.h"
#include "scores/ranking_file.h"
#include "tools/commands.h"
#include "tools/json_writer.h"
#include "tools/ranking_json.h"

namespace cbst::tool {
namespace {

constexpr const char* kScoresUsage =
    "usage: cbst-tool scores PUZ --level L [--norotate] [--mosaic]\n"
    "       [--add \"GAME|PLAYER|SCORE|TIME|HELPS|SOLVED|MOVES\"]...\n";
constexpr char kAddSeparator = '|';
constexpr std::size_t kAddFields = 7;

std::optional<long> Whole(std::string_view text, long low, long high) {
  const std::string copy(text);
  char* end = nullptr;
  const long value = std::strtol(copy.c_str(), &end, 10);
  if (copy.empty() || *end != '\0' || value < low || value > high) return std::nullopt;
  return value;
}

// One game of --add; the texts are taken from UTF-8.
std::optional<RankingEntry> ParseAdded(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t stop = text.find(kAddSeparator, start);
    fields.push_back(text.substr(start, stop - start));
    if (stop == std::string_view::npos) break;
    start = stop + 1;
  }
  if (fields.size() != kAddFields) return std::nullopt;
  constexpr long kIntLow = std::numeric_limits<std::int32_t>::min();
  constexpr long kIntHigh = std::numeric_limits<std::int32_t>::max();
  constexpr long kShortLow = std::numeric_limits<std::int16_t>::min();
  constexpr long kShortHigh = std::numeric_limits<std::int16_t>::max();
  const std::optional<long> score = Whole(fields[2], kIntLow, kIntHigh);
  const std::optional<long> time = Whole(fields[3], kIntLow, kIntHigh);
  const std::optional<long> helps = Whole(fields[4], kShortLow, kShortHigh);
  const std::optional<long> solved = Whole(fields[5], kShortLow, kShortHigh);
  const std::optional<long> moves = Whole(fields[6], kShortLow, kShortHigh);
  if (!score || !time || !helps || !solved || !moves) return std::nullopt;
  RankingEntry entry;
  entry.game = VString(Utf8ToCp1252(fields[0]));
  entry.player = VString(Utf8ToCp1252(fields[1]));
  entry.score = static_cast<std::int32_t>(*score);
  entry.time = static_cast<std::int32_t>(*time);
  entry.helps = static_cast<std::int16_t>(*helps);
  entry.solved = static_cast<std::int16_t>(*solved);
  entry.moves = static_cast<std::int16_t>(*moves);
  return entry;
}

}  // namespace

int RunScores(int argc, char** argv) {
  Ranking ranking;
  bool level_given = false;
  std::vector<RankingEntry> added;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    bool ok = true;
    if (!std::strcmp(option, "--norotate")) {
      ranking.flags |= kRankingNoRotation;
    } else if (!std::strcmp(option, "--mosaic")) {
      ranking.flags |= kRankingMosaic;
    } else if (!std::strcmp(option, "--level") && index + 1 < argc) {
      const std::optional<long> level = Whole(argv[++index], 0, std::numeric_limits<int>::max());
      ok = level.has_value();
      if (ok) ranking.level = static_cast<std::int32_t>(*level);
      level_given = true;
    } else if (!std::strcmp(option, "--add") && index + 1 < argc) {
      const std::optional<RankingEntry> entry = ParseAdded(argv[++index]);
      ok = entry.has_value();
      if (ok) added.push_back(*entry);
    } else if (option[0] != '-' && ranking.puzzle.empty()) {
      ranking.puzzle = VString(option);
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "cbst-tool scores: bad option %s\n%s", option, kScoresUsage);
      return 2;
    }
  }
  if (ranking.puzzle.empty() || !level_given) {
    std::fputs(kScoresUsage, stderr);
    return 2;
  }
  const VString file = RankingFileName(ranking.puzzle.c_str(), ranking.level, ranking.flags);
  // Only looked at, as for a puzzle that is not being played: no game is
  // dropped for its saved game.
  LoadRanking(ranking);
  if (!added.empty()) {
    ranking.entries.insert(ranking.entries.end(), added.begin(), added.end());
    SortRankingEntries(ranking.entries);
    if (Status saved = SaveRanking(ranking); saved.failed()) {
      saved.MarkHandled();
      std::fprintf(stderr, "cbst-tool scores: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  JsonWriter json;
  json.BeginObject();
  json.Key("file").String(file.view());
  WriteRankingEntries(json, ranking.entries);
  json.EndObject();
  std::puts(json.text().c_str());
  return 0;
}

}  // namespace cbst::tool
