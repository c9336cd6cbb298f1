// game_score_test.cpp: the score keeper's weights, scores, projection and
// clock, on a clock the tests turn by hand.
#include <gtest/gtest.h>

#include "play/game_score.h"

namespace cbst {
namespace {

class ScoreKeeping : public ::testing::Test, public ScoreDisplay {
 protected:
  // Near the end of the tick count's range: the spans below cross its wrap.
  std::uint32_t now_ = 0xFFFFF000u;
  GameScore score_{[this] { return now_; }};
  std::vector<unsigned> told_;

  bool visible() const override { return true; }
  void ScoreChanged(unsigned parts) override { told_.push_back(parts); }
  void Wait(std::uint32_t milliseconds) { now_ += milliseconds; }
  void Start(int rows, int columns) { score_.StartClock({rows * columns, rows, columns}, false); }
};

TEST(ScoreWeights, FollowThePieceCountAndThePuzzleFactor) {
  struct Case {
    int pieces;
    bool no_rotation, mosaic;
    int base, join_value;
  } const cases[] = {{100, false, false, 50000, 2000}, {100, true, false, 16666, 666},
                     {96, false, false, 48000, 2000},  {94, false, false, 47000, 2000},
                     {87, false, false, 43500, 1750},  {100, false, true, 150000, 6000},
                     {100, true, true, 50000, 2000},   {12, true, false, 2000, 333}};
  for (const Case& each : cases) {
    GameScore score([] { return 0u; });
    score.StartClock({each.pieces, 1, each.pieces, each.no_rotation, each.mosaic}, false);
    SCOPED_TRACE(each.pieces);
    EXPECT_EQ(score.base(), each.base);
    EXPECT_EQ(score.join_value(), each.join_value);
    EXPECT_EQ(score.help_weight(), -2 * each.join_value);
  }
}

TEST_F(ScoreKeeping, JoinsHelpsMovesAndTenthsMakeTheScoreAndItsProjection) {
  EXPECT_EQ(score_.CurrentScore(), 0) << "no clock started, no score";
  Start(10, 10);
  Wait(12340);
  score_.CountHelp(0);
  score_.CountMove();
  EXPECT_EQ(score_.ProjectedScore(), 0) << "nothing joined by the player yet";
  score_.ResetScore();
  Start(10, 10);
  Wait(12399);
  for (int pair = 0; pair < 4; ++pair)
    score_.CountJoin(2);
  score_.CountHelp(2);  // the help joined the last pair
  for (int move = 0; move < 20; ++move)
    score_.CountMove();
  EXPECT_EQ(score_.CurrentScore(), 50000 + 6 * 2000 / 2 - 123 - 4000 - 20);
  // 358 sides to go at 6 sides in 123 tenths: 7339 tenths more; the moves
  // grow with the sides, 20 * 360 / 8.
  EXPECT_EQ(score_.ProjectedScore(), 50000 + 358 * 2000 / 2 - 7339 - 4000 - 900);

  // No time played: the pace stands in for a division by zero.
  score_.ResetScore();
  Start(2, 2);
  score_.CountJoin(2);
  EXPECT_EQ(score_.ProjectedScore(), 2000 + 8 * 1000 / 2);
  // All joined: the projection is the score itself.
  Wait(7777);
  for (int pair = 0; pair < 3; ++pair) {
    score_.CountMove();
    score_.CountJoin(2);
  }
  EXPECT_EQ(score_.CurrentScore(), 2000 + 4000 - 77 - 3);
  EXPECT_EQ(score_.ProjectedScore(), score_.CurrentScore());
}

TEST_F(ScoreKeeping, PausesOfAnyDepthStopTheClockOnceAndAStoppedClockKeepsItsTime) {
  score_.Pause();
  EXPECT_EQ(score_.pause_depth(), 0) << "no clock running to pause";
  Start(10, 10);
  Wait(1000);
  score_.Pause();
  Wait(500);
  score_.Pause();
  Wait(500);
  score_.Resume();
  EXPECT_EQ(score_.Elapsed(), 1000) << "still paused";
  Wait(500);
  score_.Resume();
  score_.Resume();
  EXPECT_EQ(score_.pause_depth(), 0) << "more resumes than pauses change nothing";
  Wait(250);
  EXPECT_EQ(score_.Elapsed(), 1250);
  score_.Pause();
  score_.Pause();
  Wait(4000);
  score_.ResumeAll();
  Wait(750);
  EXPECT_EQ(score_.Elapsed(), 2000);

  score_.Pause();
  Wait(100);
  score_.StopClock();
  Wait(5000);
  score_.Resume();
  EXPECT_EQ(score_.Elapsed(), 2000);

  // A saved game goes on from its time; a solved one stays stopped.
  score_.Restore({61000, 2, 2, 10, 30});
  Start(10, 10);
  Wait(1500);
  EXPECT_EQ(score_.CurrentScore(), 50000 + 8000 - 625 - 8000 - 30);
  score_.Restore({61000, 2, 2, 10, 30});
  score_.StartClock({100, 10, 10}, true);
  Wait(1500);
  EXPECT_EQ(score_.clock_state(), ClockState::kStopped);
  EXPECT_EQ(score_.Elapsed(), 61000);
}

TEST_F(ScoreKeeping, TheDisplayHearsOfEveryCountAndOfEachNewSecond) {
  score_.set_display(this);
  Start(10, 10);
  score_.CountMove();
  Wait(999);
  score_.Tick();
  EXPECT_EQ(told_, (std::vector<unsigned>{kScoreAllChanged, kScoreAllChanged}));
  Wait(1);
  score_.Tick();
  score_.Pause();
  Wait(3000);
  score_.Tick();
  EXPECT_EQ(told_.back(), kScoreTickChanged);
  EXPECT_EQ(told_.size(), 3u) << "paused, the time stands";
  EXPECT_EQ(score_.current_score(), 50000 - 10 - 1);
}

}  // namespace
}  // namespace cbst
