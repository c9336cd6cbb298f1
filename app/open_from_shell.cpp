// open_from_shell.cpp: a puzzle from the command line, the desktop or the
// last game.
#include "app/open_from_shell.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>

#include "app/app_codes.h"
#include "app/options.h"
#include "app/saved_games.h"
#include "base/pathname.h"
#include "platform/message_box.h"
#include "play/saved_game.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/thumb.h"
#include "ui/application.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

std::string WithoutQuotes(std::string_view text) {
  std::string path(text);
  path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
  return path;
}

// Directories compare without regard to case or a final separator, as the
// paths the settings keep may have been typed by hand.
bool SameDirectory(const std::string& one, const std::string& other) {
  const auto normal = [](const std::string& path) {
    std::string text = fs::path(path).lexically_normal().string();
    while (text.size() > 1 && IsPathSeparator(text.back()))
      text.pop_back();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
  };
  return normal(one) == normal(other);
}

bool HasExtension(const PathName& path, std::initializer_list<const char*> extensions) {
  return std::any_of(extensions.begin(), extensions.end(), [&](const char* extension) {
    return strcasecmp(path.extension.c_str(), extension) == 0;
  });
}

Status OpenForPlay(Puz& puz, WPuz& table, const GamePlaces& places, const std::string& path,
                   GameSaver* saver) {
  // The game on the table goes first, saved if the player wants it.
  if (saver && !saver->MayCloseGame()) return QuietCancel();
  return OpenChosen(puz, table, places, path, PlayChoice(), saver);
}

}  // namespace

Status OpenChosen(Puz& puz, WPuz& table, const GamePlaces& places, const std::string& path,
                  const PlayChoice& choice, GameSaver* saver) {
  const PathName named(path.c_str());
  if (HasExtension(named, {kSavedGameExtension})) {
    if (!saver) return Status(kStatusNotReadable, path);
    Status resumed = saver->LoadGame(path);
    if (resumed.peek() == 0) RememberLastPuzzle(places, table, path);
    return resumed;
  }
  OpenRequest request;
  request.path = VString(path);
  request.level = choice.level;
  request.options = choice.options;
  request.cache_allowed = (ProgramOptions().bits & kOptionsUseCache) != 0;
  request.game_flags = ProgramOptions().DefaultGameFlags();
  request.sheets = ProgramOptions().PieceDrawing();
  Status opened = OpenPuzzleForPlay(puz, request, table);
  table.Refresh();
  if (opened.peek() == 0) RememberLastPuzzle(places, table, path);
  return opened;
}

std::string GamePlaces::PuzzlesDirectory() const {
  const VString kept = settings.Read(kKeyPuzzlesDirectory);
  return settings.Has(kKeyPuzzlesDirectory) ? std::string(kept.c_str()) : program_directory;
}

Status OpenFromCommandLine(Puz& puz, WPuz& table, const GamePlaces& places,
                           std::string_view command_line, GameSaver* saver) {
  std::string path = WithoutQuotes(command_line);
  const std::string puzzles = places.PuzzlesDirectory();
  if (path.empty()) {
    // The puzzle browser offers the last puzzle; without it, the last
    // puzzle is opened at its first level when it is still there.
    if (!places.settings.Has(kKeyLastPuzzle)) return Status();
    const PathName last(places.settings.Read(kKeyLastPuzzle).c_str());
    const std::string inside =
        (fs::path(puzzles) / last.Compose(kPathName | kPathExtension).c_str()).string();
    std::error_code error;
    if (!fs::exists(inside, error)) return Status();
    return OpenForPlay(puz, table, places, inside, saver);
  }

  const PathName named(path.c_str());
  // Making a puzzle of a picture and going on with a saved game come with
  // their own windows; until then the player is told what the file is
  // rather than that it is not a file the program reads.
  if (HasExtension(named, {"jpg", "jpe", "jpeg", "jfif", "bmp", "gif"}))
    return Status(kStatusPictureNotYet, path);
  const std::string directory =
      named.directory.empty() ? fs::current_path().string() : std::string(named.directory.c_str());
  if (!SameDirectory(directory, puzzles)) {
    Thumb header;
    CBST_TRY(header.Open(path.c_str(), false));
    ShowMessageBox(table.platform_window(), kPuzzleElsewhereWarning,
                   kBoxOk | kBoxIconExclamation | kBoxSystemModal);
  }
  return OpenForPlay(puz, table, places, path, saver);
}

void RememberLastPuzzle(const GamePlaces& places, WPuz& table, std::string_view path) {
  places.settings.Write(kKeyLastPuzzle, path);
  if (Application* application = Application::Instance())
    application->Post(&table, MakeEvent(kEventCommand, CommandPayload{kCommandLastPuzzleChanged}));
}

}  // namespace cbst
