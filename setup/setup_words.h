// setup_words.h: the installation words of the command line, and the setup
// hooks that start-up calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/setup_hooks.h"
#include "setup/setup_questions.h"

namespace cbst {

enum class SetupWord {
  kNone,          // nothing for setup: the command line is the player's
  kSetup,         // "@setup": the full setup
  kProgramGroup,  // "@instalprogman": the program group after a setup
  kFirstRun,      // no word, and the welcome was never completed
  kPack,          // "@instalpack": a puzzle pack
  kFiles,         // "@instalfiles": files the outside installer names
  kRemove,        // "@remove"
};

struct SetupRoute {
  SetupWord word = SetupWord::kNone;
  std::string language;             // after "/lang:", for the program group
  std::vector<std::string> pieces;  // the command line split at '@'
};

// Which word decides, in their order: each is looked for anywhere in the
// line, as it is written.
SetupRoute RouteSetupWords(std::string_view command_line, bool welcome_done);

// Acts on `route` as start-up does: shows the windows, copies, removes.
// Says how start-up goes on; `command_line` is emptied when the program goes
// on without it.
StartMode ActOnSetupRoute(const SetupRoute& route, const SetupContext& context,
                          std::string& command_line, SetupQuestions& questions);

// Makes the installation code the program's setup hooks.
void InstallSetup();

}  // namespace cbst
