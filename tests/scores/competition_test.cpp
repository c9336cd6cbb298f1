// competition_test.cpp: a game played in competition mode: its place in the
// ranking as the score keeper moves it, where it is heading, and what the
// score window is told.
#include "scores/competition.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "play/game_score.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

RankingEntry Game(const char* name, std::int32_t score) {
  RankingEntry entry;
  entry.game = VString(name);
  entry.player = VString("Bea");
  entry.score = score;
  return entry;
}

struct Standing {
  std::int32_t rank, projected_rank;
  int trend, projected_trend;
  bool operator==(const Standing&) const = default;
};

class CompetitionPlay : public ::testing::Test, public ScoreDisplay {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("cbst-competition-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    puzzle_ = VString((folder_ / "tiger.puz").string());
    score_.set_display(this);
  }
  void TearDown() override { fs::remove_all(folder_); }

  bool visible() const override { return true; }
  void ScoreChanged(unsigned parts) override { told_.push_back(parts); }

  // Three games ranked before.
  void RankThreeGames() {
    Ranking before;
    before.puzzle = puzzle_;
    before.level = 2;
    for (const RankingEntry& game : {Game("ana", 60000), Game("bo", 50500), Game("cy", 49000)})
      before.entries.push_back(game);
    ASSERT_TRUE(SaveRanking(before).ok());
  }
  void Enter(const RankingEntry& game) {
    competition_.Enter(puzzle_, 2, 0, {}, game);
    score_.set_competition(&competition_);
  }
  Standing Now() const {
    return {score_.current_rank(), score_.projected_rank(), score_.current_trend(),
            score_.projected_trend()};
  }
  std::vector<std::string> Games() const {
    std::vector<std::string> games;
    for (const RankingEntry& entry : competition_.ranking().entries)
      games.push_back(entry.game.str());
    return games;
  }

  fs::path folder_;
  VString puzzle_;
  std::uint32_t now_ = 1000;
  GameScore score_{[this] { return now_; }};
  Competition competition_;
  std::vector<unsigned> told_;
};

// A 100-piece puzzle: 50000 points to start with, 2000 for each pair.
TEST_F(CompetitionPlay, TheGameClimbsAndSinksPastTheRankedGamesAndSeesWhereItIsHeading) {
  RankThreeGames();
  Enter(Game("", 0));
  ASSERT_EQ(competition_.ranking().current, 3) << "a new game starts at the bottom";
  score_.StartClock({100, 10, 10}, false);
  // 50000 passes cy's 49000. One pair more (for ten moves) would pass bo.
  EXPECT_EQ(Now(), (Standing{2, 3, kTrendUp, kTrendUp}));
  EXPECT_EQ(Games(), (std::vector<std::string>{"ana", "bo", "", "cy"}));
  EXPECT_EQ(told_.back(), kScoreAllChanged);

  // A pair after 5 s: 51950 passes bo; at this pace the game would end far
  // above ana, and twenty seconds more would not lose either place.
  now_ += 5000;
  score_.CountJoin(2);
  EXPECT_EQ(score_.current_score(), 51950);
  EXPECT_EQ(Now(), (Standing{1, 0, kTrendSteady, kTrendSteady}));

  // Twenty moves at 130 s: 50680 still above bo's 50500, but twenty more
  // seconds and ten moves (50470) would drop below it.
  now_ += 125000;
  for (int move = 0; move < 20; ++move)
    score_.CountMove();
  EXPECT_EQ(score_.current_score(), 50680);
  EXPECT_EQ(Now(), (Standing{1, 0, kTrendDown, kTrendSteady}));

  // Time alone sinks it below bo at 250 s (49480); the projection falls
  // under every game and a pair more would lift it past cy.
  told_.clear();
  now_ += 120000;
  score_.Tick();
  EXPECT_EQ(Now(), (Standing{2, 3, kTrendSteady, kTrendUp}));
  EXPECT_EQ(Games(), (std::vector<std::string>{"ana", "bo", "", "cy"}));
  EXPECT_EQ(told_, (std::vector<unsigned>{kScoreTickChanged | kScorePlaceChanged |
                                          kScoreProjectedPlaceChanged}));
  // Within the same second nothing moved, and the window hears nothing.
  now_ += 50;
  score_.Tick();
  EXPECT_EQ(told_.size(), 1u);

  // A finished game is going nowhere.
  score_.StopClock();
  EXPECT_EQ(Now(), (Standing{2, 3, kTrendSteady, kTrendSteady}));

  // Out of competition the game has no place.
  score_.set_competition(nullptr);
  competition_.Leave();
  score_.Refresh();
  EXPECT_EQ(score_.current_rank(), kNoRank);
  EXPECT_EQ(score_.ranked_games(), 0);
  EXPECT_TRUE(competition_.ranking().entries.empty());
}

}  // namespace
}  // namespace cbst
