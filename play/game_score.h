// game_score.h: GameScore, the score keeper of the game in progress.
//
// It runs the play clock with nested pauses, counts moves, joined sides
// and helps, and turns them into the current score and the projected final
// score. Players compete on these numbers, so every truncation below is
// part of the rules: integer division toward zero, a single-precision
// factor for unturnable and mosaic puzzles, the join value's base rounded
// to a multiple of 250.
//
// The keeper reads time from the tick source it is given (the program's
// millisecond clock; a clock of their own in tests and in the tool) and
// tells an optional display what changed.
#pragma once

#include <cstdint>
#include <functional>

#include "puzzle/puz.h"

namespace cbst {

// Points, before the puzzle's factor.
inline constexpr int kBasePointsPerPiece = 500;
inline constexpr int kJoinPointsPerPiece = 10;
inline constexpr int kJoinPointsStep = 250;  // the per-piece part is rounded to this
inline constexpr int kJoinPointsExtra = 1000;
inline constexpr int kTimeWeight = -1;  // a tenth of a second
inline constexpr int kMoveWeight = -1;
inline constexpr int kHelpWeightPerJoin = -2;  // times the join value
// The puzzle's factor: pieces that cannot turn make it easier, mosaic
// pieces (no tabs) harder.
inline constexpr float kNoRotationFactor = 1.0f / 3.0f;
inline constexpr float kMosaicFactor = 3.0f;
// Time is scored in tenths of a second.
inline constexpr std::int32_t kScoreTimeUnit = 100;
// The display shows whole seconds; a tick tells it only when one passed.
inline constexpr std::int32_t kScoreDisplaySecond = 1000;

// What the display is told changed, one bit for each value it shows.
inline constexpr unsigned kScoreTimeChanged = 0x01;
inline constexpr unsigned kScoreCurrentChanged = 0x02;
inline constexpr unsigned kScorePlaceChanged = 0x04;  // the place or its trend
inline constexpr unsigned kScoreProjectionChanged = 0x10;
inline constexpr unsigned kScoreProjectedPlaceChanged = 0x20;  // the place or its trend
inline constexpr unsigned kScoreAllChanged = kScoreTimeChanged | kScoreCurrentChanged |
                                             kScorePlaceChanged | kScoreProjectionChanged |
                                             kScoreProjectedPlaceChanged;
// A new second moves the time and both scores with it.
inline constexpr unsigned kScoreTickChanged =
    kScoreTimeChanged | kScoreCurrentChanged | kScoreProjectionChanged;

// Where the game is heading in its ranking: a little more of the same pace
// would win a place (kTrendUp), a little slower would lose one (kTrendDown).
inline constexpr int kTrendUp = 1;
inline constexpr int kTrendSteady = 0;
inline constexpr int kTrendDown = -1;
// The probes: the place is within reach when 1 more joined side, paid for
// with 10 more moves, beats the game above; it is at risk when 10 more
// moves and 20 more seconds fall below the game underneath.
inline constexpr int kTrendMoves = 10;
inline constexpr int kTrendSides = 1;
inline constexpr std::int32_t kTrendTime = 20000;
// No place in a ranking.
inline constexpr std::int32_t kNoRank = -1;

enum class ClockState : std::int32_t { kNotStarted = 0, kRunning = 1, kStopped = 2 };

// What the weights and the projection are computed from.
struct ScoredPuzzle {
  int pieces = 0;
  int rows = 0;
  int columns = 0;
  bool no_rotation = false;  // NoRotable
  bool mosaic = false;       // NoDeform
};
ScoredPuzzle ScoredPuzzleOf(const Puz& puz);
// Every side that can be joined, each counted once for each of its pieces.
int SidesToJoin(int rows, int columns);

// The counters a saved game keeps.
struct ScoreCounts {
  std::int32_t elapsed = 0;  // milliseconds played, pauses excluded
  std::int16_t helps = 0;
  std::int16_t helped_sides = 0;
  std::int32_t joined_sides = 0;
  std::int32_t moves = 0;
};

// Whatever shows the score; told only while it is visible.
class ScoreDisplay {
 public:
  virtual ~ScoreDisplay() = default;
  virtual bool visible() const = 0;
  virtual void ScoreChanged(unsigned parts) = 0;
};

// The ranking the game competes in, sorted by score, highest first, with
// an entry of the game's own that moves as its score does.
class ScoreCompetition {
 public:
  virtual ~ScoreCompetition() = default;
  // The index of the game's own entry; kNoRank when it has none.
  virtual std::int32_t current_entry() const = 0;
  virtual std::int32_t entry_count() const = 0;
  virtual std::int32_t entry_score(std::int32_t index) const = 0;
  // The game scores `score` now: its entry takes it and moves to its place.
  virtual void Reposition(std::int32_t score) = 0;
};

// Counters added to the game's own, to see where a little more play leads.
struct ScoreProbe {
  std::int32_t moves = 0;
  std::int32_t sides = 0;
  std::int32_t elapsed = 0;
};

class GameScore {
 public:
  using TickSource = std::function<std::uint32_t()>;
  explicit GameScore(TickSource ticks) : ticks_(std::move(ticks)) {}

  // A game has been built or loaded: the weights follow the puzzle; a
  // solved game keeps its clock stopped, another one runs on from the time
  // already played. Pauses open before are forgotten: the clock starts
  // running.
  void StartClock(const ScoredPuzzle& puzzle, bool solved);
  // A new game: every counter and time back to zero, the clock not started.
  void ResetScore();
  // Takes the counters of a saved game; StartClock goes on from them.
  void Restore(const ScoreCounts& counts);
  ScoreCounts counts() const;
  // The puzzle is complete: the clock stops at the time played.
  void StopClock();
  // The clock stands still from the first Pause to the last Resume; pauses
  // nest. Both are ignored unless the clock runs.
  void Pause();
  void Resume();
  // Ends every open pause.
  void ResumeAll();
  // Milliseconds played, pauses excluded.
  std::int32_t Elapsed() const;

  void CountMove();
  // Sides joined (2 for each joined pair).
  void CountJoin(int sides);
  // A help, with the sides it joined (already counted as joined).
  void CountHelp(int sides);

  // The scores from the counters and the clock now, with `probe` added.
  std::int32_t CurrentScore(const ScoreProbe& probe = {}) const;
  std::int32_t ProjectedScore(const ScoreProbe& probe = {}) const;
  // Computes both scores again and tells the display what changed.
  void Refresh(unsigned parts = kScoreAllChanged);
  // The table's one-second timer: the display hears of the time only when
  // another whole second has passed.
  void Tick();

  void set_display(ScoreDisplay* display) { display_ = display; }
  ScoreDisplay* display() const { return display_; }
  // Competition mode: the game is ranked in `competition` from the next
  // Refresh on (none: competition ends).
  void set_competition(ScoreCompetition* competition);
  ScoreCompetition* competition() const { return competition_; }

  // The game's place in its ranking (an index; kNoRank outside
  // competition), the index at which its projected score would stand among
  // the other games, and the trends of both.
  std::int32_t current_rank() const { return current_rank_; }
  std::int32_t projected_rank() const { return projected_rank_; }
  int current_trend() const { return current_trend_; }
  int projected_trend() const { return projected_trend_; }
  // The games in the ranking, this one included.
  std::int32_t ranked_games() const { return competition_ ? competition_->entry_count() : 0; }

  std::int32_t base() const { return base_; }
  std::int32_t join_value() const { return join_value_; }
  std::int32_t time_weight() const { return time_weight_; }
  std::int32_t help_weight() const { return help_weight_; }
  std::int32_t move_weight() const { return move_weight_; }
  std::int32_t pause_depth() const { return pause_depth_; }
  ClockState clock_state() const { return clock_state_; }
  // As last computed by Refresh.
  std::int32_t current_score() const { return current_score_; }
  std::int32_t projected_score() const { return projected_score_; }
  std::int16_t helps() const { return helps_; }
  std::int16_t helped_sides() const { return helped_sides_; }
  std::int32_t joined_sides() const { return joined_sides_; }
  std::int32_t moves() const { return moves_; }

 private:
  void ComputeWeights();
  void Recompute();
  // Moves the game's entry, finds the projected rank and the trends; the
  // place bits of what changed.
  unsigned FollowCompetition();
  // The trend at `rank` among the other games, judged by `score` (the
  // current or the projected formula with a probe).
  int TrendAt(std::int32_t rank, std::int32_t (GameScore::*score)(const ScoreProbe&) const) const;
  // The score of the other game at `rank` (the game's own entry skipped).
  std::int32_t OtherScore(std::int32_t rank) const;
  std::int32_t other_games() const;
  // The score with the time part given in tenths of a second.
  std::int64_t ScoreWith(std::int64_t joined_pairs_points, std::int64_t tenths,
                         std::int64_t moves) const;
  bool scored() const { return puzzle_.pieces > 0 && clock_state_ != ClockState::kNotStarted; }

  // The keeper's fields, as the game has always kept them.
  std::int32_t base_ = 0;
  std::int32_t join_value_ = 0;
  std::int32_t time_weight_ = kTimeWeight;
  std::int32_t help_weight_ = 0;
  std::int32_t move_weight_ = kMoveWeight;
  std::int32_t stopped_time_ = 0;  // elapsed while stopped, or loaded from a saved game
  std::uint32_t start_tick_ = 0;   // shifted back by the time already played
  std::int32_t pause_depth_ = 0;
  std::uint32_t pause_start_ = 0;  // when the outermost pause began
  std::int32_t paused_total_ = 0;  // finished pauses since the start tick
  ClockState clock_state_ = ClockState::kNotStarted;
  std::int32_t current_score_ = 0;
  std::int32_t projected_score_ = 0;
  std::int16_t helps_ = 0;
  std::int16_t helped_sides_ = 0;
  std::int32_t joined_sides_ = 0;
  std::int32_t moves_ = 0;
  ScoreDisplay* display_ = nullptr;
  ScoreCompetition* competition_ = nullptr;
  std::int32_t current_rank_ = kNoRank;
  std::int32_t projected_rank_ = kNoRank;
  int current_trend_ = kTrendSteady;
  int projected_trend_ = kTrendSteady;

  ScoredPuzzle puzzle_;
  std::int32_t shown_seconds_ = -1;
  TickSource ticks_;
};

}  // namespace cbst
