// ranking_json.cpp: ranking entries as JSON.
#include "tools/ranking_json.h"

#include "base/cp1252.h"

namespace cbst::tool {

void WriteRankingEntries(JsonWriter& json, const std::vector<RankingEntry>& entries) {
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
}

}  // namespace cbst::tool
