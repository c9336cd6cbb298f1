// game_score_test.cpp: the score keeper's weights, scores, projection and
// clock, on a clock the tests turn by hand.
#include <gtest/gtest.h>

#include "play/game_score.h"

namespace cbst {
namespace {

class ScoreKeeping : public ::testing::Test {
 protected:
  // Starts near the end of the tick count's range, so that every span
  // measured below crosses its wrap.
  std::uint32_t now_ = 0xFFFFF000u;
  GameScore score_{[this] { return now_; }};

  void Wait(std::uint32_t milliseconds) { now_ += milliseconds; }
  void StartHundredPieces() { score_.StartClock({100, 10, 10, false, false}, false); }
};

class RecordingDisplay final : public ScoreDisplay {
 public:
  bool visible() const override { return shown; }
  void ScoreChanged(unsigned parts) override { told.push_back(parts); }
  bool shown = true;
  std::vector<unsigned> told;
};

TEST(ScoreWeights, FollowThePieceCountAndThePuzzleFactor) {
  struct Case {
    int pieces;
    bool no_rotation, mosaic;
    int base, join_value;
  };
  const Case cases[] = {
      {100, false, false, 50000, 2000}, {100, true, false, 16666, 666},
      {96, false, false, 48000, 2000},  {94, false, false, 47000, 2000},
      {87, false, false, 43500, 1750},  {100, false, true, 150000, 6000},
      {100, true, true, 50000, 2000},   {12, true, false, 2000, 333},
  };
  for (const Case& each : cases) {
    GameScore score([] { return 0u; });
    score.StartClock({each.pieces, 1, each.pieces, each.no_rotation, each.mosaic}, false);
    SCOPED_TRACE(testing::Message() << each.pieces << " pieces, no rotation " << each.no_rotation
                                    << ", mosaic " << each.mosaic);
    EXPECT_EQ(score.base(), each.base);
    EXPECT_EQ(score.join_value(), each.join_value);
    EXPECT_EQ(score.help_weight(), -2 * each.join_value);
    EXPECT_EQ(score.time_weight(), -1);
    EXPECT_EQ(score.move_weight(), -1);
  }
}

TEST_F(ScoreKeeping, JoinsHelpsMovesAndTenthsOfSecondsMakeTheScore) {
  EXPECT_EQ(score_.CurrentScore(), 0) << "no clock started, no score";
  StartHundredPieces();
  Wait(12340);
  for (int pair = 0; pair < 3; ++pair)
    score_.CountJoin(2);
  score_.CountJoin(2);  // the help's pair
  score_.CountHelp(2);
  for (int move = 0; move < 20; ++move)
    score_.CountMove();
  EXPECT_EQ(score_.Elapsed(), 12340);
  EXPECT_EQ(score_.CurrentScore(), 50000 + 6 * 2000 / 2 - 123 - 4000 - 20);
  EXPECT_EQ(score_.current_score(), 51857) << "kept by the last count";
  // 358 sides left at 6 sides in 123 tenths: 7339 tenths; the moves scale
  // with the sides, 20 * 360 / 8.
  EXPECT_EQ(score_.ProjectedScore(), 50000 + 358 * 2000 / 2 - 7339 - 4000 - 900);

  // The time goes on from where it was; its last tenth is not counted yet.
  score_.StartClock({100, 10, 10, true, false}, false);
  Wait(59);
  EXPECT_EQ(score_.join_value(), 666);
  EXPECT_EQ(score_.CurrentScore(), 16666 + 6 * 666 / 2 - 123 - 2 * 666 - 20);
}

TEST_F(ScoreKeeping, TheProjectionWaitsForAJoinAndEndsAtTheTimePlayed) {
  score_.StartClock({4, 2, 2, false, false}, false);
  Wait(5000);
  score_.CountHelp(0);
  score_.CountMove();
  EXPECT_EQ(score_.ProjectedScore(), 0) << "nothing joined by the player yet";
  score_.CountJoin(2);
  score_.CountHelp(2);
  EXPECT_EQ(score_.ProjectedScore(), 0) << "a help's join is not the player's";

  // No time played yet: the pace stands in for a division by zero.
  score_.ResetScore();
  score_.StartClock({4, 2, 2, false, false}, false);
  score_.CountJoin(2);
  EXPECT_EQ(score_.ProjectedScore(), 2000 + 8 * 1000 / 2);

  // The whole puzzle joined: the projection is the score itself.
  Wait(7777);
  for (int pair = 0; pair < 3; ++pair) {
    score_.CountMove();
    score_.CountJoin(2);
  }
  score_.CountHelp(0);
  EXPECT_EQ(score_.CurrentScore(), 2000 + 4000 - 77 - 2000 - 3);
  EXPECT_EQ(score_.ProjectedScore(), score_.CurrentScore());
}

TEST_F(ScoreKeeping, PausesOfAnyDepthStopTheClockOnce) {
  EXPECT_EQ(score_.Elapsed(), 0);
  score_.Pause();
  EXPECT_EQ(score_.pause_depth(), 0) << "no clock running to pause";
  StartHundredPieces();
  Wait(1000);
  score_.Pause();
  Wait(500);
  score_.Pause();
  Wait(500);
  score_.Resume();
  EXPECT_EQ(score_.Elapsed(), 1000) << "still paused";
  Wait(500);
  score_.Resume();
  Wait(250);
  EXPECT_EQ(score_.Elapsed(), 1250);
  score_.Resume();
  EXPECT_EQ(score_.pause_depth(), 0) << "more resumes than pauses change nothing";

  score_.Pause();
  score_.Pause();
  score_.Pause();
  Wait(4000);
  score_.ResumeAll();
  EXPECT_EQ(score_.pause_depth(), 0);
  Wait(750);
  EXPECT_EQ(score_.Elapsed(), 2000);

  // Stopped, the clock keeps its time and takes no pause.
  score_.Pause();
  Wait(100);
  score_.StopClock();
  Wait(5000);
  score_.Resume();
  score_.Pause();
  EXPECT_EQ(score_.Elapsed(), 2000);
  EXPECT_EQ(score_.clock_state(), ClockState::kStopped);
}

TEST_F(ScoreKeeping, ASavedGameGoesOnFromItsCountsAndASolvedOneStaysStopped) {
  ScoreCounts saved;
  saved.elapsed = 61000;
  saved.helps = 2;
  saved.helped_sides = 2;
  saved.joined_sides = 10;
  saved.moves = 30;
  score_.Restore(saved);
  StartHundredPieces();
  Wait(1500);
  EXPECT_EQ(score_.Elapsed(), 62500);
  EXPECT_EQ(score_.CurrentScore(), 50000 + 8000 - 625 - 8000 - 30);

  score_.Restore(saved);
  score_.StartClock({100, 10, 10, false, false}, true);
  Wait(1500);
  EXPECT_EQ(score_.clock_state(), ClockState::kStopped);
  EXPECT_EQ(score_.counts().elapsed, 61000);
  EXPECT_EQ(score_.counts().moves, 30);

  score_.ResetScore();
  EXPECT_EQ(score_.clock_state(), ClockState::kNotStarted);
  EXPECT_EQ(score_.counts().joined_sides, 0);
  EXPECT_EQ(score_.CurrentScore(), 0);
}

TEST_F(ScoreKeeping, TheDisplayHearsOfEveryCountAndOfEachNewSecond) {
  RecordingDisplay display;
  score_.set_display(&display);
  StartHundredPieces();
  score_.CountMove();
  EXPECT_EQ(display.told, (std::vector<unsigned>{kScoreAllChanged, kScoreAllChanged}));
  display.told.clear();
  Wait(999);
  score_.Tick();
  EXPECT_TRUE(display.told.empty()) << "the same second";
  Wait(1);
  score_.Tick();
  score_.Pause();
  Wait(3000);
  score_.Tick();
  EXPECT_EQ(display.told, std::vector<unsigned>{kScoreTimeChanged}) << "paused, time stands";
  EXPECT_EQ(score_.current_score(), 50000 - 10 - 1);

  display.shown = false;
  display.told.clear();
  score_.CountJoin(2);
  EXPECT_TRUE(display.told.empty()) << "a hidden display is not told";
}

}  // namespace
}  // namespace cbst
