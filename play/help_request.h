// help_request.h: a dialog of the game asks the game for its help page.
//
// F1 in a dialog (kEventHelp) and its Help button both mean "show me the
// page about this window"; the game opens the page of the topic given.
#pragma once

#include <cstdint>

namespace cbst {

struct Event;
class GameHandler;

// Whether `event` asks for the window's help page: F1, or the command of
// its Help button.
bool IsHelpRequest(Event& event);

// When `event` asks for help, hands the game the command that shows the
// page of `topic`, marks the event handled and returns true. Without a
// game the request is swallowed: there is no page to show.
bool AnswerHelpRequest(Event& event, GameHandler* game, std::intptr_t topic);

}  // namespace cbst
