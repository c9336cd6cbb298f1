// wsaveas.cpp: the save-as dialog.
#include "play/wsaveas.h"

#include <string>

#include "play/game_handler.h"
#include "play/help_request.h"
#include "play/saved_game.h"
#include "play/wspuz.h"
#include "text/traductor.h"
#include "ui/control.h"

namespace cbst {

const ClassInfo WSaveAs::kClass = {&WinDlg::kClass, "WSaveAs"};

WSaveAs::WSaveAs(SaveAsFields& fields, bool ranked, GameHandler* game)
    : WinDlg(kSaveAsTemplate), fields_(fields), ranked_(ranked), game_(game) {
  CloseOn(kSaveAsRanked);
}

VString SaveAsCaption(const char* command_text) {
  std::string caption;
  for (const char* at = command_text ? command_text : ""; *at; ++at) {
    if (*at != '&' && *at != '.') caption += *at;
  }
  return VString(caption);
}

void WSaveAs::Prime() {
  primed_ = true;
  const VString caption = SaveAsCaption(ControlText(0, kSaveAsCommandText));
  if (!caption.empty()) SetTitle(caption.view());
  // The dictionary's words where it has them; the template's otherwise.
  const auto say = [this](int id, const char* text) {
    if (text && *text) SetItemText(id, text);
  };
  say(kSaveAsTitleLabel, ControlText(0, kSaveAsTitle));
  say(kSaveAsPlayerLabel, ControlText(0, kSaveAsPlayer));
  say(kSaveAsPasswordLabel, ControlText(0, kSaveAsPassword));
  for (const int id : {static_cast<int>(kCommandOk), static_cast<int>(kCommandCancel),
                       int{kCommandHelp}, kSaveAsRanked, kSaveAsAutoSave})
    say(id, ControlText(0, id));
  SetItemText(kSaveAsTitle, fields_.title.view());
  SetItemText(kSaveAsPlayer, fields_.player.view());
  SetItemText(kSaveAsPassword, fields_.password.view());
  Control(this, kSaveAsTitle).LimitText(kSavedTitleLength);
  Control(this, kSaveAsPlayer).LimitText(kSavedPlayerLength);
  Control(this, kSaveAsPassword).LimitText(kSavedPasswordLength);
  Control(this, kSaveAsAutoSave).Set(fields_.auto_save ? 1.0 : 0.0);
  Control(this, kSaveAsRanked).Show(ranked_);
  FocusItem(kSaveAsTitle);
}

void WSaveAs::TakeFields() {
  const auto typed = [this](int id, int length) {
    std::string text(GetItemText(id).view());
    if (text.size() > static_cast<std::size_t>(length)) text.resize(length);
    return VString(text);
  };
  fields_.title = typed(kSaveAsTitle, kSavedTitleLength);
  fields_.player = typed(kSaveAsPlayer, kSavedPlayerLength);
  fields_.password = typed(kSaveAsPassword, kSavedPasswordLength);
  fields_.auto_save = Control(this, kSaveAsAutoSave).Number() == 1.0;
}

void WSaveAs::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (AnswerHelpRequest(event, game_, kHelpTopicSaveAs)) return;
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    // The fields are read as the dialog ends, while its controls exist.
    if (command && (command->id == kCommandOk || command->id == kSaveAsRanked)) TakeFields();
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
