// browser_lines.h: what the puzzle browser lists and how it filters it:
// one line per level of every puzzle file (and one for a size of the
// player's own where the puzzle allows it) and one per saved game in the
// puzzles folder, the status, level and player tests, and the filter and
// variant settings the player may store.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {

enum class LineKind { kPuzzle, kSavedGame };

struct BrowserLine {
  std::string path;  // the puzzle file or the saved game
  LineKind kind = LineKind::kPuzzle;
  int level = 0;  // 0..4, or kCustomLevel
  bool custom = false;
  std::string title;   // the puzzle's, or the saved game's own
  std::string player;  // saved games only
  // The puzzle file, whose thumbnail the line shows, its title and the
  // credit it gives its picture; a surprise puzzle shows no thumbnail.
  std::string puzzle_path;
  std::string puzzle_title;
  std::string credit;
  bool no_preview = false;
  int rows = 0;  // 0 for a custom level not yet chosen
  int columns = 0;
  // Saved games: the part of the puzzle still to do, 0 when finished.
  double progress = 1.0;
  int elapsed_ms = 0;

  friend bool operator==(const BrowserLine&, const BrowserLine&) = default;
};

struct BrowserListing {
  std::vector<BrowserLine> lines;
  // The distinct players of the saved games, in the order first met.
  std::vector<std::string> players;
  // How many files were read rather than taken from the folder's cache.
  int files_read = 0;
};

// How a scan tells what it is doing: `after_file` after each file (the
// browser keeps its window answering there), `reading` before each file
// the cache could not give, with how many of those were read before it
// and how many there are.
struct FillWatch {
  std::function<void()> after_file;
  std::function<void(int read, int to_read)> reading;
};

// Reads every "*.puz" of `directory`, then every "*.sav", in name order; a
// file whose header cannot be read is left out. What the folder's cache
// (DirCache) knows of a file that has not changed is taken from there, and
// the cache is brought up to date when anything was read.
BrowserListing FillBrowserLines(const std::string& directory, const FillWatch& watch = {});

// The browser's filter and variant boxes.
struct BrowserFilter {
  bool show_new = true;        // "O"
  bool show_started = true;    // "A"
  bool show_finished = false;  // "F"
  std::array<bool, kStoredLevels> levels = {};
  bool custom = false;
  bool all_levels = true;
  std::string player;  // empty: any player
  bool no_rotation = false;
  bool mosaic = false;
};

bool PassesFilter(const BrowserLine& line, const BrowserFilter& filter);

inline constexpr std::string_view kSectionBrowser = "OptsLoad";
inline constexpr std::string_view kKeyBrowserLevel = "Level";
inline constexpr std::string_view kKeyBrowserPlayer = "Player";
inline constexpr std::string_view kKeyBrowserStatus = "Status";
inline constexpr std::string_view kKeyBrowserNonRotate = "NonRotate";
inline constexpr std::string_view kKeyBrowserMosaic = "Mosaic";

// The stored filter, with its defaults for what is not stored.
BrowserFilter ReadBrowserFilter(const Settings& settings);
void WriteBrowserFilter(const Settings& settings, const BrowserFilter& filter);

}  // namespace cbst
