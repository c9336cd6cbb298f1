// browse_puzzles.cpp: the browser, then the game it chose.
#include "app/browse_puzzles.h"

#include "app/make_from_picture.h"
#include "app/saved_games.h"
#include "app/wdir.h"
#include "play/game_flags.h"
#include "ui/application.h"

namespace cbst {

Status BrowseAndOpen(Puz& puz, WPuz& table, const GamePlaces& places, GameSaver* saver,
                     const std::string& preselect) {
  Application* application = Application::Instance();
  if (!application) return QuietCancel();
  for (;;) {
    BrowserChoice choice;
    auto* browser = application->Make<WDir>(places.settings, places.PuzzlesDirectory(), preselect,
                                            choice, table.play().game);
    RunModalDialog(browser, &table);
    if (choice.make_puzzle) {
      // A puzzle made opens on the table; a make left undone comes back here.
      if (PickAndMakePuzzle({{places, &table, &puz}, saver})) return Status();
      continue;
    }
    if (!choice.chosen) return QuietCancel();
    const PlayChoice play{choice.line.level, choice.options};
    Status opened = OpenChosen(puz, table, places, choice.line.path, play, saver);
    if (opened.peek() == kStatusQuietCancel) continue;
    if (opened.peek() == 0 && choice.line.kind == LineKind::kPuzzle && saver &&
        (puz.game_flags & (kGameCompetition | kGameAutoSave))) {
      Status saved = saver->SaveGame(0);
    }
    return opened;
  }
}

}  // namespace cbst
