// open_from_shell.cpp: a puzzle from the command line, the desktop or the
// last game.
#include "app/open_from_shell.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>

#include "app/app_codes.h"
#include "app/browse_puzzles.h"
#include "app/command_line.h"
#include "app/make_from_picture.h"
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
  const std::string path = WithoutQuotes(command_line);
  const std::string puzzles = places.PuzzlesDirectory();
  // The browser lists the folder's files under these paths.
  const auto inside = [&puzzles](const std::string& file) {
    return (fs::path(puzzles) / fs::path(file).filename()).string();
  };
  switch (ClassifyCommandLine(path, puzzles)) {
    case CommandLineKind::kNothing: {
      // The browser, with the last puzzle or saved game played chosen.
      const std::string last = places.settings.Read(kKeyLastPuzzle).c_str();
      return BrowseAndOpen(puz, table, places, saver, last.empty() ? last : inside(last));
    }
    case CommandLineKind::kPicture:
      // A picture is made into a puzzle, which then opens; a make the
      // player leaves goes on as if nothing had been named.
      if (MakePuzzleFromPicture({{places, &table, &puz}, saver}, path.c_str())) return Status();
      return OpenFromCommandLine(puz, table, places, "", saver);
    case CommandLineKind::kPuzzleInFolder:
      if (saver && !saver->MayCloseGame()) return QuietCancel();
      return BrowseAndOpen(puz, table, places, saver, inside(path));
    case CommandLineKind::kSavedInFolder:
      return OpenForPlay(puz, table, places, path, saver);
    case CommandLineKind::kFileElsewhere:
      break;
  }
  Thumb header;
  CBST_TRY(header.Open(path.c_str(), false));
  ShowMessageBox(table.platform_window(), kPuzzleElsewhereWarning,
                 kBoxOk | kBoxIconExclamation | kBoxSystemModal);
  return OpenForPlay(puz, table, places, path, saver);
}

void RememberLastPuzzle(const GamePlaces& places, WPuz& table, std::string_view path) {
  // Settings that cannot be written still name an earlier game: reopening
  // "the last one" would put that game in place of this one.
  if (!places.settings.Write(kKeyLastPuzzle, path)) return;
  if (Application* application = Application::Instance())
    application->Post(&table, MakeEvent(kEventCommand, CommandPayload{kCommandLastPuzzleChanged}));
}

}  // namespace cbst
