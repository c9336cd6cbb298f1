// wnamebox.cpp: the dialog that names a piece box.
#include "play/wnamebox.h"

#include <string>

#include "play/game_handler.h"
#include "play/help_request.h"
#include "play/wbox.h"
#include "play/wpuz.h"
#include "puzzle/piece_box.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/control.h"

namespace cbst {

const ClassInfo WNameBox::kClass = {&WinDlg::kClass, "WNameBox"};

WNameBox::WNameBox(int index, VString& name, GameHandler* game)
    : WinDlg(kNameBoxTemplate), index_(index), name_(name), game_(game) {}

void WNameBox::Prime() {
  primed_ = true;
  SetTitle(std::string(kNameBoxTitle) + std::to_string(index_));
  // The dictionary's words where it has them; the template's otherwise.
  const auto say = [this](int id, const char* text) {
    if (text && *text) SetItemText(id, text);
  };
  say(kNameBoxLabel, Text(kTextBoxName));
  for (const int button :
       {static_cast<int>(kCommandOk), static_cast<int>(kCommandCancel), int{kCommandHelp}})
    say(button, ControlText(0, button));
  SetItemText(kNameBoxEdit, name_.view());
  // A name is never longer than a box keeps, however the template says.
  Control(this, kNameBoxEdit).LimitText(kBoxNameLength);
  FocusItem(kNameBoxEdit);
}

void WNameBox::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (AnswerHelpRequest(event, game_, kHelpTopicBox)) return;
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    // The name is read as the dialog ends, while its edit exists.
    if (command && command->id == kCommandOk) {
      std::string typed(GetItemText(kNameBoxEdit).view());
      if (typed.size() > static_cast<std::size_t>(kBoxNameLength)) typed.resize(kBoxNameLength);
      name_ = VString(typed);
    }
  }
  WinDlg::OnEvent(event);
}

bool AskBoxName(WPuz& table, int index, VString& name) {
  Application* application = Application::Instance();
  if (!application) return false;
  table.PauseClock();
  auto* dialog = application->Make<WNameBox>(index, name, table.play().game);
  const bool named = RunModalDialog(dialog, &table) == static_cast<int>(kCommandOk);
  table.ResumeClock();
  return named;
}

}  // namespace cbst
