// help_request.cpp: a dialog of the game asks the game for its help page.
#include "play/help_request.h"

#include "play/game_handler.h"
#include "play/wspuz.h"
#include "ui/event.h"
#include "ui/event_codes.h"

namespace cbst {

bool IsHelpRequest(Event& event) {
  if (event.code == kEventHelp) return true;
  const auto* command = event.code == kEventCommand ? event.as<CommandPayload>() : nullptr;
  return command && command->id == kCommandHelp;
}

bool AnswerHelpRequest(Event& event, GameHandler* game, std::intptr_t topic) {
  if (!IsHelpRequest(event)) return false;
  event.set_handled();
  if (game) {
    Event help = MakeEvent(kEventCommand, CommandPayload{kCommandHelp, topic});
    game->OnGameEvent(help);
  }
  return true;
}

}  // namespace cbst
