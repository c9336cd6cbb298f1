// ranking_file_test.cpp: ranking files, from their names and bytes to what
// loading and saving keep.
#include "scores/ranking_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/status_codes.h"
#include "support/failing_file.h"
#include "support/file_text.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::WriteFileBytes;

using testing::FailingFile;

RankingEntry Entry(const char* game, std::int32_t score, const char* player = "Ana") {
  RankingEntry entry;
  entry.game = VString(game);
  entry.player = VString(player);
  entry.score = score;
  entry.time = 61200;
  entry.helps = 2;
  entry.solved = 48;
  entry.moves = 130;
  return entry;
}

std::vector<std::string> Games(const std::vector<RankingEntry>& entries) {
  std::vector<std::string> games;
  for (const RankingEntry& entry : entries)
    games.push_back(entry.game.str());
  return games;
}

// Two entries, written out by hand: "CSRRBOF", count 2, then for each the
// game, the reserved text, the player, score, time, helps, moves, solved.
const std::vector<std::uint8_t> kTwoEntries = {
    'C', 'S', 'R', 'R', 'B', 'O', 'F', 2, 0,
    // game "g1", reserved "xy" (ignored), player "Bo"
    2, 0, 'g', '1', 2, 0, 'x', 'y', 2, 0, 'B', 'o',
    // score 70000, time 123400, helps 3, moves 517, solved 60
    0x70, 0x11, 0x01, 0x00, 0x08, 0xE2, 0x01, 0x00, 3, 0, 0x05, 0x02, 60, 0,
    // game "*R*", reserved "", player "", score -5, time 0, helps 0, moves 1, solved 2
    3, 0, '*', 'R', '*', 0, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 'C', 'S',
    'R', 'R', 'E', 'O', 'F'};

class RankingFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("cbst-ranking-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  Ranking Tiger(std::int32_t level = 3, std::uint32_t flags = 0) const {
    Ranking ranking;
    ranking.puzzle = VString((directory_ / "tiger.puz").string());
    ranking.level = level;
    ranking.flags = flags;
    return ranking;
  }
  fs::path FileOf(const Ranking& ranking) const {
    return RankingFileName(ranking.puzzle.c_str(), ranking.level, ranking.flags).str();
  }
  void Touch(const fs::path& path) const { WriteFileBytes(path, {1}); }

  fs::path directory_;
};

TEST_F(RankingFiles, EachLevelAndVariantHasItsOwnFileInAScoresFolderBesideThePuzzle) {
  const fs::path folder = directory_ / "scores";
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(FileOf(Tiger(3, kRankingNoRotation)), folder / "tiger.3R");
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(FileOf(Tiger(3)), folder / "tiger.3");
  EXPECT_EQ(FileOf(Tiger(12, kRankingMosaic)), folder / "tiger.12M");
  EXPECT_EQ(FileOf(Tiger(0, kRankingNoRotation | kRankingMosaic)), folder / "tiger.0RM");

  // Saving the rotating ranking leaves the other one alone.
  Ranking turning = Tiger(3);
  turning.entries = {Entry("a", 10)};
  ASSERT_EQ(SaveRanking(turning).code(), 0);
  Ranking fixed = Tiger(3, kRankingNoRotation);
  LoadRanking(fixed);
  EXPECT_TRUE(fixed.entries.empty());
  Ranking again = Tiger(3);
  LoadRanking(again);
  EXPECT_EQ(again.entries, turning.entries);
}

TEST_F(RankingFiles, APuzzleWhoseScoresFolderCannotBeMadeHasNoRankingFile) {
  // A plain file where the folder would go.
  Touch(directory_ / "scores");
  Ranking ranking = Tiger();
  EXPECT_TRUE(RankingFileName(ranking.puzzle.c_str(), 3, 0).empty());
  ranking.entries = {Entry("a", 10)};
  EXPECT_EQ(SaveRanking(ranking).code(), 0);
  LoadRanking(ranking);
  EXPECT_EQ(ranking.entries.size(), 1u);
  EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 1);
}

TEST_F(RankingFiles, AHandWrittenFileReadsFieldByFieldAndWritesBackTheSame) {
  std::vector<RankingEntry> entries;
  ASSERT_EQ(DecodeRankingEntries(kTwoEntries, entries), RankingRead::kRead);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].game, "g1");
  EXPECT_TRUE(entries[0].reserved.empty());
  EXPECT_EQ(entries[0].player, "Bo");
  EXPECT_EQ(entries[0].score, 70000);
  EXPECT_EQ(entries[0].time, 123400);
  EXPECT_EQ(entries[0].helps, 3);
  EXPECT_EQ(entries[0].moves, 517);
  EXPECT_EQ(entries[0].solved, 60);
  EXPECT_EQ(entries[1].game, kReservedGameName);
  EXPECT_EQ(entries[1].score, -5);
  EXPECT_EQ(entries[1].moves, 1);
  EXPECT_EQ(entries[1].solved, 2);

  // The reserved text goes out empty.
  std::vector<std::uint8_t> expected = kTwoEntries;
  expected.erase(expected.begin() + 15, expected.begin() + 17);
  expected[13] = 0;
  EXPECT_EQ(EncodeRankingEntries(entries), expected);
}

TEST_F(RankingFiles, SixteenEntriesSaveTheFifteenBestThatHaveANameAndCountThem) {
  Ranking ranking = Tiger();
  for (int index = 0; index < kRankingStoredEntries; ++index)
    ranking.entries.push_back(Entry(("g" + std::to_string(index)).c_str(), 1000 - index * 10));
  ASSERT_EQ(SaveRanking(ranking).code(), 0);
  LoadRanking(ranking);
  ASSERT_EQ(ranking.entries.size(), 15u);

  // The game in progress, unsaved, ranks third: it is not written, and the
  // fifteen named games are.
  PlaceCurrentGame(ranking, Entry("", 0));
  Reposition(ranking, 985);
  ASSERT_EQ(ranking.current, 2);
  ASSERT_EQ(SaveRanking(ranking).code(), 0);
  const std::vector<std::uint8_t> bytes = FileBytes(FileOf(ranking));
  EXPECT_EQ(bytes[7] | bytes[8] << 8, 15);
  Ranking read = Tiger();
  LoadRanking(read);
  EXPECT_EQ(read.entries.size(), 15u);
  EXPECT_EQ(read.entries.back().game, "g14");

  // Named, it pushes the last one out, and the count still says 15.
  NameCurrentEntry(ranking, VString("mine"));
  ASSERT_EQ(SaveRanking(ranking).code(), 0);
  const std::vector<std::uint8_t> named = FileBytes(FileOf(ranking));
  EXPECT_EQ(named[7] | named[8] << 8, 15);
  LoadRanking(read);
  ASSERT_EQ(read.entries.size(), 15u);
  EXPECT_EQ(read.entries[2].game, "mine");
  EXPECT_EQ(read.entries.back().game, "g13");
}

TEST_F(RankingFiles, EqualScoresKeepTheirOrderThroughLoadingSortingAndSaving) {
  Ranking ranking = Tiger();
  // Out of order on disk: loading sorts, ties stay as the file had them.
  ranking.entries = {Entry("a", 5), Entry("b", 9), Entry("c", 5),
                     Entry("d", 9), Entry("e", 7), Entry("f", 5)};
  WriteFileBytes(FileOf(ranking), EncodeRankingEntries(ranking.entries));
  Ranking read = Tiger();
  LoadRanking(read);
  const std::vector<std::string> sorted = {"b", "d", "e", "a", "c", "f"};
  EXPECT_EQ(Games(read.entries), sorted);
  ASSERT_EQ(SaveRanking(read).code(), 0);
  Ranking again = Tiger();
  LoadRanking(again);
  EXPECT_EQ(Games(again.entries), sorted);
}

TEST_F(RankingFiles, GamesWhoseSavedFileIsGoneLeaveOnlyTheOpenPuzzlesRanking) {
  Ranking ranking = Tiger();
  ranking.entries = {Entry("kept", 30), Entry("gone", 20), Entry(kReservedGameName, 10),
                     Entry("elsewhere", 5)};
  ASSERT_EQ(SaveRanking(ranking).code(), 0);
  Touch(directory_ / "kept.sav");
  const fs::path saves = directory_ / "saves";
  fs::create_directories(saves);
  Touch(saves / "elsewhere.sav");

  Ranking viewed = Tiger();
  LoadRanking(viewed);
  EXPECT_EQ(viewed.entries.size(), 4u);

  // Beside the puzzle, when the game names no folder of its own.
  Ranking played = Tiger();
  LoadRanking(played, {true, VString()});
  EXPECT_EQ(Games(played.entries), (std::vector<std::string>{"kept", kReservedGameName}));
  LoadRanking(played, {true, VString(saves.string())});
  EXPECT_EQ(Games(played.entries), (std::vector<std::string>{kReservedGameName, "elsewhere"}));
}

TEST_F(RankingFiles, ADamagedFileIsAnEmptyRankingWhereverItIsCut) {
  Ranking ranking = Tiger();
  const fs::path file = FileOf(ranking);
  const std::vector<RankingEntry> before = {Entry("old", 1)};
  for (std::size_t size = 0; size < kTwoEntries.size(); ++size) {
    WriteFileBytes(file, {kTwoEntries.begin(), kTwoEntries.begin() + static_cast<long>(size)});
    ranking.entries = before;
    ranking.current = 0;
    LoadRanking(ranking);
    // Without its whole first mark the file is not read at all.
    if (size < static_cast<std::size_t>(kRankingMarkBytes)) {
      EXPECT_EQ(ranking.entries, before) << size;
    } else {
      EXPECT_TRUE(ranking.entries.empty()) << size;
      EXPECT_EQ(ranking.current, kNoCurrentEntry) << size;
    }
  }
  // A wrong last mark, and counts a ranking file never holds.
  std::vector<std::uint8_t> bytes = kTwoEntries;
  bytes.back() = 'G';
  std::vector<RankingEntry> entries;
  EXPECT_EQ(DecodeRankingEntries(bytes, entries), RankingRead::kDamaged);
  for (const std::uint8_t count_high : {0xFF, 0x7F}) {
    bytes = kTwoEntries;
    bytes[8] = count_high;
    EXPECT_EQ(DecodeRankingEntries(bytes, entries), RankingRead::kDamaged);
  }
  bytes = kTwoEntries;
  bytes[0] = 'c';
  EXPECT_EQ(DecodeRankingEntries(bytes, entries), RankingRead::kNotRanking);
  EXPECT_TRUE(entries.empty());
  // The file itself is never touched by reading it.
  WriteFileBytes(file, bytes);
  LoadRanking(ranking);
  EXPECT_EQ(FileBytes(file), bytes);
}

TEST_F(RankingFiles, ASaveThatFailsAtAnyByteLeavesTheOldFileAsItWas) {
  Ranking ranking = Tiger();
  const fs::path file = FileOf(ranking);
  WriteFileBytes(file, kTwoEntries);
  ranking.entries = {Entry("new", 40), Entry("other", 30, "Somebody Else")};
  const auto size = static_cast<std::int32_t>(EncodeRankingEntries(ranking.entries).size());
  for (std::int32_t budget = 0; budget < size; ++budget) {
    FailingFile failing(budget);
    EXPECT_EQ(SaveRanking(ranking, &failing).code(), kStatusWriteFailed);
    ASSERT_EQ(FileBytes(file), kTwoEntries) << budget;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
  FailingFile enough(size);
  ASSERT_EQ(SaveRanking(ranking, &enough).code(), 0);
  EXPECT_EQ(FileBytes(file), EncodeRankingEntries(ranking.entries));
}

}  // namespace
}  // namespace cbst
