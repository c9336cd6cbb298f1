// removal.h: taking the installation away again ("@remove").
#pragma once

#include <filesystem>
#include <vector>

#include "setup/install_place.h"
#include "setup/setup_questions.h"

namespace cbst {

// Asks and removes. With a setup log: every file it lists (but the
// program, which is running), the puzzles, saved games and scores, the
// folder cache, the desktop shortcut, the log and the settings file; a
// file that stays is told by name. Without one, only the desktop shortcut
// is offered. True when the installation was removed and its registrations
// should go too; the files that could not go while the program runs are
// added to `in_use`.
bool Remove(const InstallPlace& place, SetupQuestions& questions,
            std::vector<std::filesystem::path>& in_use);

// Takes away the program group, the file types that are still the
// program's, and the uninstall entry.
void Unregister();

// Deletes files left by Remove once the program no longer runs from them,
// and the program directory when that is empty then.
void DeleteAtExit(std::vector<std::filesystem::path> files, std::filesystem::path directory);

}  // namespace cbst
