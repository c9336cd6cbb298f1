// browser_lines.cpp: the puzzle browser's lines, their filter and its
// stored settings.
#include "app/browser_lines.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "app/dir_cache.h"
#include "play/game_score.h"
#include "play/saved_game.h"
#include "play/saved_game_state.h"
#include "puzzle/option_string.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/thumb.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

inline constexpr char kPuzzleExtension[] = ".puz";
inline constexpr char kSavedExtension[] = ".sav";
// The option naming the picture's author.
inline constexpr std::string_view kCreditKey = "(c):";

// The files of `directory` with this extension (any case), in name order
// so that the list does not depend on how the folder happens to be kept.
std::vector<std::string> FilesEndingIn(const std::string& directory, const char* extension) {
  std::vector<std::string> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
    const std::string ending = entry.path().extension().string();
    if (strcasecmp(ending.c_str(), extension) == 0 && entry.is_regular_file(error))
      files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

CachedFile ReadPuzzle(const std::string& path, const FileStamp& stamp) {
  CachedFile entry;
  entry.stamp = stamp;
  Thumb header;
  if (header.Open(path.c_str(), false).code() != 0) return entry;
  OptionString options(header.options.view());
  const std::string credit = options.Take(kCreditKey).value_or("");
  const int levels = std::min<int>(header.level_count, kStoredLevels);
  for (int level = 0; level < levels; ++level) {
    BrowserLine line;
    line.path = path;
    line.level = level;
    line.title = header.title.c_str();
    line.puzzle_path = path;
    line.puzzle_title = line.title;
    line.credit = credit;
    line.no_preview = (header.flags & kThumbNoPreview) != 0;
    line.rows = header.level_rows[level];
    line.columns = header.level_columns[level];
    entry.lines.push_back(std::move(line));
  }
  // A puzzle that lets the player choose the size has a line for that
  // too; the size is asked for as the game opens.
  if (!(header.flags & kThumbNoCustomSize) && !entry.lines.empty()) {
    BrowserLine line = entry.lines.front();
    line.level = kCustomLevel;
    line.custom = true;
    line.rows = line.columns = 0;
    entry.lines.push_back(std::move(line));
  }
  return entry;
}

CachedFile ReadSavedGameLine(const std::string& path, const FileStamp& stamp) {
  CachedFile entry;
  entry.stamp = stamp;
  SavedGame game;
  if (ReadSavedGame(path.c_str(), game).code() != 0) return entry;
  // A saved game is only listed when its puzzle is there to resume it.
  entry.puzzle = SavedPuzzlePath(game, path);
  entry.puzzle_stamp = StampOf(entry.puzzle);
  Thumb puzzle;
  if (puzzle.Open(entry.puzzle.c_str(), false).code() != 0) return entry;
  BrowserLine line;
  line.path = path;
  line.kind = LineKind::kSavedGame;
  line.custom = game.level >= puzzle.level_count || game.level == kCustomLevel;
  line.level = line.custom ? kCustomLevel : game.level;
  line.title = game.title.c_str();
  line.player = game.player.c_str();
  line.puzzle_path = entry.puzzle;
  line.puzzle_title = puzzle.title.c_str();
  OptionString options(puzzle.options.view());
  line.credit = options.Take(kCreditKey).value_or("");
  line.no_preview = (puzzle.flags & kThumbNoPreview) != 0;
  if (line.custom) {
    line.rows = game.custom_rows;
    line.columns = game.custom_columns;
  } else {
    line.rows = puzzle.level_rows[line.level];
    line.columns = puzzle.level_columns[line.level];
  }
  const int sides = SidesToJoin(line.rows, line.columns);
  line.progress =
      sides > 0
          ? std::clamp(1.0 - static_cast<double>(game.counters.joined_sides) / sides, 0.0, 1.0)
          : 0.0;
  line.elapsed_ms = game.counters.elapsed;
  entry.lines.push_back(std::move(line));
  return entry;
}

bool SamePlayer(const std::string& one, const std::string& other) {
  return strcasecmp(one.c_str(), other.c_str()) == 0;
}

}  // namespace

BrowserListing FillBrowserLines(const std::string& directory, const FillWatch& watch) {
  struct Found {
    std::string path;
    std::string name;
    FileStamp stamp;
    bool puzzle;
    CachedFile* cached;
  };
  DirCache cache = DirCache::Load(directory);
  std::vector<Found> files;
  int to_read = 0;
  for (const bool puzzles : {true, false}) {
    for (std::string& path :
         FilesEndingIn(directory, puzzles ? kPuzzleExtension : kSavedExtension)) {
      Found file{std::move(path), {}, {}, puzzles, nullptr};
      file.name = fs::path(file.path).filename().string();
      file.stamp = StampOf(file.path);
      file.cached = cache.Find(file.name, file.stamp);
      if (!file.cached) ++to_read;
      files.push_back(std::move(file));
    }
  }

  BrowserListing listing;
  DirCache now;
  for (const Found& file : files) {
    CachedFile entry;
    if (file.cached) {
      entry = std::move(*file.cached);
    } else {
      if (watch.reading) watch.reading(listing.files_read, to_read);
      entry = file.puzzle ? ReadPuzzle(file.path, file.stamp)
                          : ReadSavedGameLine(file.path, file.stamp);
      ++listing.files_read;
    }
    listing.lines.insert(listing.lines.end(), entry.lines.begin(), entry.lines.end());
    now.entries[file.name] = std::move(entry);
    if (watch.after_file) watch.after_file();
  }
  // A folder the program may not write in is read afresh every time.
  if (listing.files_read > 0 || now.entries.size() != cache.entries.size())
    now.Save(directory).MarkHandled();
  for (const BrowserLine& line : listing.lines) {
    if (line.kind != LineKind::kSavedGame || line.player.empty()) continue;
    if (std::find(listing.players.begin(), listing.players.end(), line.player) ==
        listing.players.end())
      listing.players.push_back(line.player);
  }
  return listing;
}

bool PassesFilter(const BrowserLine& line, const BrowserFilter& filter) {
  const bool any_player = filter.player.empty();
  bool status = false;
  if (line.kind == LineKind::kPuzzle) {
    status = filter.show_new && any_player;
  } else {
    const bool finished = line.progress == 0.0;
    status = (filter.show_started || finished) && (filter.show_finished || !finished) &&
             (any_player || SamePlayer(filter.player, line.player));
  }
  const bool level_box =
      !line.custom && line.level >= 0 && line.level < kStoredLevels && filter.levels[line.level];
  const bool level = (line.custom || level_box || filter.all_levels) &&
                     (!line.custom || filter.custom || filter.all_levels);
  return status && level;
}

BrowserFilter ReadBrowserFilter(const Settings& settings) {
  BrowserFilter filter;
  filter.all_levels = false;
  const std::string levels = settings.Read(kKeyBrowserLevel, kSectionBrowser).c_str();
  if (levels.find_first_not_of(' ') == std::string::npos || levels == "*") {
    filter.all_levels = true;
  } else {
    std::stringstream items(levels);
    std::string item;
    while (std::getline(items, item, ',')) {
      item.erase(0, item.find_first_not_of(' '));
      item.erase(item.find_last_not_of(' ') + 1);
      if (item == "*") {
        filter.all_levels = true;
      } else if (item == "5") {
        filter.custom = true;
      } else if (item.size() == 1 && item[0] >= '0' && item[0] <= '4') {
        filter.levels[item[0] - '0'] = true;
      }
    }
  }
  const std::string player = settings.Read(kKeyBrowserPlayer, kSectionBrowser).c_str();
  filter.player =
      (player.find_first_not_of(' ') == std::string::npos || player == "0") ? "" : player;
  const std::string status = settings.Read(kKeyBrowserStatus, kSectionBrowser).c_str();
  filter.show_new = status.find('O') != std::string::npos;
  filter.show_started = status.find('A') != std::string::npos;
  filter.show_finished = status.find('F') != std::string::npos;
  if (!filter.show_new && !filter.show_started && !filter.show_finished)
    filter.show_new = filter.show_started = true;
  filter.no_rotation = settings.ReadNumber(kKeyBrowserNonRotate, kSectionBrowser) != 0;
  filter.mosaic = settings.ReadNumber(kKeyBrowserMosaic, kSectionBrowser) != 0;
  return filter;
}

void WriteBrowserFilter(const Settings& settings, const BrowserFilter& filter) {
  std::string levels;
  const auto add = [&levels](std::string_view item) {
    if (!levels.empty()) levels += ',';
    levels += item;
  };
  for (int level = 0; level < kStoredLevels; ++level)
    if (filter.levels[level]) add(std::to_string(level));
  if (filter.custom) add("5");
  if (filter.all_levels) add("*");
  settings.Write(kKeyBrowserLevel, levels, kSectionBrowser);
  settings.Write(kKeyBrowserPlayer, filter.player.empty() ? "0" : filter.player, kSectionBrowser);
  std::string status;
  if (filter.show_new) status += 'O';
  if (filter.show_started) status += 'A';
  if (filter.show_finished) status += 'F';
  settings.Write(kKeyBrowserStatus, status, kSectionBrowser);
  settings.WriteNumber(kKeyBrowserNonRotate, filter.no_rotation ? 1 : 0, kSectionBrowser);
  settings.WriteNumber(kKeyBrowserMosaic, filter.mosaic ? 1 : 0, kSectionBrowser);
}

}  // namespace cbst
