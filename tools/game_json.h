// game_json.h: a game on a virtual table as JSON, for "cbst-tool open",
// "save" and "load".
#pragma once

#include <string>

#include "play/game_score.h"
#include "play/virtual_table.h"
#include "puzzle/puz.h"
#include "tools/json_writer.h"

namespace cbst::tool {

// The table, the game's seed, the reduced picture, every piece's place,
// turn and box, and the z-order: the keys of "cbst-tool open".
void WriteTableAndPieces(JsonWriter& json, const Puz& puz, const VirtualTable& table);
// Those keys as one object.
std::string GameJson(const Puz& puz, const VirtualTable& table);
// The same with what a saved game adds: its names, level, counters, the
// joined sides of every piece and the boxes.
std::string SavedGameJson(const Puz& puz, const VirtualTable& table, const ScoreCounts& counts);

}  // namespace cbst::tool
