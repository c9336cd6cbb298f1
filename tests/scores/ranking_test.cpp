// ranking_test.cpp: the order of a ranking and the moves of the game in
// progress within it.
#include "scores/ranking.h"

#include <gtest/gtest.h>

namespace cbst {
namespace {

Ranking Of(std::initializer_list<std::pair<const char*, std::int32_t>> games) {
  Ranking ranking;
  for (const auto& [game, score] : games) {
    RankingEntry entry;
    entry.game = VString(game);
    entry.score = score;
    ranking.entries.push_back(entry);
  }
  return ranking;
}

std::vector<std::string> Games(const Ranking& ranking) {
  std::vector<std::string> games;
  for (const RankingEntry& entry : ranking.entries)
    games.push_back(entry.game.str());
  return games;
}

RankingEntry Game(const char* name, std::int32_t score = 0) {
  RankingEntry entry;
  entry.game = VString(name);
  entry.score = score;
  entry.player = VString("Ana");
  return entry;
}

TEST(RankingOrder, SortingPutsHigherScoresFirstAndKeepsTiesInTheirOrder) {
  Ranking ranking = Of({{"a", 1}, {"b", 3}, {"c", 2}, {"d", 3}, {"e", 1}, {"f", 4}, {"g", -2}});
  SortRankingEntries(ranking.entries);
  EXPECT_EQ(Games(ranking), (std::vector<std::string>{"f", "b", "d", "c", "a", "e", "g"}));
}

TEST(RankingOrder, TheGameInProgressFindsItsSavedEntryOrGetsANewOne) {
  Ranking ranking = Of({{kReservedGameName, 50}, {"mine", 40}, {"other", 30}});
  EXPECT_EQ(PlaceCurrentGame(ranking, Game("mine")), 1);
  EXPECT_EQ(ranking.entries.size(), 3u);
  // A reserved entry is never the game, even under its name.
  EXPECT_EQ(PlaceCurrentGame(ranking, Game(kReservedGameName, 7)), 3);
  ASSERT_EQ(ranking.entries.size(), 4u);
  EXPECT_EQ(ranking.entries[3].score, 7);
  EXPECT_EQ(ranking.entries[3].player, "Ana");
  // Names compare exactly.
  EXPECT_EQ(PlaceCurrentGame(ranking, Game("Mine")), 4);
}

TEST(RankingOrder, RepositioningClimbsPastLowerScoresAndSinksBelowEqualOnes) {
  Ranking ranking = Of({{"a", 90}, {"b", 70}, {"c", 70}, {"d", 50}});
  PlaceCurrentGame(ranking, Game(""));
  EXPECT_TRUE(Reposition(ranking, 70));
  EXPECT_EQ(ranking.current, 3);
  EXPECT_EQ(Games(ranking), (std::vector<std::string>{"a", "b", "c", "", "d"}));
  EXPECT_EQ(ranking.entries[3].score, 70);
  EXPECT_FALSE(Reposition(ranking, 60));
  EXPECT_TRUE(Reposition(ranking, 91));
  EXPECT_EQ(ranking.current, 0);
  EXPECT_TRUE(Reposition(ranking, 90));
  EXPECT_EQ(ranking.current, 1);
  EXPECT_TRUE(Reposition(ranking, -1));
  EXPECT_EQ(ranking.current, 4);
  EXPECT_EQ(Games(ranking), (std::vector<std::string>{"a", "b", "c", "d", ""}));

  Ranking none = Of({{"a", 1}});
  EXPECT_FALSE(Reposition(none, 5));
  EXPECT_EQ(none.entries[0].score, 1);
}

TEST(RankingOrder, NamingTheGameReplacesItsEarlierSave) {
  Ranking ranking = Of({{"saved", 80}, {"other", 60}});
  PlaceCurrentGame(ranking, Game(""));
  Reposition(ranking, 70);
  ASSERT_EQ(ranking.current, 1);
  NameCurrentEntry(ranking, VString("saved"));
  EXPECT_EQ(Games(ranking), (std::vector<std::string>{"saved", "other"}));
  EXPECT_EQ(ranking.current, 0);
  EXPECT_EQ(ranking.entries[0].score, 70);
  NameCurrentEntry(ranking, VString("renamed"));
  EXPECT_EQ(Games(ranking), (std::vector<std::string>{"renamed", "other"}));
}

}  // namespace
}  // namespace cbst
