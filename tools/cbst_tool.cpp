// cbst_tool.cpp: cbst-tool, the headless tool that inspects puzzle files and
// cuts, for tests and for looking at what the game will do.
#include <cstdio>
#include <cstring>

#include "tools/commands.h"

namespace {

constexpr const char* kUsage =
    "usage: cbst-tool COMMAND [ARGUMENTS]\n"
    "commands:\n"
    "  certificate --puzzle NAME --level L --rows R --cols C [--norotate] [--mosaic]\n"
    "              --player P --time MS --solved S --moves M --helps H --score X\n"
    "      print the score certificate of that game\n"
    "  certificate --parse FILE\n"
    "      print the game a certificate in FILE tells as JSON (exit code 1 when there is none)\n"
    "  cut --size WxH --grid RxC --seed S [--norotate] [--nodeform] [--rules V] [--resume]\n"
    "      cut a picture of W x H pixels and print the pieces as JSON\n"
    "  info FILE\n"
    "      print a puzzle file's header as JSON (exit code 1 when it cannot be read)\n"
    "  load GAME.sav [--table WxH] [--json OUT.json] [--resave OUT.sav]\n"
    "      resume a saved game on a virtual table and print it as JSON; --resave saves it\n"
    "      again\n"
    "  make PICTURE --title T --levels \"L1,L2,...\" [--surprise] [--nohelp] [--custom]\n"
    "       [--color 0xBBGGRR] [--credit TEXT] --out FILE.puz\n"
    "      make a puzzle file from a JPEG or BMP picture and print its header as JSON\n"
    "  open FILE.puz [--level L] [--custom RxC] [--table WxH] [--seed S] [--display N]\n"
    "       [--cache] [--png OUT.png] [--json OUT.json] [--timings]\n"
    "      open a puzzle for a new game on a virtual table (1920x1080 unless told) and\n"
    "      write the table as a PNG and its pieces as JSON; --cache lets the decoded\n"
    "      picture be cached at the end of the puzzle file\n"
    "  ranking FILE\n"
    "      print a ranking file's entries, highest score first, as JSON (exit code 1 when\n"
    "      the file is damaged or no ranking file)\n"
    "  save FILE.puz --out GAME.sav [--level L] [--custom RxC] [--seed S] [--table WxH]\n"
    "       [--moves K] [--joins K] [--title T] [--player P]\n"
    "      open a new game, drag K random pieces to random places, ask K helps, save the\n"
    "      game and print it as JSON\n"
    "  score --pieces N --rows R --cols C [--norotate] [--mosaic] --elapsed MS --joined J\n"
    "        --helped H --helps h --moves m\n"
    "      print a game's score weights, its score and its projected final score as JSON\n"
    "  scores PUZ --level L [--norotate] [--mosaic] [--add "
    "\"GAME|PLAYER|SCORE|TIME|HELPS|SOLVED|MOVES\"]...\n"
    "      load the ranking of a puzzle, level and variant, add the games given, save it when\n"
    "      any was added, and print its file and entries as JSON\n"
    "  sheets --picture FILE --grid RxC --seed S [--norotate] [--nodeform] [--grey] --out DIR\n"
    "      cut a picture and write its image and mask sheets (PNG) and pieces.json\n";

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
};

constexpr Command kCommands[] = {
    {"certificate", cbst::tool::RunCertificate},
    {"cut", cbst::tool::RunCut},
    {"info", cbst::tool::RunInfo},
    {"load", cbst::tool::RunLoad},
    {"make", cbst::tool::RunMake},
    {"open", cbst::tool::RunOpen},
    {"ranking", cbst::tool::RunRanking},
    {"save", cbst::tool::RunSave},
    {"score", cbst::tool::RunScore},
    {"scores", cbst::tool::RunScores},
    {"sheets", cbst::tool::RunSheets},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    std::fputs(kUsage, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  for (const Command& command : kCommands) {
    if (!std::strcmp(argv[1], command.name)) return command.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "cbst-tool: unknown command %s\n%s", argv[1], kUsage);
  return 2;
}
