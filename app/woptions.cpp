// woptions.cpp: the options window.
#include "app/woptions.h"

#include <array>
#include <string>

#include "app/game_events.h"
#include "app/setup_hooks.h"
#include "play/game_handler.h"
#include "play/help_request.h"
#include "play/wspuz.h"
#include "text/traductor.h"
#include "ui/control.h"
#include "ui/tips.h"

namespace cbst {
namespace {

constexpr std::array kBoxes = {
    // What new games start with.
    OptionBox{2500, kOptionsCompetition},
    OptionBox{2501, kOptionsAutoSave},
    OptionBox{2502, kOptionsHideBoxes},
    OptionBox{2503, kOptionsNoPreview},
    OptionBox{2504, kOptionsHideScore},
    // How the pieces are drawn and moved.
    OptionBox{2512, kOptionsDragGrabbedPiece},
    OptionBox{2514, kOptionsGreyShading},
    OptionBox{2515, kOptionsNoAnimation},
    OptionBox{2510, kOptionsUseCache},
    // The program's manners.
    OptionBox{2505, kOptionsMute},
    OptionBox{2511, kOptionsEscMinimises},
    OptionBox{2513, kOptionsNoTips, true},
};

bool Checked(const OptionBox& box, std::uint32_t bits) {
  return ((bits & box.bit) != 0) != box.inverted;
}

}  // namespace

const ClassInfo WOptions::kClass = {&WinDlg::kClass, "WOptions"};

std::span<const OptionBox> OptionBoxes() {
  return kBoxes;
}

VString WindowCaption(const char* command_text) {
  std::string caption;
  for (const char* at = command_text ? command_text : ""; *at; ++at) {
    if (*at != '&' && *at != '.') caption += *at;
  }
  return VString(caption);
}

WOptions::WOptions(Options& options, const Settings& settings, GameHandler* game,
                   std::function<void(std::uint32_t before)> applied)
    : WinDlg(kOptionsTemplate),
      options_(options),
      settings_(settings),
      game_(game),
      applied_(std::move(applied)) {
  set_help_context(kHelpTopicOptions);
}

void WOptions::Prime() {
  primed_ = true;
  const VString caption = WindowCaption(ControlText(0, kCommandOptions));
  if (!caption.empty()) SetTitle(caption.view());
  const auto say = [this](int id) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  };
  for (const int id :
       {static_cast<int>(kCommandOk), static_cast<int>(kCommandCancel), int{kCommandHelp}})
    say(id);
  for (const OptionBox& box : kBoxes) {
    say(box.id);
    Control(this, box.id).Set(Checked(box, options_.bits) ? 1.0 : 0.0);
  }
  ShowDependentBoxes();
  // Until the program group exists, the window offers to make it.
  const bool offer =
      CanCreateProgramGroup() && settings_.ReadNumber(kKeyProgramGroup) < kProgramGroupCreated;
  if (offer) say(kOptionsProgramGroupButton);
  Control(this, kOptionsProgramGroupButton).Show(offer);
}

void WOptions::ShowDependentBoxes() {
  Control(this, kOptionsHideScoreBox).Show((options_.bits & kOptionsCompetition) != 0);
}

void WOptions::Toggle(const OptionBox& box) {
  const std::uint32_t before = options_.bits;
  const bool checked = Control(this, box.id).Number() == 1.0;
  if (checked != box.inverted) {
    options_.bits |= box.bit;
  } else {
    options_.bits &= ~box.bit;
  }
  if (options_.bits == before) return;
  options_.dirty = true;
  if (box.id == kOptionsCompetitionBox) ShowDependentBoxes();
  if (applied_) applied_(before);
}

void WOptions::Destroy(int result) {
  if (options_.dirty) options_.Save(settings_);
  WinDlg::Destroy(result);
}

void WOptions::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (event.code == kEventHover) {
    // The new-game boxes add that they leave the game being played alone.
    auto* hover = event.as<HoverPayload>();
    if (hover && hover->control_id >= kOptionsFirstNewGameBox &&
        hover->control_id <= kOptionsLastNewGameBox) {
      const char* tip = ControlText(kTipContext, hover->control_id);
      const char* added = Text(kTextNewGamesOnly);
      hover->tip = std::string(tip ? tip : "") + (added ? added : "");
    }
  }
  if (AnswerHelpRequest(event, game_, kHelpTopicOptions)) return;
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && command->id == kOptionsProgramGroupButton &&
        command->parameter == kNotifyClicked) {
      event.set_handled();
      if (CreateProgramGroupNow()) Control(this, kOptionsProgramGroupButton).Show(false);
      return;
    }
    if (command && command->parameter == kNotifyClicked) {
      for (const OptionBox& box : kBoxes) {
        if (static_cast<int>(command->id) != box.id) continue;
        event.set_handled();
        Toggle(box);
        return;
      }
    }
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
