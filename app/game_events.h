// game_events.h: GameEvents, the game object's answer to what the table
// leaves to it: the game's menus, its commands, and the hint on a click on
// the empty table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "gfx/rect_animation.h"
#include "play/game_handler.h"
#include "puzzle/puz.h"
#include "scores/wminiscore.h"
#include "ui/event.h"

namespace cbst {

class CompetitionMode;
class GameSaver;
struct MakeContext;
class GameScore;
class PieceBoxes;
struct KeyAction;
class SoundPlayer;
class WPuz;

// Offered to the game's hooks before the game helps; a hook that sets the
// handled flag keeps the help from running.
inline constexpr std::uint16_t kEventHelpAsked = 200;

// Something that watches the game's requests and may stop one.
class GameHook {
 public:
  virtual ~GameHook() = default;
  virtual void OnGameHookEvent(Event& event) = 0;
};

// The game's commands.
inline constexpr std::uint32_t kCommandMinimise = 10;
inline constexpr std::uint32_t kCommandMaximise = 11;
inline constexpr std::uint32_t kCommandOpen = 101;
inline constexpr std::uint32_t kCommandSave = 102;
inline constexpr std::uint32_t kCommandSaveAs = 103;
inline constexpr std::uint32_t kCommandQuit = 111;
inline constexpr std::uint32_t kCommandAbout = 114;
inline constexpr std::uint32_t kCommandHelpContents = 119;
inline constexpr std::uint32_t kCommandBackground = 170;
inline constexpr std::uint32_t kCommandHideBoxes = 1006;
inline constexpr std::uint32_t kCommandShowBoxes = 1007;
inline constexpr std::uint32_t kCommandOptions = 1008;
inline constexpr std::uint32_t kCommandAutomaticHelp = 1102;
inline constexpr std::uint32_t kCommandSpread = 1103;
inline constexpr std::uint32_t kCommandTogglePreview = 1104;
inline constexpr std::uint32_t kCommandGameSettings = 1106;
inline constexpr std::uint32_t kCommandShowScore = 1107;
inline constexpr std::uint32_t kCommandHideScore = 1108;
inline constexpr std::uint32_t kCommandAdvancedOptions = 1112;
inline constexpr std::uint32_t kCommandNoPreview = 1125;
inline constexpr std::uint32_t kCommandMakePuzzle = 1300;
inline constexpr std::uint32_t kCommandPreviewHelp = 1301;
// The table takes the text on the clipboard: a score certificate or a
// ranking, for the ranking of its puzzle.
inline constexpr std::uint32_t kCommandPasteScores = 3021;
inline constexpr std::uint32_t kCommandReopen = 1128;
// Starts (parameter 1) or ends (0) competition mode in the game played.
inline constexpr std::uint32_t kCommandCompetitionMode = 1160;

// The commands that open a window of their own or work on saved games,
// and whether that part of the game exists yet. A command that is not
// ready is shown greyed in the game's menu and its key does nothing; the
// issue that builds its window turns its entry on here.
struct CommandReadiness {
  std::uint32_t command;
  bool ready;
};
inline constexpr CommandReadiness kCommandReadiness[] = {
    {kCommandOpen, true},             // the puzzle browser
    {kCommandSave, true},             // saved games
    {kCommandSaveAs, true},           // saved games
    {kCommandAbout, true},            // the credits window
    {kCommandOptions, true},          // WOptions
    {kCommandTogglePreview, true},    // the preview window
    {kCommandGameSettings, true},     // WInfo
    {kCommandAdvancedOptions, true},  // WAdvanced
    {kCommandMakePuzzle, true},       // WMakePuzzle
    {kCommandLiveRanking, true},      // the small score window
};
// False only for a command listed above whose window is still to come.
constexpr bool CommandReady(std::uint32_t command) {
  for (const CommandReadiness& entry : kCommandReadiness)
    if (entry.command == command) return entry.ready;
  return true;
}
// The closing animation: the table shrinks to a square of this side with a
// trail this thick, then the game waits twice before it goes.
inline constexpr int kQuitSquare = 40;
inline constexpr int kQuitTrail = 16;
inline constexpr int kQuitMilliseconds = 350;
inline constexpr int kQuitWaitMilliseconds = 300;
inline constexpr int kHideMilliseconds = 250;
// The hint on a click on the empty table is shown this often in the life
// of an installation, counted in the settings file.
inline constexpr int kClickHintTimes = 3;
inline constexpr std::string_view kKeyClickHints = "nSayClick2";

class GameEvents final : public GameHandler {
 public:
  GameEvents(WPuz& table, Puz& puz, const Settings& settings, std::string program_directory,
             bool low_colour);

  // The clock the game's animations run on.
  void set_clock(AnimationClock* clock) { clock_ = clock; }
  // The game's piece boxes; without them the box keys are not the game's.
  void set_boxes(PieceBoxes* boxes) { boxes_ = boxes; }
  // The player of the program's sounds, which also plays the credits' music.
  void set_sounds(SoundPlayer* sounds) { sounds_ = sounds; }
  // Saves and resumes games; without it nothing is saved.
  void set_saver(GameSaver* saver) { saver_ = saver; }
  // The score keeper, whose numbers the game settings window shows.
  void set_score(const GameScore* score) { score_ = score; }
  // Competition mode and its score window.
  void set_competition(CompetitionMode* competition) { competition_ = competition; }
  // Makes a change of the option bits take effect; given the bits as they
  // were before it.
  void set_options_applied(std::function<void(std::uint32_t before)> applied) {
    options_applied_ = std::move(applied);
  }
  void AddHook(GameHook& hook);
  void RemoveHook(GameHook& hook);

  void OnGameEvent(Event& event) override;
  void BuildMenu(int kind, XPopMenu& menu) override;
  void EmptyTableClicked() override;

 private:
  bool loaded() const { return !puz_.cut.pieces.empty(); }
  // A help, a turn or another piece animation is running.
  bool busy() const;
  // True when a hook vetoed the event.
  bool OfferToHooks(Event& event);
  void Decorate(MenuDecorationPayload& item) const;
  bool OnBoxKey(const KeyPayload& key);
  bool TakeGroupUnderCursor(int box);
  bool OnCommand(std::uint32_t command, std::intptr_t parameter);
  bool OnKey(const KeyPayload& key);
  // A key pressed while the preview window shows puts it away first; true
  // when that was all the key asked (it was the key that showed it).
  bool PreviewKey(const KeyPayload& key, const KeyAction& action);
  void TogglePreview(std::intptr_t key);
  void Quit();
  // Esc with its option: the table shrinks away and is minimised.
  void HideGame();
  void ChooseBackground();
  // The options window; pieces drawn otherwise rebuild the game after it.
  void ShowOptions();
  void ShowGameSettings();
  // F4: the ranking the game in progress competes in.
  void ShowCompetition();
  // Ctrl+V: a certificate or ranking on the clipboard, into its ranking.
  void PasteFromClipboard();
  // The special options; a change of the drawing method rebuilds the game.
  void ShowAdvancedOptions();
  // The credits, over the table, with the clock standing still.
  void ShowAbout();
  // Ctrl+O: the puzzle browser, then what the player chose in it.
  void Browse();
  // Takes the game off the table: its pieces, boxes and pictures.
  void ReleaseGame();
  // A puzzle or saved game dropped on the table; false when none was.
  bool OpenDropped(const FilesPayload& dropped);
  void Reopen();
  // What making a puzzle needs of the game.
  MakeContext MakingContext();
  void OpenHelp(int context);
  // A rectangle animation over the screen, unless animations are off.
  void Animate(const RectAnimation& animation);

  WPuz& table_;
  Puz& puz_;
  const Settings& settings_;
  std::string program_directory_;
  SteadyAnimationClock steady_clock_;
  AnimationClock* clock_ = &steady_clock_;
  bool low_colour_;
  PieceBoxes* boxes_ = nullptr;
  SoundPlayer* sounds_ = nullptr;
  GameSaver* saver_ = nullptr;
  const GameScore* score_ = nullptr;
  CompetitionMode* competition_ = nullptr;
  std::function<void(std::uint32_t)> options_applied_;
  // A key offered to a box may come back here: it is not offered again.
  int offering_key_ = 0;
  std::vector<GameHook*> hooks_;
  // The browser is up (Browse).
  bool browsing_ = false;
};

}  // namespace cbst
