// score_command.cpp: "cbst-tool score", the weights and the scores of a
// game from its counters, computed by the game's own score keeper.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "play/game_score.h"
#include "tools/commands.h"
#include "tools/json_writer.h"

namespace cbst::tool {
namespace {

constexpr const char* kScoreUsage =
    "usage: cbst-tool score --pieces N --rows R --cols C [--norotate] [--mosaic]\n"
    "       --elapsed MS --joined J --helped H --helps h --moves m\n";

// A number option's value, within its limits.
bool ParseNumber(const char* text, long low, long high, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && value >= low && value <= high;
}

}  // namespace

int RunScore(int argc, char** argv) {
  constexpr long kInt = std::numeric_limits<std::int32_t>::max();
  constexpr long kShort = std::numeric_limits<std::int16_t>::max();
  struct NumberOption {
    const char* name;
    long high;
    long value;
    bool given;
  };
  NumberOption numbers[] = {
      {"--pieces", kInt, 0, false},  {"--rows", kInt, 0, false},   {"--cols", kInt, 0, false},
      {"--elapsed", kInt, 0, false}, {"--joined", kInt, 0, false}, {"--helped", kShort, 0, false},
      {"--helps", kShort, 0, false}, {"--moves", kInt, 0, false},
  };
  ScoredPuzzle puzzle;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    bool ok = false;
    if (!std::strcmp(option, "--norotate")) {
      puzzle.no_rotation = ok = true;
    } else if (!std::strcmp(option, "--mosaic")) {
      puzzle.mosaic = ok = true;
    } else {
      for (NumberOption& number : numbers) {
        if (std::strcmp(option, number.name) || index + 1 >= argc) continue;
        ok = ParseNumber(argv[++index], 0, number.high, number.value);
        number.given = true;
      }
    }
    if (!ok) {
      std::fprintf(stderr, "cbst-tool score: bad option %s\n%s", option, kScoreUsage);
      return 2;
    }
  }
  for (const NumberOption& number : numbers) {
    if (number.given) continue;
    std::fprintf(stderr, "cbst-tool score: %s is missing\n%s", number.name, kScoreUsage);
    return 2;
  }
  puzzle.pieces = static_cast<int>(numbers[0].value);
  puzzle.rows = static_cast<int>(numbers[1].value);
  puzzle.columns = static_cast<int>(numbers[2].value);
  ScoreCounts counts;
  counts.elapsed = static_cast<std::int32_t>(numbers[3].value);
  counts.joined_sides = static_cast<std::int32_t>(numbers[4].value);
  counts.helped_sides = static_cast<std::int16_t>(numbers[5].value);
  counts.helps = static_cast<std::int16_t>(numbers[6].value);
  counts.moves = static_cast<std::int32_t>(numbers[7].value);

  // A clock that stands still: the game goes on from the time it was given.
  GameScore score([] { return std::uint32_t{0}; });
  score.Restore(counts);
  score.StartClock(puzzle, false);

  JsonWriter json;
  json.BeginObject();
  json.Key("base").Number(score.base());
  json.Key("join_value").Number(score.join_value());
  json.Key("time_weight").Number(score.time_weight());
  json.Key("help_weight").Number(score.help_weight());
  json.Key("move_weight").Number(score.move_weight());
  json.Key("score").Number(score.CurrentScore());
  json.Key("projected").Number(score.ProjectedScore());
  json.EndObject();
  std::puts(json.text().c_str());
  return 0;
}

}  // namespace cbst::tool
