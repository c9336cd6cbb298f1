// competition_mode.cpp: entering and leaving the ranking, the small score
// window, and the game's entry written back on a save.
#include "app/competition_mode.h"

#include <filesystem>

#include "app/saved_games.h"
#include "play/board_codes.h"
#include "play/game_flags.h"
#include "scores/wminiscore.h"

namespace cbst {
namespace {

VString Trimmed(const VString& text) {
  std::string_view view = text.view();
  const std::size_t first = view.find_first_not_of(' ');
  if (first == std::string_view::npos) return VString();
  view = view.substr(first);
  return VString(view.substr(0, view.find_last_not_of(' ') + 1));
}

}  // namespace

CompetitionMode::CompetitionMode(const Puz& puz, GameScore& score,
                                 std::string saved_games_directory)
    : puz_(puz), score_(score), saved_games_directory_(std::move(saved_games_directory)) {}

CompetitionMode::~CompetitionMode() {
  if (score_.competition() == &competition_) score_.set_competition(nullptr);
  if (window_ && score_.display() == window_) score_.set_display(nullptr);
}

void CompetitionMode::set_window(WMiniScore* window) {
  window_ = window;
  score_.set_display(window);
}

RankingEntry CompetitionMode::GameEntry() const {
  RankingEntry entry;
  // Ranked games are known by their saved game's name, which is looked for
  // in the saved games' folder.
  if ((puz_.state & kGameHasSaveFile) && !puz_.saved_game_path.empty())
    entry.game = VString(std::filesystem::path(puz_.saved_game_path.str()).stem().string());
  entry.player = Trimmed(puz_.player);
  entry.score = score_.CurrentScore();
  entry.time = score_.Elapsed() / kScoreTimeUnit * kScoreTimeUnit;
  entry.helps = score_.helps();
  entry.solved = static_cast<std::int16_t>(score_.joined_sides());
  entry.moves = static_cast<std::int16_t>(score_.moves());
  return entry;
}

void CompetitionMode::Enter() {
  SavedGamesCheck check;
  check.drop_missing = true;
  check.directory = VString(saved_games_directory_);
  competition_.Enter(puz_.file_path, puz_.level, puz_.option_flags, check, GameEntry());
  score_.set_competition(&competition_);
}

void CompetitionMode::GameStarted() {
  if (puz_.cut.pieces.empty() || !(puz_.game_flags & kGameCompetition)) {
    TurnOff();
    return;
  }
  Enter();
  ShowScore(!(puz_.game_flags & kGameHideScore));
}

void CompetitionMode::TurnOn() {
  if (puz_.cut.pieces.empty()) return;
  Enter();
  score_.Refresh();
}

void CompetitionMode::TurnOff() {
  score_.set_competition(nullptr);
  competition_.Leave();
  ShowScore(false);
}

void CompetitionMode::ShowScore(bool shown) {
  if (!window_) return;
  window_->ShowScore(shown && on());
  if (shown && on()) score_.Refresh();
}

Status CompetitionMode::Saved(unsigned flags) {
  if (!on()) return Status();
  const RankingEntry game = GameEntry();
  // The save-as dialog names the game and its player.
  if (flags & kSaveAskName) competition_.Rename(game.game, game.player);
  if (flags & kSaveAutomatic) return Status();
  Status written = competition_.WriteBack(game);
  score_.Refresh();
  return written;
}

}  // namespace cbst
