// ranking_json.h: ranking entries as the tool prints them.
#pragma once

#include <vector>

#include "scores/ranking.h"
#include "tools/json_writer.h"

namespace cbst::tool {

// "entries":[{"game":…, "player":…, "score":…, "time":…, "helps":…,
// "solved":…, "moves":…}, …] in the order given.
void WriteRankingEntries(JsonWriter& json, const std::vector<RankingEntry>& entries);

}  // namespace cbst::tool
