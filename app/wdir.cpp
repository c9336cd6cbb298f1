// wdir.cpp: the puzzle browser.
#include "app/wdir.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/app_codes.h"
#include "app/browser_line_drawing.h"
#include "app/game_events.h"
#include "app/wedpuz.h"
#include "base/date.h"
#include "platform/message_box.h"
#include "play/game_handler.h"
#include "puzzle/open_puzzle.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/progress_window.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

// The any-player item: its text framed by blanks, which is how the filter
// knows it from a player's name.
std::string AnyPlayerItem() {
  const char* text = Text(kTextAnyPlayer);
  return std::string(" ") + (text && *text ? text : "*") + " ";
}

// A dictionary text, or `fallback` (with the same conversions) when the
// dictionary has none.
const char* TextOr(int id, const char* fallback) {
  const char* text = Text(id);
  return text && *text ? text : fallback;
}

bool Checked(Window* dialog, int id) {
  return Control(dialog, id).Number() == 1.0;
}

}  // namespace

const ClassInfo WDir::kClass = {&WinDlg::kClass, "WDir"};

std::string BrowserStatusText(const std::vector<const BrowserLine*>& shown, int selected) {
  const auto games = std::count_if(shown.begin(), shown.end(), [](const BrowserLine* line) {
    return line->kind == LineKind::kSavedGame;
  });
  const auto puzzles = static_cast<std::ptrdiff_t>(shown.size()) - games;
  char text[kMessageRoom];
  std::snprintf(text, sizeof text, TextOr(kTextBrowserCounts, "%i / %i"), static_cast<int>(puzzles),
                static_cast<int>(games));
  std::string status = text;
  if (selected >= 0 && selected < static_cast<int>(shown.size())) {
    std::snprintf(text, sizeof text, TextOr(kTextBrowserSelected, "%i / %i: %s"), selected + 1,
                  static_cast<int>(shown.size()),
                  shown[static_cast<std::size_t>(selected)]->title.c_str());
    status += "    ";
    status += text;
  }
  return status;
}

WDir::WDir(const Settings& settings, std::string directory, std::string preselect,
           BrowserChoice& choice, GameHandler* game)
    : WinDlg(kBrowserTemplate),
      settings_(settings),
      directory_(std::move(directory)),
      preselect_(std::move(preselect)),
      choice_(choice),
      game_(game) {
  choice_ = BrowserChoice();
  set_help_context(kHelpTopicBrowser);
}

void WDir::Prime() {
  primed_ = true;
  const char* title = ControlText(0, kBrowserOpen);
  if (title && *title) {
    std::string caption;
    for (const char* at = title; *at; ++at)
      if (*at != '&' && *at != '.') caption += *at;
    SetTitle(caption);
  }
  for (const int id : {kBrowserOpen, kBrowserMakePuzzle, kBrowserClose, kBrowserHelp,
                       kBrowserDelete, kBrowserShowNew, kBrowserShowStarted, kBrowserShowFinished,
                       kBrowserNoRotation, kBrowserMosaic, kBrowserStore, kBrowserFirstLevel,
                       kBrowserFirstLevel + 1, kBrowserFirstLevel + 2, kBrowserFirstLevel + 3,
                       kBrowserFirstLevel + 4, kBrowserCustom, kBrowserAllLevels}) {
    const char* text = ControlText(0, id);
    if (text && *text) SetItemText(id, text);
  }
  SetItemText(kBrowserShowGroup, Text(kTextBrowserShowGroup));
  SetItemText(kBrowserLevelGroup, Text(kTextLevels));
  // Making a puzzle comes with its own window; until it exists its button
  // is not offered.
  Control(this, kBrowserMakePuzzle).Enable(CommandReady(kCommandMakePuzzle));
  Control(this, kBrowserDelete).Enable(false);
  Control(this, kBrowserList).OwnerDraw(kBrowserLineHeight);
  // A puzzle's custom line is named as the custom-level box is.
  if (const char* custom = ControlText(0, kBrowserCustom); custom && *custom) {
    for (const char* at = custom; *at; ++at)
      if (*at != '&') custom_text_ += *at;
  }
  Fill();
  ShowFilter(ReadBrowserFilter(settings_));
  Refilter();
  if (!preselect_.empty()) {
    Control list(this, kBrowserList);
    for (std::size_t index = 0; index < shown_.size(); ++index) {
      if (shown_[index]->path != preselect_) continue;
      list.Select(static_cast<int>(index));
      Selected();
      break;
    }
  }
  Control(this, kBrowserList).SetFocus();
}

void WDir::Fill() {
  using Clock = std::chrono::steady_clock;
  Clock::time_point checked = Clock::now();
  Application* application = Application::Instance();
  // Files the folder's cache does not know are read with a bar showing how
  // far that has got (it shows only when the reading lasts).
  std::unique_ptr<ProgressWindow> progress;
  FillWatch watch;
  watch.after_file = [&] {
    if (!application || Clock::now() - checked < std::chrono::milliseconds(kFillAnswerMs)) return;
    application->ProcessPending();
    checked = Clock::now();
  };
  watch.reading = [&](int read, int to_read) {
    if (!progress) {
      progress = std::make_unique<ProgressWindow>(this, kProgressPercentBar);
      progress->SetRange(0, to_read);
    }
    progress->Report(read);
  };
  listing_ = FillBrowserLines(directory_, watch);
  progress.reset();
  Control players(this, kBrowserPlayer);
  players.Clear();
  players.AddString(AnyPlayerItem());
  for (const std::string& player : listing_.players)
    players.AddString(player);
}

void WDir::ShowFilter(const BrowserFilter& filter) {
  Control(this, kBrowserShowNew).Set(filter.show_new ? 1.0 : 0.0);
  Control(this, kBrowserShowStarted).Set(filter.show_started ? 1.0 : 0.0);
  Control(this, kBrowserShowFinished).Set(filter.show_finished ? 1.0 : 0.0);
  for (int level = 0; level < kStoredLevels; ++level)
    Control(this, kBrowserFirstLevel + level).Set(filter.levels[level] ? 1.0 : 0.0);
  Control(this, kBrowserCustom).Set(filter.custom ? 1.0 : 0.0);
  Control(this, kBrowserAllLevels).Set(filter.all_levels ? 1.0 : 0.0);
  Control players(this, kBrowserPlayer);
  if (filter.player.empty()) {
    players.Set(0.0);
  } else {
    players.SetText(filter.player);
  }
  Control(this, kBrowserNoRotation).Set(filter.no_rotation ? 1.0 : 0.0);
  Control(this, kBrowserMosaic).Set(filter.mosaic ? 1.0 : 0.0);
}

BrowserFilter WDir::TakeFilter() {
  BrowserFilter filter;
  filter.show_new = Checked(this, kBrowserShowNew);
  filter.show_started = Checked(this, kBrowserShowStarted);
  filter.show_finished = Checked(this, kBrowserShowFinished);
  for (int level = 0; level < kStoredLevels; ++level)
    filter.levels[level] = Checked(this, kBrowserFirstLevel + level);
  filter.custom = Checked(this, kBrowserCustom);
  filter.all_levels = Checked(this, kBrowserAllLevels);
  // The any-player item is the one that begins with a blank.
  const std::string player(Control(this, kBrowserPlayer).GetText().view());
  filter.player = player.empty() || player[0] == ' ' ? std::string() : player;
  filter.no_rotation = Checked(this, kBrowserNoRotation);
  filter.mosaic = Checked(this, kBrowserMosaic);
  return filter;
}

void WDir::Refilter() {
  const BrowserFilter filter = TakeFilter();
  Control list(this, kBrowserList);
  list.Clear();
  shown_.clear();
  for (const BrowserLine& line : listing_.lines) {
    if (!PassesFilter(line, filter)) continue;
    shown_.push_back(&line);
    // The item's text is what typing in the list looks for.
    list.AddString(line.title);
  }
  Control(this, kBrowserOpen).Enable(false);
  Control(this, kBrowserDelete).Enable(false);
  Control(this, kBrowserStore).Enable(!shown_.empty());
  SetItemText(kBrowserStatusLine, BrowserStatusText(shown_, -1));
}

int WDir::SelectedIndex() {
  const int index = static_cast<int>(Control(this, kBrowserList).Number());
  return index >= 0 && index < static_cast<int>(shown_.size()) ? index : -1;
}

void WDir::Selected() {
  const int index = SelectedIndex();
  Control(this, kBrowserOpen).Enable(index >= 0);
  Control(this, kBrowserDelete)
      .Enable(index >= 0 && shown_[static_cast<std::size_t>(index)]->kind == LineKind::kSavedGame);
  SetItemText(kBrowserStatusLine, BrowserStatusText(shown_, index));
}

void WDir::DeleteSavedGame() {
  const int index = SelectedIndex();
  if (index < 0) return;
  const BrowserLine& line = *shown_[static_cast<std::size_t>(index)];
  // Only saved games go from here; a puzzle file is never deleted.
  if (line.kind != LineKind::kSavedGame) return;
  char question[kMessageRoom];
  std::snprintf(question, sizeof question, TextOr(kTextDeleteSavedGame, "%s ?"),
                line.title.c_str());
  if (ShowMessageBox(platform_window(), question, kBoxYesNo | kBoxIconQuestion, kProductName) !=
      kAnswerYes)
    return;
  std::error_code error;
  if (!std::filesystem::remove(line.path, error) || error) {
    Status(kStatusOpenFailed, line.path).Report();
    return;
  }
  const std::string gone = line.path;
  std::erase_if(listing_.lines, [&gone](const BrowserLine& each) { return each.path == gone; });
  Refilter();
  const int left = static_cast<int>(shown_.size());
  if (left > 0) {
    Control(this, kBrowserList).Select(std::min(index, left - 1));
    Selected();
  }
}

void WDir::Choose() {
  const int index = static_cast<int>(Control(this, kBrowserList).Number());
  if (index < 0 || index >= static_cast<int>(shown_.size())) return;
  choice_.line = *shown_[index];
  choice_.options = (Checked(this, kBrowserNoRotation) ? kOpenNoTurning : 0) |
                    (Checked(this, kBrowserMosaic) ? kOpenMosaic : 0);
  choice_.chosen = true;
  EndDialog(kBrowserOpen);
}

void WDir::ShowHelp() {
  if (!game_) return;
  Event help = MakeEvent(kEventCommand, CommandPayload{kCommandHelpContents, kHelpTopicBrowser});
  game_->OnGameEvent(help);
}

bool WDir::OnCommand(const CommandPayload& command) {
  const int id = static_cast<int>(command.id);
  switch (id) {
    case kBrowserOpen:
    case static_cast<int>(kCommandOk):
      Choose();
      return true;
    case kBrowserMakePuzzle:
      choice_.make_puzzle = true;
      EndDialog(kBrowserMakePuzzle);
      return true;
    case kBrowserList:
      if (command.parameter == kNotifySelectionChanged) Selected();
      if (command.parameter == kNotifyDoubleClicked) Choose();
      return true;
    case kBrowserShowNew:
    case kBrowserShowStarted:
    case kBrowserShowFinished:
    case kBrowserAllLevels:
      Refilter();
      return true;
    case kBrowserCustom:
      Control(this, kBrowserAllLevels).Set(0.0);
      Refilter();
      return true;
    case kBrowserPlayer:
      if (command.parameter == kNotifyComboChanged) Refilter();
      return true;
    case kBrowserStore:
      WriteBrowserFilter(settings_, TakeFilter());
      return true;
    case kBrowserDelete:
      DeleteSavedGame();
      return true;
    case kBrowserHelp:
      ShowHelp();
      return true;
    default:
      break;
  }
  if (id >= kBrowserFirstLevel && id < kBrowserFirstLevel + kStoredLevels) {
    Control(this, kBrowserAllLevels).Set(0.0);
    Refilter();
    return true;
  }
  return false;
}

void WDir::OnEvent(Event& event) {
  if (event.code == kEventShow && !primed_) Prime();
  if (event.code == kEventDrawItem) {
    const auto* item = event.as<OwnerDrawPayload>();
    if (item && item->control_id == kBrowserList && item->dc && item->item >= 0 &&
        item->item < static_cast<int>(shown_.size())) {
      const BrowserLine& line = *shown_[static_cast<std::size_t>(item->item)];
      DrawBrowserLine(*item->dc, item->rect, line, thumbnails_.For(line), item->selected,
                      custom_text_);
      event.set_handled();
      return;
    }
  }
  if (event.code == kEventCommand) {
    const auto* command = event.as<CommandPayload>();
    if (command && OnCommand(*command)) {
      event.set_handled();
      return;
    }
  }
  // F1 does what the Help button does.
  if (event.code == kEventHelp) {
    event.set_handled();
    ShowHelp();
    return;
  }
  // The Delete key does what the Delete button does (an edit that has the
  // keyboard keeps the key for its text).
  if (event.code == kEventKey) {
    const auto* key = event.as<KeyPayload>();
    if (key && key->kind == KeyKind::kDown && key->virtual_key == kVkDelete &&
        key->modifiers == 0) {
      event.set_handled();
      DeleteSavedGame();
      return;
    }
  }
  WinDlg::OnEvent(event);
}

}  // namespace cbst
