// winfo.cpp: the game settings window.
#include "app/winfo.h"

#include <array>
#include <cstdio>

#include "app/game_events.h"
#include "app/woptions.h"
#include "platform/clipboard_text.h"
#include "play/game_flags.h"
#include "play/game_handler.h"
#include "play/help_request.h"
#include "play/wspuz.h"
#include "puzzle/puzzle_codes.h"
#include "scores/certificate.h"
#include "scores/game_ranking.h"
#include "text/traductor.h"
#include "ui/control.h"

namespace cbst {
namespace {

struct FlagBox {
  int id;
  std::uint32_t flag;
};
constexpr std::array kFlagBoxes = {
    FlagBox{kInfoCompetition, kGameCompetition},
    FlagBox{kInfoNoPreview, kGameNoPreview},
    FlagBox{kInfoHideBoxes, kGameHideBoxes},
    FlagBox{kInfoHideScore, kGameHideScore},
};

constexpr std::int32_t kMillisecondsPerSecond = 1000;
constexpr std::int32_t kSecondsPerMinute = 60;
constexpr std::int32_t kSecondsPerHour = 3600;

void AddLine(std::string& text, const char* label, const std::string& value) {
  if (!text.empty()) text += '\n';
  if (label && *label) {
    text += label;
    text += ": ";
  }
  text += value;
}

}  // namespace

const ClassInfo WInfo::kClass = {&WinDlg::kClass, "WInfo"};

std::string PlayingTime(std::int32_t milliseconds) {
  const std::int32_t seconds = std::max(0, milliseconds) / kMillisecondsPerSecond;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / kSecondsPerHour,
                seconds % kSecondsPerHour / kSecondsPerMinute, seconds % kSecondsPerMinute);
  return text;
}

std::string GameFacts(const Puz& puz, const GameScore& score) {
  std::string text;
  AddLine(text, Text(kTextPuzzle), puz.title.c_str());
  if (!puz.credit.empty()) AddLine(text, nullptr, puz.credit.c_str());
  // The level as the player chose it: rows x columns.
  const int pieces = static_cast<int>(puz.cut.pieces.size());
  AddLine(text, nullptr,
          std::to_string(puz.cut.rows) + " x " + std::to_string(puz.cut.columns) + " = " +
              std::to_string(pieces) + " " + Text(kTextPiece, pieces == 1 ? 0 : kContextPlural));
  text += '\n';
  AddLine(text, Text(kTextTime), PlayingTime(score.Elapsed()));
  AddLine(text, Text(kTextMoves, kContextShort), std::to_string(score.moves()));
  // Sides are counted once for each of their two pieces.
  AddLine(text, Text(kTextJoins),
          std::to_string(score.joined_sides() / 2) + " / " +
              std::to_string(SidesToJoin(puz.cut.rows, puz.cut.columns) / 2));
  AddLine(text, Text(kTextHelps), std::to_string(score.helps()));
  AddLine(text, Text(kTextScore), std::to_string(score.CurrentScore()));
  std::string pace = Text(kTextAtThisPace);
  while (!pace.empty() && (pace.back() == ':' || pace.back() == ' '))
    pace.pop_back();
  AddLine(text, pace.c_str(), std::to_string(score.ProjectedScore()));
  return text;
}

WInfo::WInfo(Puz& puz, const GameScore& score, GameHandler& game)
    : WinDlg(kInfoTemplate), puz_(puz), score_(score), game_(game) {
  set_help_context(kHelpTopicGameSettings);
}

void WInfo::Prime() {
  primed_ = true;
  const VString caption = WindowCaption(ControlText(0, kCommandGameSettings));
  if (!caption.empty()) SetTitle(caption.view());
  const auto say = [this](int id) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  };
  for (const int id : {static_cast<int>(kCommandOk), int{kCommandHelp}, kInfoCopyCertificate})
    say(id);
  for (const FlagBox& box : kFlagBoxes) {
    say(box.id);
    Control(this, box.id).Set((puz_.game_flags & box.flag) ? 1.0 : 0.0);
  }
  // A puzzle made without a preview has none in any game.
  if (puz_.HasOption(kOptionNoPreview)) {
    Control(this, kInfoNoPreview).Set(1.0);
    Control(this, kInfoNoPreview).Enable(false);
  }
  SetItemText(kInfoFacts, GameFacts(puz_, score_));
}

void WInfo::Send(std::uint32_t command, std::intptr_t parameter) {
  Event event = MakeEvent(kEventCommand, CommandPayload{command, parameter});
  game_.OnGameEvent(event);
}

void WInfo::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (AnswerHelpRequest(event, &game_, kHelpTopicGameSettings)) return;
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && command->parameter == kNotifyClicked &&
        static_cast<int>(command->id) == kInfoCopyCertificate) {
      event.set_handled();
      SetClipboardText(MakeCertificate(GameCertificate(puz_, score_)).view());
      return;
    }
    if (command && command->parameter == kNotifyClicked) {
      for (const FlagBox& box : kFlagBoxes) {
        if (static_cast<int>(command->id) != box.id) continue;
        event.set_handled();
        const bool checked = Control(this, box.id).Number() == 1.0;
        Send(command->id, checked ? 1 : 0);
        // The game may refuse: the box shows what the game now holds.
        Control(this, box.id).Set((puz_.game_flags & box.flag) ? 1.0 : 0.0);
        if (box.id == kInfoNoPreview && puz_.HasOption(kOptionNoPreview))
          Control(this, box.id).Set(1.0);
        return;
      }
    }
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
