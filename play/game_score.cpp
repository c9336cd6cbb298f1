// game_score.cpp: the play clock, the counters and the score formulas.
#include "play/game_score.h"

#include <cmath>
#include <cstdlib>

namespace cbst {
namespace {

// The pace of a game that has taken no time, or made no progress, is this
// instead of a division by zero.
constexpr double kNoPace = 1e-8;
// The pace is measured per three tenths of a second, and undone again.
constexpr double kPacePeriods = 3.0;

// `value` to the nearest multiple of `step`, halves away from zero.
int RoundToStep(int value, int step) {
  const int magnitude = std::abs(value) + step / 2;
  const int rounded = magnitude - magnitude % step;
  return value < 0 ? -rounded : rounded;
}

// The nearest whole number, halves away from zero.
std::int64_t RoundHalfAway(double value) {
  const auto magnitude = static_cast<std::int64_t>(std::fabs(value) + 0.5);
  return value < 0 ? -magnitude : magnitude;
}

}  // namespace

ScoredPuzzle ScoredPuzzleOf(const Puz& puz) {
  return {static_cast<int>(puz.cut.pieces.size()), puz.cut.rows, puz.cut.columns,
          puz.HasOption(kOptionNoRotable), puz.HasOption(kOptionNoDeform)};
}

int SidesToJoin(int rows, int columns) {
  return 4 * rows * columns - 2 * rows - 2 * columns;
}

void GameScore::ComputeWeights() {
  float factor = 1.0f;
  if (puzzle_.no_rotation) factor *= kNoRotationFactor;
  if (puzzle_.mosaic) factor *= kMosaicFactor;
  // The factor is kept in single precision (a third is 0.33333334); the
  // products are not, and truncate toward zero.
  const double scale = factor;
  base_ =
      static_cast<std::int32_t>(static_cast<double>(puzzle_.pieces) * kBasePointsPerPiece * scale);
  const int per_piece = RoundToStep(puzzle_.pieces * kJoinPointsPerPiece, kJoinPointsStep);
  join_value_ = static_cast<std::int32_t>((per_piece + kJoinPointsExtra) * scale);
  time_weight_ = kTimeWeight;
  help_weight_ = kHelpWeightPerJoin * join_value_;
  move_weight_ = kMoveWeight;
}

void GameScore::StartClock(const ScoredPuzzle& puzzle, bool solved) {
  puzzle_ = puzzle;
  ComputeWeights();
  const std::int32_t played = clock_state_ == ClockState::kRunning ? Elapsed() : stopped_time_;
  pause_depth_ = 0;
  paused_total_ = 0;
  if (solved) {
    stopped_time_ = played;
    clock_state_ = ClockState::kStopped;
  } else {
    start_tick_ = ticks_() - static_cast<std::uint32_t>(played);
    stopped_time_ = 0;
    clock_state_ = ClockState::kRunning;
  }
  Refresh();
}

void GameScore::ResetScore() {
  stopped_time_ = 0;
  start_tick_ = 0;
  pause_depth_ = 0;
  pause_start_ = 0;
  paused_total_ = 0;
  clock_state_ = ClockState::kNotStarted;
  current_score_ = 0;
  projected_score_ = 0;
  helps_ = 0;
  helped_sides_ = 0;
  joined_sides_ = 0;
  moves_ = 0;
  shown_seconds_ = -1;
}

void GameScore::Restore(const ScoreCounts& counts) {
  ResetScore();
  stopped_time_ = counts.elapsed;
  helps_ = counts.helps;
  helped_sides_ = counts.helped_sides;
  joined_sides_ = counts.joined_sides;
  moves_ = counts.moves;
}

ScoreCounts GameScore::counts() const {
  return {Elapsed(), helps_, helped_sides_, joined_sides_, moves_};
}

void GameScore::StopClock() {
  if (clock_state_ == ClockState::kRunning) stopped_time_ = Elapsed();
  clock_state_ = ClockState::kStopped;
  Refresh();
}

void GameScore::Pause() {
  if (clock_state_ != ClockState::kRunning) return;
  if (pause_depth_++ == 0) pause_start_ = ticks_();
}

void GameScore::Resume() {
  if (clock_state_ != ClockState::kRunning || pause_depth_ == 0) return;
  if (--pause_depth_ == 0) paused_total_ += static_cast<std::int32_t>(ticks_() - pause_start_);
}

void GameScore::ResumeAll() {
  if (pause_depth_ == 0) return;
  pause_depth_ = 1;
  Resume();
}

std::int32_t GameScore::Elapsed() const {
  switch (clock_state_) {
    case ClockState::kNotStarted:
      return 0;
    case ClockState::kStopped:
      return stopped_time_;
    case ClockState::kRunning:
      break;
  }
  // Tick arithmetic wraps, as the tick count does after 49 days.
  const std::uint32_t now = ticks_();
  std::uint32_t played = now - start_tick_ - static_cast<std::uint32_t>(paused_total_);
  if (pause_depth_ > 0) played -= now - pause_start_;
  return static_cast<std::int32_t>(played);
}

void GameScore::CountMove() {
  ++moves_;
  Refresh();
}

void GameScore::CountJoin(int sides) {
  joined_sides_ += sides;
  Refresh();
}

void GameScore::CountHelp(int sides) {
  ++helps_;
  helped_sides_ = static_cast<std::int16_t>(helped_sides_ + sides);
  Refresh();
}

std::int64_t GameScore::ScoreWith(std::int64_t joined_pairs_points, std::int64_t tenths,
                                  std::int64_t moves) const {
  return base_ + joined_pairs_points + tenths * time_weight_ + std::int64_t{helps_} * help_weight_ +
         moves * move_weight_;
}

std::int32_t GameScore::CurrentScore(const ScoreProbe& probe) const {
  if (!scored()) return 0;
  // Sides become pairs: the division by two truncates toward zero.
  const std::int64_t own_sides = std::int64_t{joined_sides_} + probe.sides - helped_sides_;
  const std::int64_t pairs_points = own_sides * join_value_ / 2;
  const std::int64_t tenths = (std::int64_t{Elapsed()} + probe.elapsed) / kScoreTimeUnit;
  return static_cast<std::int32_t>(
      ScoreWith(pairs_points, tenths, std::int64_t{moves_} + probe.moves));
}

std::int32_t GameScore::ProjectedScore(const ScoreProbe& probe) const {
  if (!scored()) return 0;
  const std::int64_t joined = std::int64_t{joined_sides_} + probe.sides;
  const std::int64_t own_sides = joined - helped_sides_;
  if (own_sides < 1) return 0;
  const int total = SidesToJoin(puzzle_.rows, puzzle_.columns);
  const std::int64_t tenths = (std::int64_t{Elapsed()} + probe.elapsed) / kScoreTimeUnit;
  std::int64_t projected_tenths = tenths;
  if (joined != total) {
    // What is left to join, at the pace so far.
    double periods = static_cast<double>(tenths) * kPacePeriods;
    if (periods == 0) periods = kNoPace;
    double pace = static_cast<double>(own_sides) / periods;
    if (pace == 0) pace = kNoPace;
    projected_tenths = RoundHalfAway(1.0 / kPacePeriods * (total - helped_sides_) / pace);
  }
  const std::int64_t pairs_points = std::int64_t{total - helped_sides_} * join_value_ / 2;
  const std::int64_t moves = (std::int64_t{moves_} + probe.moves) * total / joined;
  return static_cast<std::int32_t>(ScoreWith(pairs_points, projected_tenths, moves));
}

void GameScore::set_competition(ScoreCompetition* competition) {
  competition_ = competition;
  current_rank_ = kNoRank;
  projected_rank_ = kNoRank;
  current_trend_ = kTrendSteady;
  projected_trend_ = kTrendSteady;
}

std::int32_t GameScore::other_games() const {
  return competition_->entry_count() - (competition_->current_entry() >= 0 ? 1 : 0);
}

std::int32_t GameScore::OtherScore(std::int32_t rank) const {
  const std::int32_t own = competition_->current_entry();
  return competition_->entry_score(own >= 0 && rank >= own ? rank + 1 : rank);
}

int GameScore::TrendAt(std::int32_t rank,
                       std::int32_t (GameScore::*score)(const ScoreProbe&) const) const {
  if (rank > 0 && (this->*score)({kTrendMoves, kTrendSides, 0}) > OtherScore(rank - 1))
    return kTrendUp;
  if (rank < other_games() && (this->*score)({kTrendMoves, 0, kTrendTime}) < OtherScore(rank))
    return kTrendDown;
  return kTrendSteady;
}

unsigned GameScore::FollowCompetition() {
  if (!competition_) return 0;
  const std::int32_t rank_before = current_rank_;
  const std::int32_t projected_before = projected_rank_;
  const int trend_before = current_trend_;
  const int projected_trend_before = projected_trend_;
  competition_->Reposition(current_score_);
  current_rank_ = competition_->current_entry();
  // The first other game that scores less than the projection.
  projected_rank_ = 0;
  while (projected_rank_ < other_games() && OtherScore(projected_rank_) >= projected_score_)
    ++projected_rank_;
  current_trend_ = kTrendSteady;
  projected_trend_ = kTrendSteady;
  // A finished game has nowhere to go.
  if (clock_state_ != ClockState::kStopped) {
    if (current_rank_ >= 0) current_trend_ = TrendAt(current_rank_, &GameScore::CurrentScore);
    projected_trend_ = TrendAt(projected_rank_, &GameScore::ProjectedScore);
  }
  unsigned changed = 0;
  if (current_rank_ != rank_before || current_trend_ != trend_before) changed |= kScorePlaceChanged;
  if (projected_rank_ != projected_before || projected_trend_ != projected_trend_before)
    changed |= kScoreProjectedPlaceChanged;
  return changed;
}

void GameScore::Recompute() {
  current_score_ = CurrentScore();
  projected_score_ = ProjectedScore();
}

void GameScore::Refresh(unsigned parts) {
  Recompute();
  shown_seconds_ = Elapsed() / kScoreDisplaySecond;
  parts |= FollowCompetition();
  if (display_ && display_->visible()) display_->ScoreChanged(parts);
}

void GameScore::Tick() {
  if (Elapsed() / kScoreDisplaySecond != shown_seconds_) {
    Refresh(kScoreTickChanged);
    return;
  }
  // Between seconds the score still moves, and with it the game's place.
  Recompute();
  const unsigned places = FollowCompetition();
  if (places && display_ && display_->visible()) display_->ScoreChanged(places);
}

}  // namespace cbst
