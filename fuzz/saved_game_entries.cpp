// saved_game_entries.cpp: the fuzz entry for saved games: the file read as
// the game reads it and, when it reads, the game resumed on a small table
// from a small puzzle of its own, painted, and captured again.
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "play/saved_game.h"
#include "play/saved_game_state.h"
#include "play/virtual_table.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/puzzle_writer.h"

namespace cbst::fuzz {
namespace {

constexpr int kTableWidth = 320;
constexpr int kTableHeight = 240;
// The puzzle every input resumes: a 64 x 48 picture, cut 2 x 2 or 3 x 3,
// or any custom size the input names.
constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 48;

const std::string& SmallPuzzle() {
  static const std::string path = [] {
    const std::string file = WorkspaceFolder() + "/small.puz";
    Dib picture(kPictureWidth, kPictureHeight, 24);
    for (int y = 0; y < kPictureHeight; ++y) {
      std::uint8_t* pixel = picture.row(y);
      for (int x = 0; x < kPictureWidth; ++x, pixel += 3) {
        pixel[0] = static_cast<std::uint8_t>(x * 4);
        pixel[1] = static_cast<std::uint8_t>(y * 5);
        pixel[2] = static_cast<std::uint8_t>((x + y) * 2);
      }
    }
    Puz puz;
    puz.title = "Small";
    puz.level_rows = {2, 3};
    puz.level_columns = {2, 3};
    puz.state = kStateOwnLevels;
    WritePuzzleFile(puz, file.c_str(), nullptr, {&picture, nullptr}, nullptr).MarkHandled();
    return file;
  }();
  return path;
}

}  // namespace

int FuzzSavedGame(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  const std::string saved = WriteInput("input.sav", data, size);
  SavedGame game;
  const Status read = ReadSavedGame(saved.c_str(), game);
  read.MarkHandled();
  if (read.failed()) return 0;
  game.puzzle = VString(SmallPuzzle());
  const SavedGameResumption resumption(game, saved);
  Puz puz;
  VirtualTable table(puz, kTableWidth, kTableHeight);
  const Status opened = OpenPuzzleForPlay(puz, resumption.Request({}, false), table);
  opened.MarkHandled();
  if (opened.failed()) return 0;
  table.PaintAll();
  const SavedGame again = CaptureGame(puz, {}, saved);
  std::vector<SavedPiece> pieces;
  std::vector<std::int16_t> z_order;
  const Status decoded =
      DecodePlayState(again, static_cast<int>(puz.cut.pieces.size()), pieces, z_order, "again");
  decoded.MarkHandled();
  Require(decoded.ok(), "a resumed game does not save pieces it can read back");
  return 0;
}

}  // namespace cbst::fuzz
