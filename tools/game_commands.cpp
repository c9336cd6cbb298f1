// game_commands.cpp: "cbst-tool save" and "cbst-tool load", saved games
// made and resumed on a virtual table with the game's own code.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "base/cp1252.h"
#include "play/board_codes.h"
#include "play/random_play.h"
#include "play/saved_game.h"
#include "play/saved_game_state.h"
#include "play/virtual_table.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/thumb.h"
#include "tools/commands.h"
#include "tools/game_json.h"
#include "tools/tool_support.h"

namespace cbst::tool {
namespace {

constexpr const char* kSaveUsage =
    "usage: cbst-tool save FILE.puz --out GAME.sav [--level L] [--custom RxC] [--seed S]\n"
    "       [--table WxH] [--moves K] [--joins K] [--title T] [--player P]\n";
constexpr const char* kLoadUsage =
    "usage: cbst-tool load GAME.sav [--table WxH] [--json OUT.json] [--resave OUT.sav]\n";
constexpr int kDefaultTableWidth = 1920;
constexpr int kDefaultTableHeight = 1080;

// The tool's games are played on no clock: their time stands at what
// they were saved with.
std::uint32_t StillClock() {
  return 0;
}

int Fail(const char* command, const char* what, const Status& status) {
  std::fprintf(stderr, "cbst-tool %s: cannot %s (status %u%s%s)\n", command, what, status.code(),
               status.text().empty() ? "" : ": ", status.text().c_str());
  status.MarkHandled();
  return 1;
}

// Writes the game on `table` to `path` as the game's save does.
Status Store(const Puz& puz, const VirtualTable& table, const ScoreCounts& counts,
             const std::string& path) {
  SaveDetails details;
  details.title = puz.saved_title;
  details.player = puz.player;
  details.password = puz.password;
  details.counters = counts;
  details.table_width = table.width();
  details.table_height = table.height();
  return StoreSavedGame(path.c_str(), CaptureGame(puz, details, path));
}

}  // namespace

int RunSave(int argc, char** argv) {
  const char* path = nullptr;
  const char* out = nullptr;
  OpenRequest request;
  int width = kDefaultTableWidth, height = kDefaultTableHeight;
  int custom_rows = 0, custom_columns = 0;
  ChancePlay plan;
  std::string title, player;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    const bool has_value = index + 1 < argc;
    bool ok = true;
    if (!std::strcmp(option, "--out") && has_value) {
      out = argv[++index];
    } else if (!std::strcmp(option, "--level") && has_value) {
      request.level = std::atoi(argv[++index]);
    } else if (!std::strcmp(option, "--custom") && has_value) {
      ok = ParsePair(argv[++index], custom_rows, custom_columns);
    } else if (!std::strcmp(option, "--seed") && has_value) {
      request.game_seed = static_cast<std::uint32_t>(std::strtoul(argv[++index], nullptr, 0));
    } else if (!std::strcmp(option, "--table") && has_value) {
      ok = ParsePair(argv[++index], width, height) && width > 0 && height > 0;
    } else if (!std::strcmp(option, "--moves") && has_value) {
      plan.drags = std::atoi(argv[++index]);
    } else if (!std::strcmp(option, "--joins") && has_value) {
      plan.helps = std::atoi(argv[++index]);
    } else if (!std::strcmp(option, "--title") && has_value) {
      title = argv[++index];
    } else if (!std::strcmp(option, "--player") && has_value) {
      player = argv[++index];
    } else if (option[0] != '-' && !path) {
      path = option;
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "cbst-tool save: bad option %s\n%s", option, kSaveUsage);
      return 2;
    }
  }
  if (!path || !out) {
    std::fputs(kSaveUsage, stderr);
    return 2;
  }
  const auto toolkit = StartToolkit();

  Puz puz;
  VirtualTable table(puz, width, height);
  GameScore score(StillClock);
  table.set_score(&score);
  table.set_custom_size(custom_rows, custom_columns);
  request.path = path;
  if (Status opened = OpenPuzzleForPlay(puz, request, table); opened.failed())
    return Fail("save", "open the puzzle", opened);
  score.StartClock(ScoredPuzzleOf(puz), false);
  plan.seed = puz.game_seed;
  PlayByChance(table.board(), table.Surface(kTableWindow), plan);

  puz.saved_title = VString(Utf8ToCp1252(title.empty() ? puz.title.str() : title));
  puz.player = VString(Utf8ToCp1252(player));
  const ScoreCounts counts = score.counts();
  if (Status stored = Store(puz, table, counts, out); stored.failed())
    return Fail("save", "write the saved game", stored);
  std::printf("%s\n", SavedGameJson(puz, table, counts).c_str());
  return 0;
}

int RunLoad(int argc, char** argv) {
  const char* path = nullptr;
  const char* json = nullptr;
  const char* resave = nullptr;
  int width = kDefaultTableWidth, height = kDefaultTableHeight;
  for (int index = 0; index < argc; ++index) {
    const char* option = argv[index];
    const bool has_value = index + 1 < argc;
    bool ok = true;
    if (!std::strcmp(option, "--table") && has_value) {
      ok = ParsePair(argv[++index], width, height) && width > 0 && height > 0;
    } else if (!std::strcmp(option, "--json") && has_value) {
      json = argv[++index];
    } else if (!std::strcmp(option, "--resave") && has_value) {
      resave = argv[++index];
    } else if (option[0] != '-' && !path) {
      path = option;
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "cbst-tool load: bad option %s\n%s", option, kLoadUsage);
      return 2;
    }
  }
  if (!path) {
    std::fputs(kLoadUsage, stderr);
    return 2;
  }
  const auto toolkit = StartToolkit();

  SavedGame game;
  if (Status read = ReadSavedGame(path, game); read.failed())
    return Fail("load", "read the saved game", read);
  Puz puz;
  VirtualTable table(puz, width, height);
  GameScore score(StillClock);
  table.set_score(&score);
  const SavedGameResumption resumption(game, path);
  if (Status opened = OpenPuzzleForPlay(puz, resumption.Request({}, false), table); opened.failed())
    return Fail("load", "resume the game", opened);
  score.Restore(game.counters);
  score.StartClock(ScoredPuzzleOf(puz), (puz.state & kGameSolved) != 0);

  const ScoreCounts counts = score.counts();
  const std::string text = SavedGameJson(puz, table, counts);
  std::printf("%s\n", text.c_str());
  if (json) std::ofstream(json) << text << '\n';
  if (resave) {
    if (Status stored = Store(puz, table, counts, resave); stored.failed())
      return Fail("load", "write the saved game again", stored);
  }
  return 0;
}

}  // namespace cbst::tool
