// game_json.cpp: the JSON of a game on a virtual table.
#include "tools/game_json.h"

#include "base/cp1252.h"
#include "puzzle/puzzle_codes.h"

namespace cbst::tool {

void WriteTableAndPieces(JsonWriter& json, const Puz& puz, const VirtualTable& table) {
  json.Key("table").Numbers({table.width(), table.height()});
  json.Key("seed").Number(puz.game_seed);
  json.Key("reduced").Numbers({puz.picture_rect.width, puz.picture_rect.height});
  json.Key("pieces").BeginArray();
  for (const SPuz& piece : puz.cut.pieces) {
    json.BeginObject().Key("id").Number(piece.id);
    json.Key("board").Numbers(
        {piece.board.x, piece.board.y, piece.board.width, piece.board.height});
    json.Key("rot").Number(piece.rotation).Key("box").Number(piece.box);
    json.EndObject();
  }
  json.EndArray();
  json.Key("zorder").BeginArray();
  for (const std::int16_t index : puz.cut.z_order)
    json.Number(index);
  json.EndArray();
}

std::string GameJson(const Puz& puz, const VirtualTable& table) {
  JsonWriter json;
  json.BeginObject();
  WriteTableAndPieces(json, puz, table);
  json.EndObject();
  return json.text();
}

std::string SavedGameJson(const Puz& puz, const VirtualTable& table, const ScoreCounts& counts) {
  JsonWriter json;
  json.BeginObject();
  WriteTableAndPieces(json, puz, table);
  json.Key("title").String(Cp1252ToUtf8(puz.saved_title.view()));
  json.Key("player").String(Cp1252ToUtf8(puz.player.view()));
  json.Key("puzzle").String(puz.file_path.view());
  json.Key("level").Number(puz.level);
  if (puz.level == kCustomLevel)
    json.Key("custom").Numbers({puz.level_rows[kCustomLevel], puz.level_columns[kCustomLevel]});
  json.Key("elapsed").Number(counts.elapsed);
  json.Key("moves").Number(counts.moves);
  json.Key("helps").Number(counts.helps);
  json.Key("helped_sides").Number(counts.helped_sides);
  json.Key("joined_sides").Number(counts.joined_sides);
  json.Key("joined").BeginArray();
  for (const SPuz& piece : puz.cut.pieces)
    json.Number(piece.joined_sides);
  json.EndArray();
  json.Key("boxes").BeginArray();
  for (const PieceBox& box : puz.boxes) {
    json.BeginObject();
    json.Key("rect").Numbers({box.open.x, box.open.y, box.open.width, box.open.height});
    json.Key("closed").Numbers({box.closed_x, box.closed_y});
    json.Key("flags").Number(box.flags).Key("colour").Number(box.colour);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.text();
}

}  // namespace cbst::tool
