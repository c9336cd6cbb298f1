// saved_game_state.cpp: capturing a game for its file and putting it back.
#include "play/saved_game_state.h"

#include <algorithm>
#include <filesystem>

#include "base/status_codes.h"
#include "play/board_codes.h"
#include "play/game_flags.h"
#include "puzzle/puz_options.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

// A box name inside an option item: the separator and the escape itself
// are written as %2F and %25.
std::string EscapeName(std::string_view name) {
  std::string text;
  for (const char character : name) {
    if (character == '/') {
      text += "%2F";
    } else if (character == '%') {
      text += "%25";
    } else {
      text += character;
    }
  }
  return text;
}

std::string UnescapeName(std::string_view text) {
  std::string name;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text.substr(at, 3) == std::string_view("%2F")) {
      name += '/';
      at += 2;
    } else if (text.substr(at, 3) == std::string_view("%25")) {
      name += '%';
      at += 2;
    } else {
      name += text[at];
    }
  }
  return name;
}

// The saved game's own keys, after the puzzle's have been taken.
Status TakeSavedKeys(Puz& puz, OptionString& options, const PlayTable& table) {
  if (auto rules = options.Take(kKeyCuttingRules)) {
    puz.cutting_rules = static_cast<std::int16_t>(OptionNumber(*rules));
  } else {
    // Games older than the key were all cut by the first rules.
    puz.cutting_rules = 0;
  }
  options.Take(kKeyVersion);
  if (auto size = options.Take(kKeyWindowSize)) {
    const std::size_t x = size->find_first_of("xX");
    const int width = OptionNumber(size->substr(0, x));
    const int height = x == std::string::npos ? 0 : OptionNumber(size->substr(x + 1));
    if (width > table.width() || height > table.height())
      return Status(kStatusWindowTooSmall, *size);
  }
  if (auto travel = options.Take(kKeyMouseTravel)) puz.mouse_travel = OptionNumber(*travel);
  while (auto item = options.Take(kKeyBoxName)) {
    const std::size_t comma = item->find(',');
    if (comma == std::string::npos) continue;
    const int index = OptionNumber(item->substr(0, comma));
    if (index < 0 || static_cast<std::size_t>(index) >= puz.boxes.size()) continue;
    PieceBox& box = puz.boxes[static_cast<std::size_t>(index)];
    const std::string name = UnescapeName(std::string_view(*item).substr(comma + 1));
    box.name = VString(std::string_view(name).substr(0, kBoxNameLength));
  }
  puz.game_flags = GameFlagsFromText(options.rest());
  return Status();
}

}  // namespace

std::string ComposeGameOptions(const Puz& puz, int table_width, int table_height) {
  std::string text = ComposeOptions(puz, OptionMode::kGame);
  AppendGameFlags(puz.game_flags, text);
  text += std::string("/") + kKeyVersion + std::to_string(kProgramVersion);
  text += std::string("/") + kKeyCuttingRules + std::to_string(puz.cutting_rules);
  text += std::string("/") + kKeyWindowSize + std::to_string(table_width) + "x" +
          std::to_string(table_height);
  text += std::string("/") + kKeyMouseTravel +
          std::to_string(static_cast<std::int32_t>(puz.mouse_travel));
  for (const PieceBox& box : puz.boxes) {
    if (box.name.empty()) continue;
    text += std::string("/") + kKeyBoxName + std::to_string(box.index) + "," +
            EscapeName(box.name.view());
  }
  return text;
}

SavedGame CaptureGame(const Puz& puz, const SaveDetails& details, const std::string& saved_path) {
  SavedGame game;
  game.title = details.title;
  const fs::path puzzle(puz.file_path.c_str());
  const fs::path folder = fs::path(saved_path).parent_path();
  std::error_code error;
  const bool beside = fs::equivalent(puzzle.parent_path().empty() ? "." : puzzle.parent_path(),
                                     folder.empty() ? "." : folder, error);
  game.puzzle = VString(beside ? puzzle.filename().string()
                               : fs::absolute(puzzle, error).lexically_normal().string());
  game.level = static_cast<std::uint8_t>(puz.level);
  if (puz.level == kCustomLevel) {
    game.custom_rows = puz.level_rows[kCustomLevel];
    game.custom_columns = puz.level_columns[kCustomLevel];
  }
  game.counters = details.counters;
  game.player = details.player;
  game.password = details.password;
  game.boxes = puz.boxes;
  game.options = VString(ComposeGameOptions(puz, details.table_width, details.table_height));
  game.seed = puz.game_seed;

  std::vector<SavedPiece> pieces;
  pieces.reserve(puz.cut.pieces.size());
  for (const SPuz& piece : puz.cut.pieces) {
    pieces.push_back({piece.board.x, piece.board.y, static_cast<std::uint8_t>(piece.rotation),
                      piece.joined_sides, piece.box, static_cast<std::uint8_t>(piece.flags)});
  }
  game.play_state = EncodePlayState(pieces, puz.cut.z_order);
  return game;
}

std::string SavedPuzzlePath(const SavedGame& game, const std::string& saved_path) {
  // Stored paths may use either separator.
  std::string named(game.puzzle.c_str());
  for (char& character : named) {
    if (character == '\\') character = '/';
  }
  const fs::path puzzle(named);
  if (puzzle.is_absolute()) return puzzle.string();
  return (fs::path(saved_path).parent_path() / puzzle).lexically_normal().string();
}

Status ReadSavedGameHeader(Thumb& thumb, bool load_thumbnail) {
  const std::string saved(thumb.file_path.view());
  SavedGame game;
  CBST_TRY(ReadSavedGame(saved.c_str(), game));
  thumb.SetFile(SavedPuzzlePath(game, saved).c_str());
  Status read = thumb.ReadPuzzleHeader(load_thumbnail);
  thumb.SetFile(saved.c_str());
  CBST_TRY(std::move(read));
  thumb.title = game.title;
  return Status();
}

Status SavedGameResumption::TakeGame(Puz& puz, const PlayTable& table) const {
  const DisplayFacts display = table.display();
  puz.saved_game_path = VString(saved_path_);
  puz.saved_title = game_.title;
  puz.player = game_.player;
  puz.password = game_.password;
  puz.game_seed = game_.seed;
  if (puz.level == kCustomLevel) {
    puz.level_rows[kCustomLevel] = game_.custom_rows;
    puz.level_columns[kCustomLevel] = game_.custom_columns;
    puz.size_flags |= kSizeCustomInUse;
  }
  puz.boxes = game_.boxes;
  const ScreenFacts screen{display.width, display.height,
                           display.Colours() >= 1 && display.Colours() <= 16};
  OptionString options(game_.options.view());
  CBST_TRY(ParseOptions(puz, OptionMode::kGame, options, screen));
  // The seed of the file, not one its option text may carry.
  puz.game_seed = game_.seed;
  return TakeSavedKeys(puz, options, table);
}

Status SavedGameResumption::PlacePieces(Puz& puz) const {
  std::vector<SavedPiece> pieces;
  std::vector<std::int16_t> z_order;
  Cut& cut = puz.cut;
  CBST_TRY(DecodePlayState(game_, static_cast<int>(cut.pieces.size()), pieces, z_order,
                           saved_path_.c_str()));
  for (PieceBox& box : puz.boxes)
    box.pieces = 0;
  for (std::size_t index = 0; index < pieces.size(); ++index) {
    const SavedPiece& saved = pieces[index];
    SPuz& piece = cut.pieces[index];
    piece.board.x = saved.x;
    piece.board.y = saved.y;
    piece.rotation = static_cast<std::int8_t>(saved.rotation);
    piece.joined_sides = saved.joined_sides;
    piece.flags = saved.flags;
    piece.box = saved.box < puz.boxes.size() ? saved.box : kOnTheBoard;
    if (piece.box != kOnTheBoard) ++puz.boxes[piece.box].pieces;
    if (piece.joined_sides != 0) puz.state |= kGameJoinedOrHelped;
  }
  // A game saved complete is resumed complete: nothing more is counted.
  if (std::all_of(cut.pieces.begin(), cut.pieces.end(), AllSidesJoined)) puz.state |= kGameSolved;
  cut.z_order = std::move(z_order);
  for (std::size_t depth = 0; depth < cut.z_order.size(); ++depth)
    cut.pieces[static_cast<std::size_t>(cut.z_order[depth])].depth =
        static_cast<std::int16_t>(depth);
  return Status();
}

OpenRequest SavedGameResumption::Request(const SheetChoices& sheets, bool cache_allowed) const {
  OpenRequest request;
  request.path = VString(SavedPuzzlePath(game_, saved_path_));
  request.level = game_.level;
  request.cache_allowed = cache_allowed;
  request.sheets = sheets;
  request.resume = this;
  return request;
}

}  // namespace cbst
