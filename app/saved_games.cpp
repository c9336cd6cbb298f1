// saved_games.cpp: saving, automatic saves, resuming and closing a game.
#include "app/saved_games.h"

#include <filesystem>
#include <optional>

#include "app/competition_mode.h"
#include "app/game_effects.h"
#include "app/open_from_shell.h"
#include "app/options.h"
#include "base/cp1252.h"
#include "base/status_codes.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "play/board_codes.h"
#include "play/game_flags.h"
#include "play/saved_game.h"
#include "play/saved_game_state.h"
#include "play/wpuz.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/puzzle_codes.h"
#include "text/traductor.h"
#include "ui/application.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

// Characters a file name cannot hold become this.
constexpr std::string_view kUnsafeInFileName = "\\/:*<>|?.";
constexpr char kSafeCharacter = '_';

// The clock stands still while a save or a load runs.
class ClockStill {
 public:
  explicit ClockStill(GameScore& score) : score_(score) { score_.Pause(); }
  ~ClockStill() { score_.Resume(); }
  ClockStill(const ClockStill&) = delete;
  ClockStill& operator=(const ClockStill&) = delete;

 private:
  GameScore& score_;
};

std::uint32_t Now() {
  return TickCount();
}

}  // namespace

GameSaver::GameSaver(Puz& puz, WPuz& table, GameScore& score, GameEffects& effects,
                     const Settings& settings, std::string puzzles_directory)
    : puz_(puz),
      table_(table),
      score_(score),
      effects_(effects),
      settings_(settings),
      puzzles_directory_(std::move(puzzles_directory)) {}

std::string GameSaver::PathFor(std::string_view title) const {
  std::string name(title);
  for (char& character : name) {
    if (kUnsafeInFileName.find(character) != std::string_view::npos) character = kSafeCharacter;
  }
  if (name.empty()) name = kSafeCharacter;
  // Titles are Windows-1252; the file system expects UTF-8 names.
  return (fs::path(puzzles_directory_) / (Cp1252ToUtf8(name) + "." + kSavedGameExtension)).string();
}

std::string GameSaver::DefaultTitle() const {
  std::string title = puz_.title.str() + "-" + std::to_string(puz_.cut.pieces.size());
  if (puz_.HasOption(kOptionNoRotable)) title += 'R';
  if (puz_.HasOption(kOptionNoDeform)) title += 'M';
  if (title.size() > static_cast<std::size_t>(kSavedTitleLength)) title.resize(kSavedTitleLength);
  return title;
}

unsigned GameSaver::AskName(bool ranked) {
  SaveAsFields fields;
  fields.title = puz_.saved_title.empty() ? VString(DefaultTitle()) : puz_.saved_title;
  fields.player = puz_.player;
  fields.password = puz_.password;
  fields.auto_save = (puz_.game_flags & kGameAutoSave) != 0;
  Application* application = Application::Instance();
  if (!application) return 0;
  auto* dialog = application->Make<WSaveAs>(fields, ranked, table_.play().game);
  const int result = RunModalDialog(dialog, &table_);
  if (result != static_cast<int>(kCommandOk) && result != kSaveAsRanked) return 0;
  // A title of blanks keeps the one proposed.
  std::string title(fields.title.view());
  title.erase(0, title.find_first_not_of(' '));
  title.erase(title.find_last_not_of(' ') + 1);
  puz_.saved_title = VString(title.empty() ? DefaultTitle() : title);
  puz_.player = fields.player;
  puz_.password = fields.password;
  if (fields.auto_save) {
    puz_.game_flags |= kGameAutoSave;
  } else {
    puz_.game_flags &= ~kGameAutoSave;
  }
  return result == kSaveAsRanked ? kSaveAskName | kSaveRanked : kSaveAskName;
}

Status GameSaver::Write(const std::string& path) {
  SaveDetails details;
  details.title = puz_.saved_title;
  details.player = puz_.player;
  details.password = puz_.password;
  details.counters = score_.counts();
  details.table_width = table_.width();
  details.table_height = table_.height();
  // A saved game the player made read-only is still this game's file.
  std::error_code error;
  const fs::perms permissions = fs::status(path, error).permissions();
  if (!error && (permissions & fs::perms::owner_write) == fs::perms::none)
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
  return StoreSavedGame(path.c_str(), CaptureGame(puz_, details, path));
}

Status GameSaver::SaveGame(unsigned flags) {
  if (!loaded()) return Status();
  const ClockStill still(score_);
  const bool automatic = (flags & kSaveAutomatic) != 0;
  const bool named = (puz_.state & kGameHasSaveFile) && !puz_.saved_game_path.empty();
  std::string path(puz_.saved_game_path.view());
  if (!named || (flags & kSaveAskName)) {
    const bool auto_save_unnamed = (puz_.game_flags & kGameAutoSave) && !named;
    const unsigned confirmed = AskName((puz_.game_flags & kGameCompetition) != 0);
    if (confirmed == 0) {
      // A game that was to save itself cannot without a name.
      if ((puz_.game_flags & kGameAutoSave) && (auto_save_unnamed || automatic)) {
        puz_.game_flags &= ~kGameAutoSave;
        table_.MessageBox(Text(kTextAutoSaveOff), kBoxOk | kBoxIconInformation);
      }
      return QuietCancel();
    }
    flags |= confirmed;
    path = PathFor(puz_.saved_title.view());
  }

  CBST_TRY(Write(path));
  puz_.saved_game_path = VString(path);
  puz_.state |= kGameHasSaveFile;
  puz_.last_save_tick = Now();
  if (!automatic) {
    puz_.state &= ~kGameChanged;
    settings_.Write(kKeyLastPuzzle, path);
  }
  // A ranking that cannot be written says so; the game is saved all the same.
  if (competition_) {
    Status ranked = competition_->Saved(flags);
  }
  if (flags & kSaveConfirm) table_.MessageBox(Text(kTextGameSaved), kBoxOk | kBoxIconInformation);
  return Status();
}

void GameSaver::AutoSave(unsigned request) {
  if (!loaded() || !(puz_.game_flags & kGameAutoSave) || !(puz_.state & kGameChanged)) return;
  const auto since =
      static_cast<std::uint32_t>(Now() - static_cast<std::uint32_t>(puz_.last_save_tick));
  if ((request & kAutoSaveWhenDue) && (puz_.state & kGameHasSaveFile) && since < kAutoSaveInterval)
    return;
  // A failure says why as its status goes; the game plays on.
  Status saved = SaveGame((request & kAutoSaveAutomatic) ? kSaveAutomatic : 0);
}

bool GameSaver::MayCloseGame() {
  if (!loaded() || !(puz_.state & kGameChanged)) return true;
  // Saved as the player would, so that the game is no longer changed; a
  // save that did not happen asks after all.
  if ((puz_.game_flags & kGameAutoSave) && SaveGame(0).ok()) return true;
  const ClockStill still(score_);
  const int answer = table_.MessageBox(Text(kTextSaveChangedGame),
                                       kBoxYesNoCancel | kBoxIconQuestion | kBoxTaskModal);
  if (answer == kAnswerCancel) return false;
  if (answer == kAnswerNo) return true;
  Status saved = SaveGame(0);
  if (saved.peek() == 0) return true;
  // The game stays open; the player is told why (a cancelled name says
  // nothing).
  saved.Report();
  return false;
}

Status GameSaver::LoadGame(const std::string& path) {
  SavedGame game;
  CBST_TRY(ReadSavedGame(path.c_str(), game));
  const SavedGameResumption resumption(game, path);
  const ClockStill still(score_);
  // The clock goes on from the saved game's counters once it stands.
  effects_.set_resumed_counts(game.counters);
  Status opened =
      OpenPuzzleForPlay(puz_,
                        resumption.Request(ProgramOptions().PieceDrawing(),
                                           (ProgramOptions().bits & kOptionsUseCache) != 0),
                        table_);
  effects_.set_resumed_counts(std::nullopt);
  table_.Refresh();
  CBST_TRY(std::move(opened));
  puz_.last_save_tick = Now();
  return Status();
}

Status GameSaver::Rebuild() {
  if (!loaded()) return Status();
  const bool resumed = (puz_.state & kGameHasSaveFile) != 0;
  const std::string own(puz_.saved_game_path.view());
  // A resumed game that saves itself is saved under its own name; any
  // other goes through a file of its own, deleted afterwards.
  const bool in_place = resumed && (puz_.game_flags & kGameAutoSave) && !own.empty();
  const std::string path =
      in_place ? own
               : PathFor(std::string(puz_.saved_title.empty() ? puz_.title.view()
                                                              : puz_.saved_title.view()) +
                         kTemporarySuffix);
  CBST_TRY(Write(path));
  const VString title = puz_.saved_title;
  Status loaded_again = LoadGame(path);
  if (!in_place) {
    std::error_code error;
    fs::remove(path, error);
  }
  CBST_TRY(std::move(loaded_again));
  puz_.saved_title = title;
  puz_.saved_game_path = VString(own);
  // The game entered its ranking under the temporary name: again, under its own.
  if (competition_) competition_->GameStarted();
  puz_.state |= kGameChanged;
  if (!resumed) puz_.state &= ~kGameHasSaveFile;
  return Status();
}

}  // namespace cbst
