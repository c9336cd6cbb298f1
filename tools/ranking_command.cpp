// ranking_command.cpp: "cbst-tool ranking", a ranking file's entries in the
// order the game ranks them.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "base/cp1252.h"
#include "scores/ranking_file.h"
#include "tools/commands.h"
#include "tools/json_writer.h"

namespace cbst::tool {
namespace {

constexpr const char* kRankingUsage = "usage: cbst-tool ranking FILE\n";

const char* ReadName(RankingRead read) {
  switch (read) {
    case RankingRead::kRead:
      return "ok";
    case RankingRead::kDamaged:
      return "damaged";
    case RankingRead::kNotRanking:
      break;
  }
  return "not_ranking";
}

}  // namespace

int RunRanking(int argc, char** argv) {
  if (argc != 1) {
    std::fputs(kRankingUsage, stderr);
    return 2;
  }
  std::ifstream in(argv[0], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cbst-tool ranking: cannot open %s\n", argv[0]);
    return 1;
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  std::vector<RankingEntry> entries;
  const RankingRead read = DecodeRankingEntries(bytes, entries);
  SortRankingEntries(entries);

  JsonWriter json;
  json.BeginObject();
  json.Key("file").String(argv[0]);
  json.Key("read").String(ReadName(read));
  json.Key("entries").BeginArray();
  for (const RankingEntry& entry : entries) {
    json.BeginObject();
    json.Key("game").String(Cp1252ToUtf8(entry.game.view()));
    json.Key("player").String(Cp1252ToUtf8(entry.player.view()));
    json.Key("score").Number(entry.score);
    json.Key("time").Number(entry.time);
    json.Key("helps").Number(entry.helps);
    json.Key("solved").Number(entry.solved);
    json.Key("moves").Number(entry.moves);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  std::puts(json.text().c_str());
  return read == RankingRead::kRead ? 0 : 1;
}

}  // namespace cbst::tool
