// game_events.cpp: the game's menus and the commands that act on the
// table and the board.
#include "app/game_events.h"

#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/mouse_buttons.h"
#include "play/game_flags.h"
#include "play/wpuz.h"
#include "puzzle/puzzle_codes.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/event_codes.h"
#include "ui/pop_menu.h"

namespace cbst {
namespace {

// Texts that name an item or its shortcut.
constexpr int kTextMinimise = 10;
constexpr int kTextBackground = 28;
constexpr int kTextDoubleClick = 29;
constexpr int kTextSwappedDoubleClick = 30;

void AppendItem(XPopMenu& menu, std::uint32_t command, std::string_view accelerator = {}) {
  menu.Append(command, ControlText(0, static_cast<int>(command)), accelerator);
}

}  // namespace

GameEvents::GameEvents(WPuz& table, Puz& puz, const Settings& settings, std::uint32_t& game_flags,
                       bool low_colour)
    : table_(table),
      puz_(puz),
      settings_(settings),
      game_flags_(game_flags),
      low_colour_(low_colour) {}

void GameEvents::BuildMenu(int kind, XPopMenu& menu) {
  if (kind == kMenuPreview) {
    AppendItem(menu, kCommandNoPreview);
    AppendItem(menu, kCommandPreviewHelp);
    return;
  }
  AppendItem(menu, kCommandOpen, "Ctrl+O");
  AppendItem(menu, kCommandMakePuzzle, "Ctrl+C");
  if (loaded()) {
    AppendItem(menu, kCommandSave, "Ctrl+S");
    AppendItem(menu, kCommandOptions, "F3");
    AppendItem(menu, kCommandGameSettings, "F2");
    if (!low_colour_) menu.Append(kCommandBackground, Text(kTextBackground));
    if (!puz_.HasOption(kOptionNoPreview))
      AppendItem(menu, kCommandTogglePreview,
                 Text(MouseButtonsSwapped() ? kTextSwappedDoubleClick : kTextDoubleClick));
    if (!puz_.HasOption(kOptionNoHelp) && !(puz_.state & kGameSolved))
      AppendItem(menu, kCommandAutomaticHelp, "F5");
    AppendItem(menu, kCommandSpread, "Ctrl+R");
    if (game_flags_ & kGameCompetition) AppendItem(menu, kCommandCompetition, "F4");
  } else {
    AppendItem(menu, kCommandOptions, "F3");
  }
  AppendItem(menu, kCommandAbout);
  AppendItem(menu, kCommandHelpContents, "F1");
  menu.Append(kCommandMinimise, Text(kTextMinimise));
  AppendItem(menu, kCommandQuit);
}

void GameEvents::EmptyTableClicked() {
  const long shown = settings_.ReadNumber(kKeyClickHints);
  if (shown >= kClickHintTimes) return;
  settings_.WriteNumber(kKeyClickHints, shown + 1);
  table_.MessageBox(Text(kTextClickHint), kBoxOk | kBoxIconInformation);
}

void GameEvents::OnGameEvent(Event& event) {
  if (event.code != kEventCommand) return;
  if (const auto* command = event.as<CommandPayload>(); command && OnCommand(command->id))
    event.set_handled();
}

bool GameEvents::OnCommand(std::uint32_t command) {
  switch (command) {
    case kCommandMinimise:
    case kCommandMaximise: {
      Event show = MakeEvent(
          kRequestShow,
          ShowPayload{false, command == kCommandMinimise ? kShowMinimised : kShowFullScreen});
      table_.Dispatch(show);
      return true;
    }
    case kCommandQuit:
    case kCommandEndSession:
      // The table closes once the command that asked for it is over.
      if (Application* application = Application::Instance())
        application->Post(&table_, MakeEvent(kEventCommand, CommandPayload{kCommandClose, 0}));
      return true;
    case kCommandAutomaticHelp:
      if (loaded() && !puz_.HasOption(kOptionNoHelp) && !(puz_.state & kGameHelping))
        table_.board().Help();
      return true;
    case kCommandSpread:
      if (loaded()) table_.board().Scatter(kTableWindow, KeyDown(kVirtualAlt), true);
      return true;
    default:
      // The rest arrive with the windows and files they open.
      return false;
  }
}

}  // namespace cbst
