// ranking_text_test.cpp: a ranking as text and back, and text that is none.
#include "scores/ranking_text.h"

#include <gtest/gtest.h>

#include <string>

namespace cbst {
namespace {

RankingEntry Game(const char* player, std::int32_t score, std::int32_t time) {
  RankingEntry entry;
  entry.game = VString("saved");
  entry.player = VString(player);
  entry.score = score;
  entry.time = time;
  entry.helps = 1;
  entry.solved = 40;
  entry.moves = 123;
  return entry;
}

RankingText Tiger() {
  RankingText ranking;
  ranking.puzzle = VString("Tiger, the big one");
  ranking.level = 3;
  ranking.rows = 9;
  ranking.columns = 12;
  ranking.flags = kRankingNoRotation | kRankingMosaic;
  ranking.entries = {Game("Jos\xE9; the first", 52500, 550000), Game("Ana", -120, 61200)};
  return ranking;
}

TEST(RankingTexts, ARankingIsWrittenLineByLineAndReadsBackAsGamesOfNoSavedGame) {
  const std::string text = MakeRankingText(Tiger()).str();
  EXPECT_EQ(text,
            "Ranking for Tiger, the big one, level 3, 12x9,NoRotable,Mosaic\r\n"
            "BOR{\r\n"
            "52500;00:09:10.0;40;123;1;Jos\xE9; the first\r\n"
            "-120;00:01:01.2;40;123;1;Ana\r\n"
            "}EOR\r\n");
  const std::optional<RankingText> read = ParseRankingText("Here it is:\n" + text);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->puzzle, "Tiger, the big one");
  EXPECT_EQ(read->level, 3);
  EXPECT_EQ(read->rows, 9);
  EXPECT_EQ(read->columns, 12);
  EXPECT_EQ(read->flags, kRankingNoRotation | kRankingMosaic);
  std::vector<RankingEntry> expected = Tiger().entries;
  for (RankingEntry& entry : expected)
    entry.game = VString(kReservedGameName);
  EXPECT_EQ(read->entries, expected);
}

TEST(RankingTexts, AtMostFifteenGamesAreTakenUpToTheEndMark) {
  RankingText many = Tiger();
  many.entries.clear();
  for (int index = 0; index < 20; ++index)
    many.entries.push_back(Game("P", 1000 - index, 1000));
  const std::string written = MakeRankingText(many).str();
  std::optional<RankingText> read = ParseRankingText(written);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->entries.size(), 15u);

  // Lines past the end mark, or that are no games, are passed over; so are
  // lines past the fifteenth.
  std::string text = "Ranking for T, level 0, 2x2\nBOR{\nnot a game\n";
  for (int index = 0; index < 17; ++index)
    text += std::to_string(index) + ";00:00:01.0;1;2;3;P\n";
  read = ParseRankingText(text + "}EOR\n");
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->entries.size(), 15u);
  EXPECT_EQ(read->entries.back().score, 14);
  read = ParseRankingText(
      "Ranking for T, level 0, 2x2\nBOR{\n5;00:00:01.0;1;2;3;P\n}EOR\n"
      "6;00:00:01.0;1;2;3;Q\n");
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->entries.size(), 1u);
}

TEST(RankingTexts, TextWithoutTitleOrStartIsNoRanking) {
  const std::string text = MakeRankingText(Tiger()).str();
  for (const std::string& refused :
       {std::string(""), text.substr(text.find("BOR{")),
        std::string("Ranking for Tiger, level 3, 12x9\r\n52500;00:09:10.0;40;123;1;A\r\n}EOR\r\n"),
        std::string("Ranking for Tiger 3 12x9\r\nBOR{\r\n}EOR\r\n")})
    EXPECT_FALSE(ParseRankingText(refused).has_value()) << refused;
}

}  // namespace
}  // namespace cbst
