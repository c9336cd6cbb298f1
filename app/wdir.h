// wdir.h: WDir, the puzzle browser: every level of every puzzle and every
// saved game of the puzzles folder in one list, filtered by status, level
// and player; the player picks a line and the variants of a new game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/browser_line_drawing.h"
#include "app/browser_lines.h"
#include "app/settings.h"
#include "ui/win_dlg.h"

namespace cbst {

class GameHandler;

// The window's template and controls.
inline constexpr int kBrowserTemplate = 3000;
inline constexpr int kBrowserList = 3000;
inline constexpr int kBrowserOpen = 101;
inline constexpr int kBrowserMakePuzzle = 1300;
inline constexpr int kBrowserClose = 2;
// Deletes the chosen saved game, after asking.
inline constexpr int kBrowserDelete = 142;
inline constexpr int kBrowserHelp = 119;
// The captions of the two groups of filter boxes: which lines, which levels.
inline constexpr int kBrowserShowGroup = 3001;
inline constexpr int kBrowserLevelGroup = 3009;
inline constexpr int kTextBrowserShowGroup = 539;
inline constexpr int kBrowserShowNew = 3002;
inline constexpr int kBrowserShowStarted = 3003;
inline constexpr int kBrowserShowFinished = 3004;
inline constexpr int kBrowserNoRotation = 3006;
inline constexpr int kBrowserMosaic = 3007;
inline constexpr int kBrowserStore = 3008;
inline constexpr int kBrowserFirstLevel = 3010;
inline constexpr int kBrowserAllLevels = 3015;
inline constexpr int kBrowserPlayer = 3016;
inline constexpr int kBrowserStatusLine = 3017;
inline constexpr int kBrowserCustom = 3018;
// The any-player item of the player list.
inline constexpr int kTextAnyPlayer = 538;
inline constexpr int kHelpTopicBrowser = 101;
// The status line: puzzles and saved games listed, and the chosen line.
inline constexpr int kTextBrowserCounts = 591;
inline constexpr int kTextBrowserSelected = 592;
// Asks whether to delete the saved game named.
inline constexpr int kTextDeleteSavedGame = 590;
// Room for a message with a title in it.
inline constexpr int kMessageRoom = 512;
// While the folder is read the window answers at least this often.
inline constexpr int kFillAnswerMs = 500;

// What the player chose; empty when the browser was closed.
struct BrowserChoice {
  BrowserLine line;
  std::uint32_t options = 0;  // kOpenNoTurning, kOpenMosaic
  bool chosen = false;
  bool make_puzzle = false;  // the player asked for a new puzzle instead
};

class WDir final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Lists `directory`; the line of `preselect` (a puzzle or saved game's
  // path, its first level) is selected when listed. Help goes to `game`.
  WDir(const Settings& settings, std::string directory, std::string preselect,
       BrowserChoice& choice, GameHandler* game);

  void OnEvent(Event& event) override;

  // The lines of the list control, in order (for the tests and drawing).
  const std::vector<const BrowserLine*>& shown() const { return shown_; }

 private:
  void Prime();
  void Fill();
  void Refilter();
  void ShowFilter(const BrowserFilter& filter);
  BrowserFilter TakeFilter();
  int SelectedIndex();
  void Selected();
  void DeleteSavedGame();
  void Choose();
  void ShowHelp();
  bool OnCommand(const CommandPayload& command);

  const Settings& settings_;
  std::string directory_;
  std::string preselect_;
  BrowserChoice& choice_;
  GameHandler* game_;
  bool primed_ = false;
  BrowserListing listing_;
  std::vector<const BrowserLine*> shown_;
  BrowserThumbnails thumbnails_;
  std::string custom_text_;
};

// The status line: how many puzzles and saved games `shown` holds, and
// which line is chosen (-1: none).
std::string BrowserStatusText(const std::vector<const BrowserLine*>& shown, int selected);

}  // namespace cbst
