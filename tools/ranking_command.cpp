// ranking_command.cpp: "cbst-tool ranking", a ranking file's entries in the
// order the game ranks them.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "scores/ranking_file.h"
#include "tools/commands.h"
#include "tools/json_writer.h"
#include "tools/ranking_json.h"

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
  WriteRankingEntries(json, entries);
  json.EndObject();
  std::puts(json.text().c_str());
  return read == RankingRead::kRead ? 0 : 1;
}

}  // namespace cbst::tool
