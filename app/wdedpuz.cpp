// wdedpuz.cpp: the pane of controls beside the picture of a new puzzle.
#include <cstdio>
#include <string>

#include "app/wedpuz.h"
#include "base/cp1252.h"
#include "base/text_tests.h"
#include "platform/user_name.h"
#include "puzzle/level_text.h"
#include "text/traductor.h"
#include "ui/control.h"

namespace cbst {
namespace {

constexpr int kLevelEdits = kStoredLevels;
constexpr int kContextPlural = 0x40;

std::string Percent(int percent) {
  return std::to_string(percent) + "%";
}

}  // namespace

const ClassInfo WDEdPuz::kClass = {&WinDlg::kClass, "WDEdPuz"};

WDEdPuz::WDEdPuz(WEdPuz& picture_window)
    : WinDlg(kMakePuzzleTemplate), picture_window_(picture_window) {}

VString WDEdPuz::LevelText(int index) {
  return GetItemText(kMakeFirstLevel + index);
}

void WDEdPuz::ShowCounts(int width, int height) {
  for (int index = 0; index < kLevelEdits; ++index) {
    const VString text = LevelText(index);
    std::string count;
    if (!IsBlank(text.c_str())) {
      Status ignored;
      const LevelSize level = ParseLevelText(text.c_str(), width, height, false, ignored);
      count = "(" + std::to_string(level.rows * level.columns) + ")";
    }
    SetItemText(kMakeFirstCount + index, count);
  }
}

void WDEdPuz::ShowScale(int percent, int width, int height) {
  SetItemText(kMakeScaleText, Percent(percent));
  SetItemText(kMakeSizeText, std::to_string(width) + "x" + std::to_string(height));
  Control(this, kMakeScaleBar).Set(percent);
}

void WDEdPuz::Prime() {
  primed_ = true;
  const auto say = [this](int id, const char* text) {
    if (text && *text) SetItemText(id, text);
  };
  // Labels name what lies beside them; the keys are the controls' own.
  const auto label = [this](int id, const char* text) {
    std::string plain;
    for (const char* at = text ? text : ""; *at; ++at) {
      if (*at != '&') plain += *at;
    }
    if (!plain.empty()) SetItemText(id, plain);
  };
  label(kMakeLevelsLabel, Text(kTextLevels));
  label(kMakePiecesLabel, Text(kTextPieces, kContextPlural));
  say(kMakeTitleLabel, Text(kTextTitle));
  label(kMakeOptionsLabel, Text(kTextOptions));
  label(kMakeColourLabel, Text(kTextColour));
  label(kMakeScaleLabel, Text(kTextScale));
  label(kMakeSizeLabel, Text(kTextSize));
  for (const int id : {kMakeCustom, kMakeSurprise, kMakeNoHelp, kMakeSelectPart, kMakeColour})
    say(id, ControlText(0, id));
  Control(this, kMakeScaleBar).SetRange(kScaleMinimum, kScaleMaximum, kScaleStep);
  // The author is whoever uses the computer, unless they say otherwise.
  SetItemText(kMakeCredit, Utf8ToCp1252(UserFullName()));
  picture_window_.SetScale(picture_window_.scale_percent());
  FocusItem(kMakeFirstLevel);
}

void WDEdPuz::OnScroll(const ScrollPayload& scroll) {
  const int percent =
      ScrolledScale(picture_window_.scale_percent(), scroll.action, scroll.position);
  picture_window_.SetScale(percent);
}

void WDEdPuz::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (event.code == kEventScroll) {
    if (const auto* scroll = event.as<ScrollPayload>();
        scroll && scroll->control_id == kMakeScaleBar) {
      event.set_handled();
      OnScroll(*scroll);
      return;
    }
  }
  if (event.code == kEventHelp) {
    event.set_handled();
    picture_window_.ShowHelp();
    return;
  }
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (!command) return WinDlg::OnEvent(event);
    const int id = static_cast<int>(command->id);
    // OK, Cancel, the close box and the colour belong to the picture window.
    if (command->id == kCommandOk || command->id == kCommandCancel ||
        command->id == kCommandEndSession || id == kMakeColour) {
      event.set_handled();
      picture_window_.Command(command->id == kCommandEndSession ? kCommandCancel : command->id);
      return;
    }
    if (id >= kMakeFirstLevel && id < kMakeFirstLevel + kLevelEdits) {
      event.set_handled();
      if (command->parameter == kNotifyEditFocus || command->parameter == kNotifyEditChanged) {
        current_level_ = id - kMakeFirstLevel;
        picture_window_.LevelsChanged();
      }
      return;
    }
    if (id == kMakeSelectPart && command->parameter == kNotifyClicked) {
      event.set_handled();
      picture_window_.SetSelecting(Control(this, kMakeSelectPart).Number() == 1.0);
      return;
    }
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
