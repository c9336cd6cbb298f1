// saved_game_test.cpp: saved games, from their bytes to a resumed board.
#include "play/saved_game.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "base/status_codes.h"
#include "play/board_codes.h"
#include "play/game_flags.h"
#include "play/random_play.h"
#include "play/saved_game_state.h"
#include "play/virtual_table.h"
#include "puzzle/puzzle_writer.h"
#include "support/failing_file.h"
#include "support/file_text.h"
#include "support/synthetic_photo.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;

constexpr int kTableWidth = 1280;
constexpr int kTableHeight = 800;

fs::path Golden() {
  return fs::path(CBST_TEST_DATA) / "golden.sav";
}

using testing::FailingFile;

TEST(SavedGameFile, TheGoldenGameReadsFieldByField) {
  SavedGame game;
  ASSERT_EQ(ReadSavedGame(Golden().c_str(), game).code(), 0);
  EXPECT_EQ(game.title, "Harbour-12");
  EXPECT_EQ(game.puzzle, "harbour.puz");
  EXPECT_EQ(game.level, kCustomLevel);
  EXPECT_EQ(game.custom_rows, 3);
  EXPECT_EQ(game.custom_columns, 4);
  EXPECT_EQ(game.player, "Ana");
  EXPECT_EQ(game.password, "pw");
  // Three helps without credited sides: an older file, one and a half each.
  const ScoreCounts counts = game.counters;
  EXPECT_EQ(counts.joined_sides, 6);
  EXPECT_EQ(counts.elapsed, 12345);
  EXPECT_EQ(counts.helps, 3);
  EXPECT_EQ(counts.helped_sides, 4);
  EXPECT_EQ(counts.moves, 20);
  ASSERT_EQ(game.boxes.size(), 2u);
  EXPECT_EQ(game.boxes[1].open, (Rect16{56, 56, 400, 300}));
  EXPECT_EQ(game.boxes[1].closed_x, 1830);
  EXPECT_EQ(game.boxes[1].flags, kBoxMaximised);
  EXPECT_EQ(game.boxes[1].colour, 0x008000u);
  EXPECT_EQ(game.seed, 77u);

  std::vector<SavedPiece> pieces;
  std::vector<std::int16_t> z_order;
  ASSERT_EQ(DecodePlayState(game, 12, pieces, z_order, "golden").code(), 0);
  EXPECT_EQ(pieces[3], (SavedPiece{130, 203, 3, 0, kOnTheBoard, 0}));
  EXPECT_EQ(pieces[7].box, 7);
  EXPECT_EQ(z_order.front(), 11);
  // Another piece count does not fit the file.
  EXPECT_EQ(DecodePlayState(game, 13, pieces, z_order, "golden").code(), kStatusNotReadable);
  EXPECT_EQ(DecodePlayState(game, 11, pieces, z_order, "golden").code(), kStatusNotReadable);

  // Written again, the file is the same but for the credited sides.
  std::vector<std::uint8_t> bytes = FileBytes(Golden());
  game.counters.helped_sides = 0;
  EXPECT_EQ(EncodeSavedGame(game), bytes);
}

TEST(SavedGameFile, DamagedFilesAreRefusedAndNothingIsTaken) {
  const std::vector<std::uint8_t> bytes = FileBytes(Golden());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + length);
    SavedGame game;
    game.title = "untouched";
    const Status header = DecodeSavedGame(cut, game, "cut");
    if (header.code() != 0) {
      EXPECT_EQ(header.code(), kStatusNotReadable) << length;
      EXPECT_EQ(game.title, "untouched") << length;
      continue;
    }
    std::vector<SavedPiece> pieces;
    std::vector<std::int16_t> z_order;
    EXPECT_EQ(DecodePlayState(game, 12, pieces, z_order, "cut").code(), kStatusNotReadable)
        << length;
  }
  // A title that claims more bytes than the file has.
  std::vector<std::uint8_t> huge = bytes;
  huge[0] = 0xFF;
  huge[1] = 0xFF;
  SavedGame game;
  EXPECT_EQ(DecodeSavedGame(huge, game, "huge").code(), kStatusNotReadable);
  // A z-order that names a piece twice.
  std::vector<std::uint8_t> twice = bytes;
  twice[twice.size() - 2] = 11;
  ASSERT_EQ(DecodeSavedGame(twice, game, "twice").code(), 0);
  std::vector<SavedPiece> pieces;
  std::vector<std::int16_t> z_order;
  EXPECT_EQ(DecodePlayState(game, 12, pieces, z_order, "twice").code(), kStatusNotReadable);
}

TEST(SavedGameFile, ASaveThatFailsAtAnyByteLeavesTheOldFile) {
  const fs::path directory =
      fs::temp_directory_path() / ("cbst-save-" + std::to_string(::getpid()));
  fs::create_directories(directory);
  const fs::path target = directory / "game.sav";
  fs::copy_file(Golden(), target);
  const std::vector<std::uint8_t> old = FileBytes(target);

  SavedGame changed;
  ASSERT_EQ(ReadSavedGame(target.c_str(), changed).code(), 0);
  changed.title = "Another name for it";
  const auto size = static_cast<std::int32_t>(EncodeSavedGame(changed).size());
  for (std::int32_t budget = 0; budget < size; ++budget) {
    FailingFile failing(budget);
    EXPECT_EQ(StoreSavedGame(target.c_str(), changed, &failing).code(), kStatusWriteFailed);
    ASSERT_EQ(FileBytes(target), old) << budget;
  }
  // Nothing is left behind, and a save that goes through replaces the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
  FailingFile enough(size);
  ASSERT_EQ(StoreSavedGame(target.c_str(), changed, &enough).code(), 0);
  EXPECT_EQ(FileBytes(target), EncodeSavedGame(changed));
  fs::remove_all(directory);
}

// A file on a slow disk: its first write takes longer than the player
// waits unwarned; it notes whether the wait cursor was up at each write.
class SlowFile final : public File {
 public:
  Status Write(std::int32_t count, const void* data) override {
    cursor_up.push_back(QGuiApplication::overrideCursor() != nullptr);
    if (cursor_up.size() == 1) std::this_thread::sleep_for(kSaveBusyDelay + kSaveBusyDelay / 4);
    return File::Write(count, data);
  }
  std::vector<bool> cursor_up;
};

TEST(SavedGameFile, ASlowSaveShowsTheWaitCursorUntilItIsDone) {
  const fs::path target =
      fs::temp_directory_path() / ("cbst-slow-save-" + std::to_string(::getpid()) + ".sav");
  SavedGame game;
  ASSERT_EQ(ReadSavedGame(Golden().c_str(), game).code(), 0);
  game.play_state.resize(3 * kSavedPieceBuffer);
  SlowFile slow;
  ASSERT_EQ(StoreSavedGame(target.c_str(), game, &slow).code(), 0);
  EXPECT_EQ(slow.cursor_up, (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  fs::remove(target);
}

// Games of a real puzzle: saved after random play and resumed on a new table.
class SavedGameRoundTrip : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() {
    directory_ = fs::temp_directory_path() / ("cbst-resume-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    Puz puz;
    puz.title = "Harbour";
    puz.level_rows = {3, 6, 9};
    puz.level_columns = {4, 8, 12};
    puz.background = 0x204060;
    puz.state = kStateOwnLevels;
    const Dib photo = testing::SyntheticPhoto(720, 540);
    ASSERT_EQ(WritePuzzleFile(puz, Puzzle().c_str(), nullptr, {&photo, nullptr}, nullptr).code(),
              0);
  }
  static void TearDownTestSuite() { fs::remove_all(directory_); }
  static fs::path Puzzle() { return directory_ / "harbour.puz"; }

  static Status Resume(Puz& puz, VirtualTable& table, const fs::path& saved) {
    SavedGame game;
    CBST_TRY(ReadSavedGame(saved.c_str(), game));
    const SavedGameResumption resumption(game, saved.string());
    return OpenPuzzleForPlay(puz, resumption.Request({}, false), table);
  }

  static fs::path directory_;
};

fs::path SavedGameRoundTrip::directory_;

TEST_P(SavedGameRoundTrip, AResumedGameIsTheGameThatWasSaved) {
  const int seed = GetParam();
  Puz played;
  VirtualTable table(played, kTableWidth, kTableHeight);
  table.set_custom_size(5, 7);
  OpenRequest request;
  request.path = Puzzle().c_str();
  request.level = seed % 4;  // three levels and the custom size
  request.game_seed = static_cast<std::uint32_t>(seed * 7919);
  request.game_flags = kGameAutoSave;
  ASSERT_EQ(OpenPuzzleForPlay(played, request, table).code(), 0);
  Board& board = table.board();
  PlayByChance(board, table.Surface(kTableWindow),
               {.drags = 40, .helps = 3, .seed = static_cast<std::uint32_t>(seed)});
  board.MoveToWindow(1, 2, 20, 20);
  board.Rotate(board.piece_count() - 1, nullptr, 1);
  board.Pin(0);
  played.boxes[2].name = "Edges/sky";

  const fs::path saved = directory_ / ("game" + std::to_string(seed) + ".sav");
  const SaveDetails details{"Harbour game",       "Ana",       "",
                            {65000, 3, 6, 8, 41}, kTableWidth, kTableHeight};
  const SavedGame game = CaptureGame(played, details, saved.string());
  EXPECT_EQ(game.puzzle, "harbour.puz");
  ASSERT_EQ(StoreSavedGame(saved.c_str(), game).code(), 0);

  Puz resumed;
  VirtualTable again(resumed, kTableWidth, kTableHeight);
  ASSERT_EQ(Resume(resumed, again, saved).code(), 0);
  ASSERT_EQ(resumed.cut.pieces.size(), played.cut.pieces.size());
  for (std::size_t index = 0; index < played.cut.pieces.size(); ++index) {
    const SPuz& before = played.cut.pieces[index];
    const SPuz& after = resumed.cut.pieces[index];
    EXPECT_EQ(after.board, before.board) << index;
    EXPECT_EQ(after.window, before.window) << index;
    EXPECT_EQ(after.rotation, before.rotation) << index;
    EXPECT_EQ(after.joined_sides, before.joined_sides) << index;
    EXPECT_EQ(after.box, before.box) << index;
    EXPECT_EQ(after.flags & 0xFF, before.flags & 0xFF) << index;
    EXPECT_EQ(after.depth, before.depth) << index;
    EXPECT_EQ(after.cell, before.cell) << index;
  }
  // The same draws cut the same tabs.
  EXPECT_EQ(resumed.cut.tabs, played.cut.tabs);
  EXPECT_EQ(resumed.cut.z_order, played.cut.z_order);
  EXPECT_EQ(resumed.game_flags, kGameAutoSave);
  EXPECT_EQ(resumed.boxes[2].name, "Edges/sky");
  const auto in_box = std::count_if(played.cut.pieces.begin(), played.cut.pieces.end(),
                                    [](const SPuz& piece) { return piece.box == 2; });
  EXPECT_GT(in_box, 0);
  EXPECT_EQ(resumed.boxes[2].pieces, in_box);
  EXPECT_EQ(resumed.level, played.level);
  EXPECT_NE(played.state & kGameJoinedOrHelped, 0u);
  EXPECT_NE(resumed.state & kGameJoinedOrHelped, 0u);

  // Saved again, the resumed game is the same file.
  EXPECT_EQ(EncodeSavedGame(CaptureGame(resumed, details, saved.string())), EncodeSavedGame(game));
}

INSTANTIATE_TEST_SUITE_P(Seeds, SavedGameRoundTrip, ::testing::Range(1, 9));

TEST_F(SavedGameRoundTrip, TheGoldenGameResumesWithItsBoxesNamesAndSwitches) {
  const fs::path saved = directory_ / "golden.sav";
  fs::copy_file(Golden(), saved, fs::copy_options::overwrite_existing);
  Puz puz;
  VirtualTable table(puz, 1920, 1080);
  ASSERT_EQ(Resume(puz, table, saved).code(), 0);
  ASSERT_EQ(puz.cut.pieces.size(), 12u);
  EXPECT_EQ(puz.level_rows[kCustomLevel], 3);
  // Box 7 of a game with two boxes: the piece lies on the table.
  EXPECT_EQ(puz.cut.pieces[7].box, kOnTheBoard);
  EXPECT_EQ(puz.cut.pieces[5].box, 1);
  EXPECT_EQ(puz.boxes[1].pieces, 1);
  EXPECT_EQ(puz.boxes[1].name, "Odds / ends");
  EXPECT_EQ(puz.game_flags, kGameAutoSave);
  EXPECT_EQ(puz.cut.pieces[3].board.x, 130);
  EXPECT_EQ(puz.cut.pieces[3].rotation, 3);
  EXPECT_EQ(puz.cut.z_order.front(), 11);
  EXPECT_EQ(puz.cut.pieces[11].depth, 0);
  EXPECT_NE(puz.state & kGameJoinedOrHelped, 0u);
  EXPECT_EQ(puz.saved_game_path, saved.c_str());

  // A game saved in a larger window than this one does not open.
  Puz small;
  VirtualTable narrow(small, 800, 600);
  EXPECT_EQ(Resume(small, narrow, saved).code(), kStatusWindowTooSmall);
  // Nor does one whose puzzle is gone; the game on the table stays.
  fs::rename(Puzzle(), directory_ / "moved.puz");
  EXPECT_EQ(Resume(puz, table, saved).code(), kStatusOpenFailed);
  EXPECT_EQ(puz.cut.pieces.size(), 12u);
  fs::rename(directory_ / "moved.puz", Puzzle());
}

}  // namespace
}  // namespace cbst
