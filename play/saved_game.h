// saved_game.h: SavedGame, a game in progress as its ".sav" file holds it.
//
// A saved game holds no picture and no cut: it names its puzzle file and the
// seed that cuts the same pieces again, then the play state of every piece,
// the boxes and the score's counters. The file is a plain little-endian byte
// stream with no magic; texts are a 16-bit length and their bytes.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "base/file.h"
#include "base/status.h"
#include "base/vstring.h"
#include "play/game_score.h"
#include "puzzle/piece_box.h"
#include "puzzle/puz.h"

namespace cbst {

inline constexpr char kSavedGameExtension[] = "sav";
// What the save-as dialog lets the player type.
inline constexpr int kSavedTitleLength = 32;
inline constexpr int kSavedPlayerLength = 30;
inline constexpr int kSavedPasswordLength = 12;
// Bytes a box and a piece take in the file.
inline constexpr int kSavedBoxBytes = 17;
inline constexpr int kSavedPieceBytes = 8;
// The piece records go out through a buffer of this size.
inline constexpr int kSavedPieceBuffer = 4096;
// Writing that lasts longer than this shows the wait cursor.
inline constexpr std::chrono::milliseconds kSaveBusyDelay{400};
// Games saved before help costs were kept with the helps: each help is
// taken to have joined one and a half sides.
inline constexpr int kOldHelpSidesNumerator = 3;
inline constexpr int kOldHelpSidesDenominator = 2;

// A saved box keeps only what the file holds: its rectangles, its flags and
// its colour. (Its name travels in the option text.)
inline constexpr std::uint8_t kSavedBoxFlags = kBoxClosed | kBoxMaximised;

struct SavedPiece {
  std::int16_t x = 0;  // board position
  std::int16_t y = 0;
  std::uint8_t rotation = 0;
  std::uint8_t joined_sides = 0;
  std::uint8_t box = 0;    // 255: on the table
  std::uint8_t flags = 0;  // the low byte of the piece's flags

  bool operator==(const SavedPiece&) const = default;
};

struct SavedGame {
  VString title;
  VString puzzle;  // the puzzle file's path, as written
  std::uint8_t level = 0;
  std::int16_t custom_rows = 0;  // level kCustomLevel only
  std::int16_t custom_columns = 0;
  ScoreCounts counters;
  VString player;
  VString password;
  std::vector<PieceBox> boxes;
  VString options;  // the game's option text
  std::uint32_t seed = 0;
  // What follows the seed: the pieces and the z-order. Their number comes
  // from the puzzle and the cut, so they are decoded once the pieces exist.
  std::vector<std::uint8_t> play_state;
};

// Reads a whole saved game. A file that ends early or holds a level or a
// box the game cannot have gives status 20 with the file's name; a file
// that does not open gives status 12.
Status ReadSavedGame(const char* path, SavedGame& game);
// The same from the bytes of a file already read.
Status DecodeSavedGame(const std::vector<std::uint8_t>& bytes, SavedGame& game, const char* name);

// The pieces and z-order of a game of `piece_count` pieces from
// `game.play_state`: too few bytes, a rotation beyond three quarter turns
// or a z-order that is not every piece once gives status 20 with `name`.
Status DecodePlayState(const SavedGame& game, int piece_count, std::vector<SavedPiece>& pieces,
                       std::vector<std::int16_t>& z_order, const char* name);
std::vector<std::uint8_t> EncodePlayState(const std::vector<SavedPiece>& pieces,
                                          const std::vector<std::int16_t>& z_order);

// The bytes of the whole file.
std::vector<std::uint8_t> EncodeSavedGame(const SavedGame& game);

// Writes `game` to `path` without ever leaving a half-written file: the
// bytes go to a temporary file beside it, which replaces the old one only
// once it is whole. Any failure leaves the old file as it was. `stream`,
// when given, is the file object written through (tests pass one that
// fails); it is pointed at the temporary file.
Status StoreSavedGame(const char* path, const SavedGame& game, File* stream = nullptr);

}  // namespace cbst
